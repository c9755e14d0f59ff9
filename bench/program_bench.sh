#!/usr/bin/env bash
# Whole-program figures of the trainer next to two other typing tutors
# (Debian's tipp10 and klavaro) measured in the same run on the same
# machine, each on its own Xvfb screen of 1024x768 at 24 bits:
#
#   start    ms from exec to the first mapped top-level window of the
#            program (for the trainer: its main window "Пальцеход"; the
#            About splash opens over it afterwards)
#   rss      MB resident 3 s after start (VmRSS), and of it the anonymous
#            part (RssAnon: heap and stacks, the rest being mapped files,
#            mostly shared libraries other programs share)
#   idle     % of one core used over IDLE seconds of doing nothing, from
#            8 s after start (after the trainer's 5.5 s splash), summed
#            over all threads (/proc/PID/task/*/schedstat)
#   wakeups  context switches per second over the same seconds, voluntary
#            and involuntary, summed over all threads
#   key      µs of CPU per keystroke, idle cost subtracted: 74 correct
#            home-row keys of the first level-1 exercise typed with
#            xdotool (the trainer only: the others need a lesson set up)
#
# Each program first runs once in a private HOME to warm the disk cache and
# do its first-start work (tipp10 builds its lesson database then, which can
# take a minute), then RUNS times more in the same HOME; the table shows
# medians. The programs take turns, one run each, so that a change in the
# machine's load during the measurement falls on all of them alike.
#
# Usage: bench/program_bench.sh [--runs N] [--idle SECONDS] [--binary PATH]
#                               [--only NAME]... [--raw FILE]
# Missing tipp10 or klavaro are installed with apt-get when run as root.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
runs=5
idle_seconds=10
binary=$root/build/bin/paltsekhod
raw=""
only=()
while [ $# -gt 0 ]; do
    case $1 in
    --runs) runs=$2; shift 2 ;;
    --idle) idle_seconds=$2; shift 2 ;;
    --binary) binary=$2; shift 2 ;;
    --only) only+=("$2"); shift 2 ;;
    --raw) raw=$2; shift 2 ;;
    *) echo "usage: $0 [--runs N] [--idle SECONDS] [--binary PATH] [--only NAME]... [--raw FILE]" >&2; exit 2 ;;
    esac
done

for tool in Xvfb xdotool xdpyinfo; do
    command -v $tool >/dev/null || { echo "program_bench: $tool is missing (scripts/setup installs it)" >&2; exit 1; }
done

