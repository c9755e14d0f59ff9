# Shared by the end-to-end scripts: an Xvfb display with a light window
# manager, the trainer started on it, and helpers to type and look.
# Usage: source xsession.sh; start_display WxHxD; start_trainer BINARY; ...

e2e_fail() {
    echo "FAIL: $*" >&2
    [ -n "${ARTEFACTS:-}" ] && shot "failure" || true
    exit 1
}

start_display() {
    local screen=$1
    for n in $(seq 90 140); do
        [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] || { DISPLAY_NUMBER=$n; break; }
    done
    Xvfb :$DISPLAY_NUMBER -screen 0 "$screen" -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=:$DISPLAY_NUMBER
    for _ in $(seq 1 100); do
        xdpyinfo >/dev/null 2>&1 && break
        sleep 0.05
    done
    xdpyinfo >/dev/null 2>&1 || e2e_fail "Xvfb did not start"
    if command -v openbox >/dev/null; then
        openbox >/dev/null 2>&1 &
        WM_PID=$!
        sleep 0.5
    fi
    trap stop_display EXIT
}

stop_display() {
    [ -n "${TRAINER_PID:-}" ] && kill "$TRAINER_PID" 2>/dev/null
    [ -n "${WM_PID:-}" ] && kill "$WM_PID" 2>/dev/null
    [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null
    wait 2>/dev/null
    true
}

start_trainer() {
    QT_QPA_PLATFORM=xcb "$1" >"${ARTEFACTS:-/tmp}/trainer.log" 2>&1 &
    TRAINER_PID=$!
    for _ in $(seq 1 100); do
        WINDOW=$(xdotool search --name '^Пальцеход$' 2>/dev/null | head -1)
        [ -n "$WINDOW" ] && break
        sleep 0.1
    done
    [ -n "$WINDOW" ] || e2e_fail "the main window did not appear"
}

# Waits until a window titled exactly $1 is shown; prints its id.
wait_window() {
    local id=""
    for _ in $(seq 1 150); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}

wait_gone() {
    for _ in $(seq 1 150); do
        [ -z "$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null)" ] && return 0
        sleep 0.1
    done
    return 1
}

focus() {
    xdotool windowactivate --sync "$1" 2>/dev/null || xdotool windowfocus --sync "$1"
}

press() {
    xdotool key --delay 15 "$@"
}

shot() {
    mkdir -p "$ARTEFACTS"
    import -window root "$ARTEFACTS/$1.png" 2>/dev/null || true
}

# Colour of one screen pixel as RRGGBB.
pixel() {
    import -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null | tail -1 | grep -o '#[0-9A-F]\{6\}' | head -1 | tr -d '#'
}
