#!/usr/bin/env bash
# The screen checks at start-up against a real X server of a given size and
# depth. Usage: display_mode.sh BINARY ARTEFACTS WxHxD run|refuse COUNT
#   run:        the main window and the splash appear, no refusal is
#               shown, and "Выход" ends the program with status 0 (how the
#               window looks there is display_look.sh's business);
#   refuse N:   exactly N message boxes titled "Неприемлемый режим экрана"
#               are shown one after the other, each dismissed with Enter;
#               then the program ends with status 1 and no main window was
#               ever mapped.
set -u
source "$(dirname "$0")/xsession.sh"
SCREEN=$3
EXPECT=$4
COUNT=${5:-0}
e2e_begin "display_$SCREEN" "$@"

start_display "$SCREEN"
# Every window the window manager takes on, with its title, as it happens.
# The spy prints the list once as soon as it watches; the trainer starts
# only then, so no window can be missed.
xprop -root -spy _NET_CLIENT_LIST 2>/dev/null | while read -r line; do
    touch "$ARTEFACTS/spying"
    for id in $(grep -o '0x[0-9a-f]*' <<<"$line"); do
        grep -q "^$id " "$ARTEFACTS/managed.txt" 2>/dev/null ||
            echo "$id $(xprop -id "$id" _NET_WM_NAME 2>/dev/null | sed -n 's/^[^=]*= "\(.*\)"$/\1/p')" >>"$ARTEFACTS/managed.txt"
    done
done &
poll "$E2E_TIMEOUT" test -e "$ARTEFACTS/spying" || e2e_fail "xprop does not watch the window list"

managed_titles() {
    cut -d' ' -f2- "$ARTEFACTS/managed.txt" 2>/dev/null
}

if [ "$EXPECT" = run ]; then
    start_trainer "$BINARY"
    wait_window 'О программе' >/dev/null || e2e_fail "no splash on $SCREEN"
    shot splash
    wait_splash
    shot start
    menu_command 1 4 4   # Настройка → "Выход" (last of four items)
    wait_exit || e2e_fail "\"Выход\" did not end the program"
    expect_eq "$TRAINER_STATUS" 0 "exit status after \"Выход\""
    managed_titles | grep -qx 'Неприемлемый режим экрана' && e2e_fail "a refusal was shown on $SCREEN"
    echo "display $SCREEN: runs"
    exit 0
fi

launch_trainer "$BINARY"
# Answer each refusal box as it comes; a new box is a new window id.
shown=0
last=""
deadline=$(($(uptime_s) + 30))
while kill -0 "$TRAINER_PID" 2>/dev/null; do
    [ "$(uptime_s)" -lt "$deadline" ] || e2e_fail "the program neither ended nor showed a further refusal"
    box=$(visible_window 'Неприемлемый режим экрана')
    if [ -n "$box" ] && [ "$box" != "$last" ]; then
        shown=$((shown + 1))
        last=$box
        sleep 0.3
        shot "refusal_$shown"
        focus "$box"
        press Return
    fi
    sleep 0.1
done
wait_exit || e2e_fail "the program did not end after the refusals"
expect_eq "$shown" "$COUNT" "refusal boxes shown on $SCREEN"
expect_eq "$TRAINER_STATUS" 1 "exit status after the refusals"
expect_eq "$(managed_titles | grep -cx 'Неприемлемый режим экрана')" "$COUNT" "refusal boxes the window manager saw"
managed_titles | grep -qx 'Пальцеход' && e2e_fail "the main window was mapped on $SCREEN"
grep -q 'fatal' "$ARTEFACTS/trainer.log" && e2e_fail "the program reported a fatal error"
echo "display $SCREEN: refused with $shown message box(es), status 1"
