#!/usr/bin/env bash
# The trainer on KDE Plasma's compositor: KWin as a Wayland compositor in a
# window of its own on Xvfb (its X11 backend, painting without OpenGL), the
# program with QT_QPA_PLATFORM=wayland. Screenshots are of the Xvfb screen,
# and keys typed there reach KWin's window and through it the trainer, by
# their key codes. KWin draws the windows' frames: the protocol log
# (WAYLAND_DEBUG) must show every window asking and being granted the
# server-side frame, and the screenshot KWin's title bar with no bar of the
# program's own beneath it. Level 1 is chosen and the first words typed;
# the close button of KWin's title bar ends the program with status 0.
# Skipped (77) where kwin_wayland is missing.
# Usage: kwin.sh BINARY ARTEFACTS
set -u
source "$(dirname "$0")/xsession.sh"
e2e_begin kwin "$1" "${2:-/tmp/paltsekhod-e2e}"

KWIN=$(command -v kwin_wayland) || { echo "SKIP: kwin_wayland is missing (scripts/setup --test installs it)"; exit 77; }
SESSION=$(mktemp -d)
cleanup() {
    local pid
    for pid in ${TRAINER_PID:-} ${KWIN_PID:-}; do kill "$pid" 2>/dev/null; done
    stop_display
    rm -rf "$SESSION"
}
trap cleanup EXIT
# Debian gives kwin_wayland a file capability (to raise its scheduling
# limits), which a process of root in a test may not take; a copy has none.
cp "$KWIN" "$SESSION/kwin_wayland" || e2e_fail "could not copy $KWIN"
mkdir -m 700 "$SESSION/runtime" "$SESSION/home"

start_display 1024x768x24 bare
trap cleanup EXIT   # start_display sets its own
session_env=(env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 HOME="$SESSION/home"
             XDG_RUNTIME_DIR="$SESSION/runtime" DISPLAY="$DISPLAY")
"${session_env[@]}" KWIN_COMPOSE=Q "$SESSION/kwin_wayland" --x11-display "$DISPLAY" --width 1024 --height 768 \
    --socket wayland-e2e --no-lockscreen --no-global-shortcuts --no-kactivities >"$ARTEFACTS/kwin.log" 2>&1 &
KWIN_PID=$!
# Ready once its socket is there and its window covers the screen (the only
# window on a display without a window manager).
kwin_ready() { [ -S "$SESSION/runtime/wayland-e2e" ] && xwininfo -root -children 2>/dev/null | grep -q '1024x768+0+0'; }
poll "$E2E_TIMEOUT" kwin_ready || e2e_fail "KWin did not start (see kwin.log)"
# KWin's window takes the keys while the pointer is over it.
xdotool mousemove 512 700

"${session_env[@]}" WAYLAND_DISPLAY=wayland-e2e QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=1 \
    "$BINARY" >"$ARTEFACTS/trainer.log" 2>&1 &
TRAINER_PID=$!

# The splash comes and goes by itself: its toplevel, titled "О программе",
# is destroyed when it closes.
splash_id() {
    sed -n -E 's/.*-> xdg_toplevel[@#]([0-9]+)\.set_title\("О программе"\).*/\1/p' "$ARTEFACTS/trainer.log" | head -1
}
splash_shown() { SPLASH=$(splash_id); [ -n "$SPLASH" ]; }
splash_closed() {
    CLOSED_AT=$(grep -n -E -- "-> xdg_toplevel[@#]$SPLASH\\.destroy\\(\\)" "$ARTEFACTS/trainer.log" | head -1 | cut -d: -f1)
    [ -n "$CLOSED_AT" ]
}
# Then KWin gives the keyboard back to the main window.
keyboard_back() {
    awk -v after="$CLOSED_AT" 'NR > after && /wl_keyboard[@#][0-9]+\.enter\(/ { found = 1 } END { exit !found }' \
        "$ARTEFACTS/trainer.log"
}
poll "$E2E_TIMEOUT" splash_shown || e2e_fail "no splash (the main window was never activated)"
poll "$E2E_TIMEOUT" splash_closed || e2e_fail "the splash did not close by itself"
poll "$E2E_TIMEOUT" keyboard_back || e2e_fail "the main window did not get the keyboard back after the splash"
expect_server_frames "$ARTEFACTS/trainer.log"

# Level 1: the typing field shows, and from it where the window is. Before
# the game draws it, the white of the picture in its place can pass for
# it: the underline under the first letter tells the two apart.
press 1
field_found() {
    read -r FIELD_X FIELD_Y < <(python3 "$(dirname "$0")/find_on_screen.py" field "$(snap level_chosen)")
    [ -n "${FIELD_X:-}" ] && cursor_at 1 1 1
}
poll "$E2E_TIMEOUT" field_found || e2e_fail "choosing level 1 showed no typing field"
CLIENT_X=$((FIELD_X - 12)); CLIENT_Y=$((FIELD_Y - 34))
f=$ARTEFACTS/level_chosen.png
check_field_place "$f"

# KWin's title bar is above the menu bar; the program drew none of its own
# (navy) there.
[ "$(png_count "$f" "$CLIENT_X" $((CLIENT_Y - 70)) 792 70 000080)" -lt 100 ] ||
    e2e_fail "the program drew a title bar of its own inside KWin's frame"
read -r CLOSE_X CLOSE_Y < <(python3 "$(dirname "$0")/find_on_screen.py" glyph "$f" \
    $((CLIENT_X + 700)) $((CLIENT_Y - 70)) 92 50)
[ -n "${CLOSE_X:-}" ] || e2e_fail "no close button on a title bar above the window"

# "ПАРА ПАРА " and one more letter, by the keys of the us layout.
press g f h f space g f h f space g
wait_cursor 1 1 12 || e2e_fail "the typed letters were not all counted"
f=$(snap typed)
keep typed kwin
for p in 1 2 3 4 6 7 8 9 11; do expect_letter_typed "$f" 1 1 "$p"; done
expect_letter_untyped "$f" 1 1 12

# KWin's close button ends the program, with status 0.
click_at "$CLOSE_X" "$CLOSE_Y"
wait_exit || e2e_fail "the close button of KWin's title bar did not end the program"
expect_eq "$TRAINER_STATUS" 0 "exit status after closing"
echo "native Wayland under KWin: passed"
