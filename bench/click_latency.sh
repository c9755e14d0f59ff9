#!/usr/bin/env bash
# Key-to-click latency of the trainer next to a reference client (paplay),
# both in the same run against one private PulseAudio server.
#
# The server's only sink is a pipe sink on the system clock (44100 Hz,
# 16-bit stereo); `cat` drains its FIFO into a file, so nothing of what is
# played is lost. The trainer runs on its own Xvfb screen; after its splash,
# "1" chooses level 1 and xdotool types the first KEYS correct letters of the
# first exercise, GAP seconds apart. The file's size when a key is sent marks
# where its click should start; the onset is the first sample with
# |x| >= 300 after the mark. The reference is the same tick played by a
# `paplay` process started the same way, KEYS times: mark, then start.
#
# Prints the median and worst onset of each, in ms, and how many keys (or
# paplay starts) were heard.
#
# Usage: bench/click_latency.sh [--binary PATH] [--keys N] [--gap SECONDS] [--raw FILE]
set -u

root=$(cd "$(dirname "$0")/.." && pwd)
binary=$root/build/bin/paltsekhod
keys=22
gap=0.5
raw=""
while [ $# -gt 0 ]; do
    case $1 in
    --binary) binary=$2; shift 2 ;;
    --keys) keys=$2; shift 2 ;;
    --gap) gap=$2; shift 2 ;;
    --raw) raw=$2; shift 2 ;;
    *) echo "usage: $0 [--binary PATH] [--keys N] [--gap SECONDS] [--raw FILE]" >&2; exit 2 ;;
    esac
done
for tool in pulseaudio paplay Xvfb xdotool od; do
    command -v $tool >/dev/null || { echo "click_latency: $tool is missing (scripts/setup installs it)" >&2; exit 1; }
done
tick=$root/build/sound/sounds/Sound1.wav
[ -f "$tick" ] || { echo "click_latency: $tick is not built" >&2; exit 1; }
[ "$keys" -le 23 ] || { echo "click_latency: at most 23 keys (the first line less its last two letters)" >&2; exit 2; }

source "$root/tests/e2e/xsession.sh"
work=$(mktemp -d /tmp/click_latency.XXXXXX)
e2e_begin click_latency "$binary" "$work"
rt=$work/rt
mkdir -p "$rt"
PULSE_PID=""
CAT_PID=""
# The session's own clean-up (which start_display makes the exit trap) also
# ends the server and the recording, before it waits for what is left.
eval "$(declare -f stop_display | sed '1s/stop_display/stop_x_session/')"
stop_display() {
    # First: the session's clean-up waits for every background job.
    [ -n "$PULSE_PID" ] && kill "$PULSE_PID" 2>/dev/null
    [ -n "$CAT_PID" ] && kill "$CAT_PID" 2>/dev/null
    stop_x_session
    rm -rf "$work"
}
trap stop_display EXIT

# ---- the server and its recording
rate=44100
frame=4
mkfifo "$work/sink.fifo"
cat "$work/sink.fifo" >"$work/rec.raw" &
CAT_PID=$!
HOME=$work XDG_RUNTIME_DIR=$rt PULSE_RUNTIME_PATH=$rt DBUS_SESSION_BUS_ADDRESS= DISPLAY= \
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --system=no --log-target=stderr \
    -L "module-pipe-sink file=$work/sink.fifo format=s16le rate=$rate channels=2 use_system_clock_for_timing=yes" \
    -L "module-native-protocol-unix auth-anonymous=1 socket=$rt/native" >"$work/pulse.log" 2>&1 &
PULSE_PID=$!
export PULSE_SERVER=unix:$rt/native
poll 15 test -S "$rt/native" || e2e_fail "the private PulseAudio did not start: $(tail -3 "$work/pulse.log")"

size() { stat -c %s "$work/rec.raw"; }

