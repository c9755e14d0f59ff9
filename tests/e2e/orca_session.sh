# Shared by the scripts that run the trainer under the Orca screen reader:
# sourced after xsession.sh and e2e_begin, it makes a session of its own (a
# home whose settings stay in memory, the accessibility bus, a sound server
# that plays nothing, speech-dispatcher with espeak-ng) on an Xvfb display
# in the Russian layout. Then: start_orca LOG, orca_started,
# screen_reader_on; speech lists what Orca has said. Exits 77 where Orca
# cannot run.

ORCA_SESSION_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

skip() {
    echo "SKIP: $*"
    exit 77
}
for tool in orca speech-dispatcher pulseaudio /usr/bin/python3; do
    command -v "$tool" >/dev/null || skip "$tool is missing (scripts/setup --test installs it)"
done
bus_launcher=$(ls /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher 2>/dev/null | head -1)
[ -n "$bus_launcher" ] || skip "no at-spi-bus-launcher (at-spi2-core)"
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || skip "Orca's Python modules do not load"

# A home of its own: settings kept in memory, nothing of the machine's user.
export HOME=$ARTEFACTS/home XDG_RUNTIME_DIR=$ARTEFACTS/run
export XDG_CONFIG_HOME=$HOME/.config XDG_DATA_HOME=$HOME/.local/share XDG_CACHE_HOME=$HOME/.cache
export GSETTINGS_BACKEND=memory
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

PIDS=()
orca_gone() { ! kill -0 "$ORCA_PID" 2>/dev/null; }
stop_all() {
    # Orca first, with TERM, so that it says goodbye into its log.
    if [ -n "${ORCA_PID:-}" ] && kill -TERM "$ORCA_PID" 2>/dev/null; then
        poll 10 orca_gone || kill -KILL "$ORCA_PID" 2>/dev/null
    fi
    [ ${#PIDS[@]} -gt 0 ] && kill "${PIDS[@]}" 2>/dev/null
    [ -n "${SPD_CONF:-}" ] && pkill -f -- "-C $SPD_CONF" 2>/dev/null
    stop_display
}

# The accessibility bus, started now rather than on first demand.
"$bus_launcher" --launch-immediately >"$ARTEFACTS/at-spi.log" 2>&1 &
PIDS+=($!)

# Sound goes to a sink that plays nothing.
pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --system=no --log-target=stderr \
    -L module-null-sink -L "module-native-protocol-unix auth-anonymous=1 socket=$XDG_RUNTIME_DIR/sound" \
    >"$ARTEFACTS/pulse.log" 2>&1 &
PIDS+=($!)
export PULSE_SERVER=unix:$XDG_RUNTIME_DIR/sound
poll 15 test -S "$XDG_RUNTIME_DIR/sound" || skip "pulseaudio does not start here"

# The speech server with espeak-ng, on a configuration of its own.
SPD_CONF=$ARTEFACTS/speechd
mkdir -p "$SPD_CONF"
cat >"$SPD_CONF/speechd.conf" <<'EOF'
AudioOutputMethod "pulse"
AddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"
DefaultModule espeak-ng
DefaultLanguage "ru"
EOF
speech-dispatcher -d -t 0 -C "$SPD_CONF" -L "$ARTEFACTS" >"$ARTEFACTS/speechd.out" 2>&1 ||
    skip "speech-dispatcher does not start here"

start_display 1024x768x24
setxkbmap ru || e2e_fail "setxkbmap ru"
trap stop_all EXIT

# Orca speaks Russian where the locale can be had; a minimal system may have
# none, and one is made for Orca alone. Orca's own words are not checked, so
# without it the test still holds, in English.
orca_lang=C.UTF-8
if locale -a 2>/dev/null | grep -qix 'ru_RU.utf-\?8'; then
    orca_lang=ru_RU.UTF-8
elif localedef -i ru_RU -f UTF-8 "$ARTEFACTS/locale/ru_RU.UTF-8" >/dev/null 2>&1 ||
    { mkdir -p "$ARTEFACTS/locale" && localedef -i ru_RU -f UTF-8 "$ARTEFACTS/locale/ru_RU.UTF-8" >/dev/null 2>&1; }; then
    orca_lang=ru_RU.UTF-8
    orca_locpath=$ARTEFACTS/locale
fi

# start_orca LOG: Orca with its debug log in LOG.
start_orca() {
    LOG=$1
    : >"$LOG"
    env ${orca_locpath:+LOCPATH=$orca_locpath} LANG=$orca_lang LC_ALL=$orca_lang /usr/bin/python3 "$ORCA_SESSION_DIR/orca_logged.py" --debug-file="$LOG" \
        >>"$ARTEFACTS/orca.out" 2>&1 &
    ORCA_PID=$!
}

# Every utterance of the log so far, one a line (an utterance may span
# lines of the log: a message's line breaks).
speech() {
    /usr/bin/python3 -c 'import re, sys
text = open(sys.argv[1], encoding="utf-8", errors="replace").read()
for m in re.finditer(r"SPEECH OUTPUT: \x27(.*?)\x27[ ]*(?:[\[{]|$)", text, re.S | re.M):
    print(" ".join(m.group(1).split()))' "$LOG"
}

orca_up() { [ -n "$(speech)" ]; }
# Waits until Orca speaks: the end of its greeting.
orca_started() {
    poll 60 orca_up || { kill -0 "$ORCA_PID" 2>/dev/null || skip "Orca does not start here: $(tail -3 "$ARTEFACTS/orca.out")"; \
        e2e_fail "Orca said nothing within 60 s"; }
}

# A desktop with a screen reader says so on the accessibility bus: the
# trainer finds it there as it starts. IsEnabled is what every bus has;
# ScreenReaderEnabled, which older buses have beside it, is set where the bus
# lists it (at-spi2-core has dropped it).
a11y_status() {
    gdbus call --session --dest org.a11y.Bus --object-path /org/a11y/bus \
        --method org.freedesktop.DBus.Properties.Set org.a11y.Status "$1" '<true>' >/dev/null
}
# Tells the bus that a screen reader runs.
screen_reader_on() {
    a11y_status IsEnabled || e2e_fail "could not tell the accessibility bus that assistive technology runs"
    if gdbus introspect --session --dest org.a11y.Bus --object-path /org/a11y/bus | grep -qw ScreenReaderEnabled; then
        a11y_status ScreenReaderEnabled || e2e_fail "could not tell the accessibility bus that a screen reader runs"
    fi
}
