#!/usr/bin/env bash
# The trainer on a native Wayland session: headless sway, the program with
# QT_QPA_PLATFORM=wayland, keys typed with wtype, screenshots with grim.
# sway draws the title bars of the programs that ask for them: the protocol
# log (WAYLAND_DEBUG) must show every window asking and being granted the
# server-side frame, and the screenshot sway's title bar with no bar of the
# program's own beneath it. The level is chosen and the first words typed;
# the letters are counted on the screenshot (black typed letters, the
# underline under the next). Closing the window through sway ends the
# program with status 0. It is started at a desktop scale of 1.5, which it
# rounds down to 1, starting itself again: the protocol log must show the
# compositor asked once.
# sway refuses to run as root: run as root, the test makes an unprivileged
# user "paltsekhod-e2e" (once) and runs sway, the trainer, wtype and grim as
# that user with a runtime directory of its own; it is skipped (77) only
# where no such user can be made.
# Usage: wayland.sh BINARY ARTEFACTS
set -u
source "$(dirname "$0")/xsession.sh"
e2e_begin wayland "$1" "${2:-/tmp/paltsekhod-e2e}"
unset DISPLAY WAYLAND_DISPLAY

TEST_USER=paltsekhod-e2e
SESSION=$(mktemp -d)
chmod 755 "$SESSION"
cleanup() {
    local pid
    for pid in ${TRAINER_PID:-} ${KEYBOARD_PID:-} ${SWAY_PID:-}; do kill "$pid" 2>/dev/null; done
    wait 2>/dev/null
    rm -rf "$SESSION"
}
trap cleanup EXIT

if [ "$(id -u)" -eq 0 ]; then
    if ! id "$TEST_USER" >/dev/null 2>&1; then
        useradd --system --no-create-home --home-dir /nonexistent --shell /usr/sbin/nologin "$TEST_USER" ||
            { echo "SKIP: no unprivileged user for sway could be made (useradd $TEST_USER failed)"; exit 77; }
    fi
    run_as=(setpriv --reuid="$TEST_USER" --regid="$(id -g "$TEST_USER")" --init-groups)
else
    run_as=()
