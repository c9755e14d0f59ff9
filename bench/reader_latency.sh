#!/usr/bin/env bash
# Key to first changed pixels of the trainer next to a bare Qt line edit
# (build/bin/lineedit_reference), both in one session: first with no
# assistive technology, then with the Orca screen reader running, as a blind
# pupil has it. The session is the one e2e.screen_reader plays in (a private
# accessibility bus, speech-dispatcher with espeak-ng, the Russian layout on
# Xvfb).
#
# Each client is started fresh for each half. The trainer is at level 1, and
# the keys are the first KEYS correct letters of its first exercise; the line
# edit gets the same keys. bench/first_pixels.py sends each key through XTest
# and reads the client's text area (the trainer's typing field, the whole
# line edit) until it changes, GAP seconds between keys.
#
# Prints the median and worst time of each client in each half, in ms, and
# from Orca's log how long Orca itself held each key press (on Qt 6.4 a key
# reaches the window only once Orca has answered for it), and how much of
# that went into cutting short what Orca was still saying.
#
# Usage: bench/reader_latency.sh [--binary PATH] [--keys N] [--gap SECONDS]
set -u
if [ -z "${PALTSEKHOD_SR_SESSION:-}" ]; then
    PALTSEKHOD_SR_SESSION=1 exec dbus-run-session -- bash "$0" "$@"
fi

root=$(cd "$(dirname "$0")/.." && pwd)
binary=$root/build/bin/paltsekhod
keys=22
gap=0.5
while [ $# -gt 0 ]; do
    case $1 in
    --binary) binary=$2; shift 2 ;;
    --keys) keys=$2; shift 2 ;;
    --gap) gap=$2; shift 2 ;;
    *) echo "usage: $0 [--binary PATH] [--keys N] [--gap SECONDS]" >&2; exit 2 ;;
    esac
done
reference=$(dirname "$binary")/lineedit_reference
[ -x "$reference" ] || { echo "reader_latency: $reference is not built" >&2; exit 1; }
[ "$keys" -le 23 ] || { echo "reader_latency: at most 23 keys (the first line less its last two letters)" >&2; exit 2; }

source "$root/tests/e2e/xsession.sh"
work=$(mktemp -d /tmp/reader_latency.XXXXXX)
e2e_begin reader_latency "$binary" "$work"
source "$root/tests/e2e/orca_session.sh"

# The first letters of "ПАРА ПАРА ПАРА ПАРА ПАРА ", as X key codes (the
# keys G F H F and the space).
codes=()
for ((i = 0; i < keys; i++)); do
    case $((i % 5)) in
    0) codes+=(42) ;; 1 | 3) codes+=(41) ;; 2) codes+=(43) ;; 4) codes+=(65) ;;
    esac
done

# measure NAME X Y W H: the keys into the rectangle; one time a line in
# $work/NAME.
measure() {
    local name=$1
    shift
    /usr/bin/python3 "$root/bench/first_pixels.py" "$@" "$gap" 1 "${codes[@]}" >"$work/$name" 2>"$work/$name.reads" ||
        e2e_fail "the probe failed for $name"
}

trainer() {
    start_trainer "$BINARY"
    wait_splash
    park_pointer
    press 1
    wait_cursor 1 1 1
    measure "$1" "$FIELD_X" "$FIELD_Y" 601 251
    cursor_at 1 1 $((keys + 1)) || e2e_fail "the $keys keys were not all typed correctly ($1)"
    kill "$TRAINER_PID"
    wait "$TRAINER_PID" 2>/dev/null
}

line_edit() {
    local window info
    "$reference" &
    local pid=$!
    window=$(wait_window 'Строка ввода') || e2e_fail "the line edit did not appear"
    focus "$window"
    park_pointer
    info=$(xwininfo -id "$window")
    measure "$1" $(awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
        /Width:/ { w = $NF } /Height:/ { h = $NF } END { print x, y, w, h }' <<<"$info")
    kill "$pid"
    wait "$pid" 2>/dev/null
}

trainer trainer_bare
line_edit line_edit_bare

start_orca "$ARTEFACTS/orca.log"
orca_started
screen_reader_on
trainer trainer_orca
line_edit line_edit_orca

source "$root/bench/latency_summary.sh"
summary() { latency_summary "$work/$1" 2; }
echo "| client | changed | median (ms) | worst (ms) |"
echo "|---|---|---|---|"
echo "| Пальцеход, no assistive technology $(summary trainer_bare)"
echo "| Qt line edit, no assistive technology $(summary line_edit_bare)"
echo "| Пальцеход, Orca $(summary trainer_orca)"
echo "| Qt line edit, Orca $(summary line_edit_orca)"
echo
/usr/bin/python3 "$root/bench/orca_key_times.py" "$ARTEFACTS/orca.log" "$keys"
echo
for f in trainer_bare line_edit_bare trainer_orca line_edit_orca; do
    echo "$f (ms): $(tr '\n' ' ' <"$work/$f")"
    sed "s/^/    /" "$work/$f.reads"
done
rm -rf "$work"