# ---- the trainer
start_session us
# The first 24 letters of "ПАРА ПАРА ПАРА ПАРА ПАРА ", by their US keys.
sequence=(g f h f space g f h f space g f h f space g f h f space g f h f)
press 1
wait_cursor 1 1 1
: >"$work/trainer.marks"
for ((i = 0; i < keys; i++)); do
    size >>"$work/trainer.marks"
    xdotool key "${sequence[i]}"
    sleep "$gap"
done
cursor_at 1 1 $((keys + 1)) || e2e_fail "the $keys keys were not all typed correctly"

# What the trainer costs while it waits for the next key, its stream open
# and corked: CPU time and context switches of all its threads over IDLE
# seconds, from six seconds after the last key (the entropy timer rests five
# seconds after the last key).
idle=5
cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ s += $1 } END { printf "%d\n", s }'; }
switches() {
    cat /proc/"$1"/task/*/status 2>/dev/null \
        | awk '/^(voluntary|nonvoluntary)_ctxt_switches/ { s += $2 } END { printf "%d\n", s }'
}
# The sound thread's own share: the thread named "sound".
sound_switches() {
    local t
    for t in /proc/"$1"/task/*; do
        [ "$(cat "$t/comm" 2>/dev/null)" = sound ] && awk '/^(voluntary|nonvoluntary)_ctxt_switches/ { s += $2 } END { print s }' "$t/status"
    done
}
sleep 6
c0=$(cpu_ns "$TRAINER_PID"); s0=$(switches "$TRAINER_PID"); t0=$(sound_switches "$TRAINER_PID"); w0=$(date +%s%N)
sleep "$idle"
c1=$(cpu_ns "$TRAINER_PID"); s1=$(switches "$TRAINER_PID"); t1=$(sound_switches "$TRAINER_PID"); w1=$(date +%s%N)
idle_line=$(awk -v c=$((c1 - c0)) -v s=$((s1 - s0)) -v t=$((${t1:-0} - ${t0:-0})) -v w=$((w1 - w0)) -v n="$idle" \
    'BEGIN { printf "trainer idle in an exercise, its stream corked: %.3f %% of a core, %.1f wake-ups/s (%d of them in the sound thread over %d s)", 100 * c / w, s * 1e9 / w, t, n }')

# ---- the reference: the same tick from a fresh paplay process
: >"$work/paplay.marks"
for ((i = 0; i < keys; i++)); do
    size >>"$work/paplay.marks"
    paplay "$tick" &
    sleep "$gap"
done
wait_paplay() { ! pgrep -P $$ -x paplay >/dev/null; }
poll 10 wait_paplay
# Let the last sound reach the file.
size_at_least() { [ "$(size)" -ge "$1" ]; }
poll 10 size_at_least $(($(size) + rate * frame / 2)) || true
[ -n "$raw" ] && cp "$work/rec.raw" "$raw"

# Onset in ms after each mark: the first frame with a channel at |x| >= 300
# within one second; "-" if none.
onsets() {
    local mark
    while read -r mark; do
        mark=$((mark / frame * frame))
        od -An -v -td2 -w$frame -j "$mark" -N $((rate * frame)) "$work/rec.raw" |
            awk -v rate=$rate '{ if ($1 >= 300 || $1 <= -300 || $2 >= 300 || $2 <= -300) { printf "%.1f\n", (NR - 1) * 1000 / rate; found = 1; exit } }
                               END { if (!found) print "-" }'
    done <"$1"
}
onsets "$work/trainer.marks" >"$work/trainer.onsets"
onsets "$work/paplay.marks" >"$work/paplay.onsets"

source "$root/bench/latency_summary.sh"
summary() { latency_summary "$1" 0; }
echo "| client | heard | median onset (ms) | worst onset (ms) |"
echo "|---|---|---|---|"
echo "| Пальцеход, $keys correct keys ${gap} s apart $(summary "$work/trainer.onsets")"
echo "| paplay $(basename "$tick"), $keys starts ${gap} s apart $(summary "$work/paplay.onsets")"
echo
echo "trainer onsets (ms): $(tr '\n' ' ' <"$work/trainer.onsets")"
echo "paplay onsets (ms):  $(tr '\n' ' ' <"$work/paplay.onsets")"
echo "$idle_line"