fi
# The user may not reach the build tree; the program needs nothing beside it.
cp "$BINARY" "$SESSION/paltsekhod" && chmod 755 "$SESSION/paltsekhod" || e2e_fail "could not copy the program"
RUNTIME=$SESSION/runtime
mkdir -m 700 "$RUNTIME"
[ ${#run_as[@]} -eq 0 ] || chown "$TEST_USER:" "$RUNTIME"

cat >"$SESSION/sway.conf" <<'CONF'
xwayland disable
output HEADLESS-1 mode 1024x768 position 0 0
default_border normal 2
default_floating_border normal 2
# title bar colours of its own, so that the picture does not depend on
# sway's defaults: border, background, text, indicator, child border
client.focused #4c7899 #285577 #ffffff #2e9ef4 #285577
client.focused_inactive #4c7899 #285577 #ffffff #2e9ef4 #285577
client.unfocused #4c7899 #285577 #ffffff #2e9ef4 #285577
focus_follows_mouse no
for_window [title="^Пальцеход$"] floating enable, move position 0 0
CONF
chmod 644 "$SESSION/sway.conf"

# as_user COMMAND...: runs a command as the session's user, in its session
# (the compositor's sockets once it has made them). Background processes
# start from "${USER_ENV[@]}" directly, so that $! is their own process.
user_env() {
    USER_ENV=("${run_as[@]}" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 HOME="$RUNTIME"
              XDG_RUNTIME_DIR="$RUNTIME" QT_QPA_PLATFORM=wayland)
    [ -n "${WAYLAND_SOCKET_NAME:-}" ] && USER_ENV+=(WAYLAND_DISPLAY="$WAYLAND_SOCKET_NAME")
    [ -n "${SWAY_SOCKET:-}" ] && USER_ENV+=(SWAYSOCK="$SWAY_SOCKET")
    true
}
as_user() {
    user_env
    "${USER_ENV[@]}" "$@"
}

user_env
"${USER_ENV[@]}" WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
    sway -c "$SESSION/sway.conf" >"$ARTEFACTS/sway.log" 2>&1 &
SWAY_PID=$!
sway_ready() {
    WAYLAND_SOCKET_NAME=$(cd "$RUNTIME" && ls wayland-[0-9] 2>/dev/null | head -1)
    SWAY_SOCKET=$(ls "$RUNTIME"/sway-ipc.*.sock 2>/dev/null | head -1)
    [ -n "$WAYLAND_SOCKET_NAME" ] && [ -n "$SWAY_SOCKET" ] && as_user swaymsg -t get_version >/dev/null 2>&1
}
poll "$E2E_TIMEOUT" sway_ready || e2e_fail "sway did not start (see sway.log)"

# The headless seat has no keyboard; without one no window is ever
# activated, and the splash waits for the first activation. A wtype that
# sleeps holds a virtual keyboard for the whole session.
user_env
"${USER_ENV[@]}" wtype -s 600000 -k Shift_L >/dev/null 2>&1 &
KEYBOARD_PID=$!

tree() { as_user swaymsg -t get_tree 2>/dev/null; }
window_shown() { tree | grep -q "\"name\": \"$1\""; }
window_absent() { ! window_shown "$1"; }

"${USER_ENV[@]}" QT_SCALE_FACTOR=1.5 WAYLAND_DEBUG=1 "$SESSION/paltsekhod" >"$ARTEFACTS/trainer.log" 2>&1 &
TRAINER_PID=$!
poll "$E2E_TIMEOUT" window_shown 'Пальцеход' || e2e_fail "the main window did not appear"
poll "$E2E_TIMEOUT" window_shown 'О программе' || e2e_fail "no splash (the window was never activated)"
poll "$E2E_TIMEOUT" window_absent 'О программе' || e2e_fail "the splash did not close by itself"

# Screenshots come from grim; a failure leaves one too.
shot() { as_user grim - >"$ARTEFACTS/$1.png" 2>/dev/null; }
e2e_fail() {
    echo "FAIL: $*" >&2
    shot failure
    exit 1
}

# The frames: sway grants every window the frame it asks for.
expect_server_frames "$ARTEFACTS/trainer.log"
# Started at a scale of 1.5, the program starts itself again at scale 1
# (Qt connects twice: connections that bind a seat), and asks the
# compositor once all the same (the question binds the decoration manager
# and no seat).
read -r asked qt < <(awk '/-> wl_display[@#]1\.get_registry/ { n++ }
    /-> wl_registry[@#][0-9]+\.bind\(/ && /"zxdg_decoration_manager_v1"/ { deco[n] = 1 }
    /-> wl_registry[@#][0-9]+\.bind\(/ && /"wl_seat"/ { seat[n] = 1 }
    END { for (i = 1; i <= n; i++) { if (deco[i] && !seat[i]) a++; if (seat[i]) q++ } print a + 0, q + 0 }' \
    "$ARTEFACTS/trainer.log")
expect_eq "$qt" 2 "Qt's connections to sway: the first start and the start again"
expect_eq "$asked" 1 "questions to sway in one start"

# The main window's place as sway has it: the container's "rect" lies below
# its title bar ("deco_rect", relative to it), the client area is
# "window_rect" inside it; 792 x 554 below the menu bar.
read -r RECT_X RECT_Y WIN_X WIN_Y WIN_W WIN_H DECO_H < <(tree | awk '
    /"(rect|window_rect|deco_rect)": \{/ { which = $1; gsub(/[":]/, "", which); next }
    which != "" && /"(x|y|width|height)":/ { gsub(/[",:]/, ""); v[which "." $1] = $2 }
    which != "" && /\}/ { which = "" }
    /"name": "Пальцеход"/ { print v["rect.x"], v["rect.y"], v["window_rect.x"], v["window_rect.y"],
                                 v["window_rect.width"], v["window_rect.height"], v["deco_rect.height"]; exit }')
expect_eq "$WIN_W" 792 "width of the main window"
MENUBAR_H=$((WIN_H - 554))
[ "$MENUBAR_H" -gt 8 ] && [ "$MENUBAR_H" -lt 60 ] || e2e_fail "menu bar height $MENUBAR_H"
CLIENT_X=$((RECT_X + WIN_X)); CLIENT_Y=$((RECT_Y + WIN_Y + MENUBAR_H))
[ "${DECO_H:-0}" -gt 10 ] || e2e_fail "sway drew no title bar above the window (deco_rect height '${DECO_H:-}')"
FIELD_X=$((CLIENT_X + 12)); FIELD_Y=$((CLIENT_Y + 34))

# The underline (24 x 6 purple) under letter (n, p) at level L.
wl_cursor_at() { [ "$(png_count "$(snap cursor)" $(cursor_rect "$1" "$2" "$3") 800080)" -eq 144 ]; }

as_user wtype 1 || e2e_fail "wtype 1"
poll "$E2E_TIMEOUT" wl_cursor_at 1 1 1 || e2e_fail "choosing level 1 did not start the game"
f=$(snap level_chosen)
check_field_place "$f"
# sway's title bar is there, in its own colour; the program drew none of
# its own (navy) between it and the menu bar.
[ "$(png_count "$f" "$RECT_X" $((RECT_Y - DECO_H)) 792 "$DECO_H" 285577)" -gt 5000 ] ||
    e2e_fail "no sway title bar above the window"
[ "$(png_count "$f" "$CLIENT_X" $((RECT_Y + WIN_Y)) 792 22 000080)" -lt 100 ] ||
    e2e_fail "the program drew a title bar of its own inside sway's frame"

# "ПАРА ПАРА " and one more letter, as the Russian layout writes them:
# wtype puts each character on a keycode of a keymap of its own.
as_user wtype "пара пара п" || e2e_fail "wtype"
poll "$E2E_TIMEOUT" wl_cursor_at 1 1 12 || e2e_fail "the typed letters were not all counted"
f=$(snap typed)
keep typed wayland
for p in 1 2 3 4 6 7 8 9 11; do expect_letter_typed "$f" 1 1 "$p"; done
expect_letter_untyped "$f" 1 1 12
kill -0 "$TRAINER_PID" 2>/dev/null || e2e_fail "the trainer ended"

# Closed as sway's frame closes it; the program ends with status 0.
as_user swaymsg '[title="^Пальцеход$"] kill' >/dev/null || e2e_fail "swaymsg kill"
trainer_ended() { ! kill -0 "$TRAINER_PID" 2>/dev/null; }
poll "$E2E_TIMEOUT" trainer_ended || e2e_fail "closing the window did not end the program"
wait "$TRAINER_PID"
status=$?
TRAINER_PID=
expect_eq "$status" 0 "exit status after closing"
echo "native Wayland under headless sway: passed"