wanted() {
    [ ${#only[@]} -eq 0 ] && return 0
    local n
    for n in "${only[@]}"; do [ "$n" = "$1" ] && return 0; done
    return 1
}

# The other tutors, from Debian, only when they are wanted and missing.
missing=()
for p in tipp10 klavaro; do
    wanted $p && ! command -v $p >/dev/null && missing+=($p)
    # TIPP10 keeps its lessons in SQLite: without the driver it stops at once.
    [ $p = tipp10 ] && wanted $p && [ ! -e /usr/lib/x86_64-linux-gnu/qt6/plugins/sqldrivers/libqsqlite.so ] && missing+=(libqt6sql6-sqlite)
done
if [ ${#missing[@]} -gt 0 ]; then
    if [ "$(id -u)" -eq 0 ]; then
        echo "program_bench: installing ${missing[*]}" >&2
        export DEBIAN_FRONTEND=noninteractive
        apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null 2>&1 \
            || { apt-get update -qq >/dev/null 2>&1 && apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null 2>&1; } \
            || echo "program_bench: could not install ${missing[*]}" >&2
    else
        echo "program_bench: ${missing[*]} missing (run as root to install)" >&2
    fi
fi

work=$(mktemp -d /tmp/program_bench.XXXXXX)
XVFB_PIDS=()
APP_PID=""
cleanup() {
    [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null || true
    [ ${#XVFB_PIDS[@]} -gt 0 ] && kill "${XVFB_PIDS[@]}" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# Starts an Xvfb screen of its own and names it (":N") in NEW_DISPLAY.
start_display() {
    local n
    for n in $(seq 150 199); do
        [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] || break
    done
    Xvfb :$n -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
    XVFB_PIDS+=($!)
    for _ in $(seq 1 200); do
        if DISPLAY=:$n xdpyinfo >/dev/null 2>&1; then
            NEW_DISPLAY=:$n
            return 0
        fi
        sleep 0.05
    done
    echo "program_bench: Xvfb did not start" >&2
    exit 1
}

now_ns() { date +%s%N; }

# CPU nanoseconds and context switches of all threads of a process.
cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ s += $1 } END { printf "%d\n", s }'; }
switches() {
    cat /proc/"$1"/task/*/status 2>/dev/null \
        | awk '/^(voluntary|nonvoluntary)_ctxt_switches/ { s += $2 } END { printf "%d\n", s }'
}

# Sleeps until $1 ns after $2 ns.
sleep_until() {
    local left=$(( ($2 + $1 - $(now_ns)) / 1000000 ))
    [ $left -gt 0 ] && sleep "$(awk -v ms=$left 'BEGIN { printf "%.3f", ms / 1000 }')"
    return 0
}

# One run of a program: prints "start_ms rss_kb idle_pct wakeups_per_s key_us anon_kb".
# WAIT_WINDOW_S bounds the wait for the first window.
WAIT_WINDOW_S=30
measure() {
    local name=$1 title=$2 cmd=$3 keys=$4
    local home=$work/home-$name
    mkdir -p "$home"
    # TIPP10 is measured at its second start: settings seeded past its
    # first-run questions (keyboard layout, lessons) and its introduction.
    if [ "$name" = tipp10 ] && [ ! -f "$home/.config/TIPP10/TIPP10.conf" ]; then
        mkdir -p "$home/.config/TIPP10"
        printf '[main]\nlanguage_layout=us_qwerty_win\nlanguage_lesson=en_us_qwerty\ncheck_illustration=false\n' \
            >"$home/.config/TIPP10/TIPP10.conf"
    fi
    local t0 t1 pid
    t0=$(now_ns)
    HOME=$home QT_QPA_PLATFORM=xcb NO_AT_BRIDGE=1 $cmd >"$work/$name.log" 2>&1 &
    pid=$!
    APP_PID=$pid
    # First mapped window of the process: polled as fast as xdotool runs
    # (a few ms a call).
    t1=""
    while [ $(( $(now_ns) - t0 )) -lt $(( WAIT_WINDOW_S * 1000000000 )) ]; do
        if xdotool search --onlyvisible --pid "$pid" ${title:+--name "$title"} >/dev/null 2>&1; then
            t1=$(now_ns)
            break
        fi
        kill -0 "$pid" 2>/dev/null || break
    done
    if [ -z "$t1" ]; then
        echo "program_bench: $name showed no window (log: $(tail -3 "$work/$name.log" | tr '\n' ' '))" >&2
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
        APP_PID=""
        return 1
    fi
    local start_ms=$(( (t1 - t0) / 1000000 ))

    sleep_until 3000000000 "$t0"
    local rss_kb anon_kb
    rss_kb=$(awk '/^VmRSS:/ { print $2 }' /proc/"$pid"/status)
    anon_kb=$(awk '/^RssAnon:/ { print $2 }' /proc/"$pid"/status)

    sleep_until 8000000000 "$t0"
    local c0 s0 w0 c1 s1 w1
    c0=$(cpu_ns "$pid"); s0=$(switches "$pid"); w0=$(now_ns)
    sleep "$idle_seconds"
    c1=$(cpu_ns "$pid"); s1=$(switches "$pid"); w1=$(now_ns)
    local idle_pct wakeups
    idle_pct=$(awk -v c=$((c1 - c0)) -v w=$((w1 - w0)) 'BEGIN { printf "%.3f", 100 * c / w }')
    wakeups=$(awk -v s=$((s1 - s0)) -v w=$((w1 - w0)) 'BEGIN { printf "%.1f", s * 1e9 / w }')

    local key_us="-"
    if [ -n "$keys" ]; then
        local window
        window=$(xdotool search --onlyvisible --pid "$pid" ${title:+--name "$title"} | head -1)
        xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
        xdotool key --window "$window" 1
        sleep 0.5
        local k0 kw0 k1 kw1 count
        count=$(wc -w <<<"$keys")
        k0=$(cpu_ns "$pid"); kw0=$(now_ns)
        # shellcheck disable=SC2086
        xdotool key --delay 25 $keys
        sleep 0.3
        k1=$(cpu_ns "$pid"); kw1=$(now_ns)
        key_us=$(awk -v k=$((k1 - k0)) -v w=$((kw1 - kw0)) -v ic=$((c1 - c0)) -v iw=$((w1 - w0)) -v n="$count" \
            'BEGIN { v = (k - ic * w / iw) / n / 1000; printf "%.1f", v < 0 ? 0 : v }')
    fi

    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    APP_PID=""
    echo "$start_ms $rss_kb $idle_pct $wakeups $key_us $anon_kb"
}

median() { sort -g | awk '{ v[NR] = $1 } END { if (NR == 0) print "-"; else if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# The first level-1 exercise, less its last letter (so no result message
# opens): "ПАРА " five times, "ПОРА " five times, then "ПАРА ПОРА ПАРА ПОРА ПАР".
# Keys by their place on the keyboard (US layout): П g, А f, Р h, О j.
keys_para="g f h f space"
keys_pora="g j h f space"
trainer_keys="$(for _ in 1 2 3 4 5; do echo -n "$keys_para "; done)"
trainer_keys+="$(for _ in 1 2 3 4 5; do echo -n "$keys_pora "; done)"
trainer_keys+="$keys_para $keys_pora $keys_para $keys_pora g f h"

declare -a names titles cmds keyseqs
add_program() { names+=("$1"); titles+=("$2"); cmds+=("$3"); keyseqs+=("$4"); }
if wanted paltsekhod; then
    if [ -x "$binary" ]; then
        add_program paltsekhod '^Пальцеход$' "$binary" "$trainer_keys"
    else
        echo "program_bench: $binary is not built (cmake --preset release && cmake --build --preset release)" >&2
    fi
fi
# TIPP10's main window has an empty title: any mapped window of the process.
wanted tipp10 && command -v tipp10 >/dev/null && add_program tipp10 '' "$(command -v tipp10)" ""
wanted klavaro && command -v klavaro >/dev/null && add_program klavaro '.' "$(command -v klavaro)" ""
[ ${#names[@]} -gt 0 ] || { echo "program_bench: nothing to measure" >&2; exit 1; }

declare -A result displays
for i in "${!names[@]}"; do
    name=${names[$i]}
    # Each program on its own screen, so that none finds another's windows.
    start_display
    displays[$name]=$NEW_DISPLAY
    export DISPLAY=$NEW_DISPLAY
    echo "program_bench: $name: warm-up" >&2
    WAIT_WINDOW_S=180 measure "$name" "${titles[$i]}" "${cmds[$i]}" "${keyseqs[$i]}" >/dev/null || true
    : >"$work/$name.runs"
done
for run in $(seq 1 "$runs"); do
    echo "program_bench: run $run of $runs" >&2
    for i in "${!names[@]}"; do
        name=${names[$i]}
        export DISPLAY=${displays[$name]}
        measure "$name" "${titles[$i]}" "${cmds[$i]}" "${keyseqs[$i]}" >>"$work/$name.runs" || true
    done
done
for name in "${names[@]}"; do
    [ -n "$raw" ] && sed "s/^/$name /" "$work/$name.runs" >>"$raw"
    for col in 1 2 3 4 5 6; do
        result[$name,$col]=$(awk -v c=$col '$c != "-" { print $c }' "$work/$name.runs" | median)
    done
    result[$name,n]=$(wc -l <"$work/$name.runs")
done

mb() { [ "$1" = "-" ] && echo "-" || awk -v k="$1" 'BEGIN { printf "%.1f", k / 1024 }'; }
printf '| program | runs | start (ms) | memory after 3 s (MB) | of it anonymous (MB) | idle CPU (%% of a core) | wake-ups/s | CPU per keystroke (µs) |\n'
printf '|---|---|---|---|---|---|---|---|\n'
for name in "${names[@]}"; do
    printf '| %s | %s | %s | %s | %s | %s | %s | %s |\n' "$name" "${result[$name,n]}" "${result[$name,1]}" \
        "$(mb "${result[$name,2]}")" "$(mb "${result[$name,6]}")" "${result[$name,3]}" "${result[$name,4]}" \
        "${result[$name,5]}"
done
version() { dpkg-query -W -f='${Version}' "$1" 2>/dev/null || echo "?"; }
echo
echo "Machine: $(nproc) cores, $(awk -F': ' '/^model name/ { print $2; exit }' /proc/cpuinfo)." \
    "tipp10 $(version tipp10), klavaro $(version klavaro), Xvfb 1024x768x24, no window manager."
