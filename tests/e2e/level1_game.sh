#!/usr/bin/env bash
# A whole level-1 game typed by physical keys in the given keyboard layout,
# from the level choice through five results and the victory to the
# play-again question, where Escape ends the program with status 0.
# Usage: level1_game.sh BINARY LAYOUT ARTEFACTS. In layout "us" the first
# result and the victory message are kept as <artefacts>/result.png and
# victory.png.
set -u
source "$(dirname "$0")/xsession.sh"
LAYOUT=$2
e2e_begin "level1_$LAYOUT" "$1" "${3:-/tmp/paltsekhod-e2e}"

start_session "$LAYOUT" during-splash
wait_splash

keysym() { home_row_keysym "$LAYOUT" "$1"; }

exercises=(
    "ПАРА ПАРА ПАРА ПАРА ПАРА |ПОРА ПОРА ПОРА ПОРА ПОРА |ПАРА ПОРА ПАРА ПОРА ПАРА "
    "ПОВАР ПОВАР ПОВАР ПОВАР |ВОЛ ВОЛ ВОЛ ВОЛ ВОЛ ВОЛ |ПОВАР ВОЛ ПОВАР ВОЛ "
    "ДЫРА ДЫРА ДЫРА ДЫРА ДЫРА |ПЛОДЫ ПЛОДЫ ПЛОДЫ ПЛОДЫ |ДЫРА ПЛОДЫ ДЫРА ПЛОДЫ "
    "ФАРЫ ФАРЫ ФАРЫ ФАРЫ ФАРЫ |ЖАЖДА ЖАЖДА ЖАЖДА ЖАЖДА |ФАРЫ ЖАЖДА ФАРЫ ЖАЖДА "
    "ЭРА ЭРА ЭРА ЭРА ЭРА ЭРА |ЛЫЖА ЛЫЖА ЛЫЖА ЛЫЖА ЛЫЖА |ЭРА ЛЫЖА ЭРА ЛЫЖА ЭРА "
)

press 1
wait_cursor 1 1 1
shot level_chosen
no_errors=$(screen_hash $(errors_rect))   # "0"
n=0
for exercise in "${exercises[@]}"; do
    n=$((n + 1))
    text=${exercise//|/}
    keys=()
    for ((i = 0; i < ${#text}; i++)); do keys+=("$(keysym "${text:i:1}")"); done
    # All but the last letter, then a look at the screen mid-exercise.
    if [ $n -eq 1 ]; then
        # Each key was judged exactly once: with two letters to go the
        # underline stands under letter 24 of line 3, and once the
        # statistics have been shown again (at a clock tick) the errors
        # still read "0".
        press "${keys[@]:0:${#keys[@]}-2}"
        wait_cursor 1 3 24
        clock=$(screen_hash $(clock_rect))
        poll 3 screen_differs "$clock" "$(clock_rect)" || e2e_fail "the clock does not run"
        expect_eq "$(screen_hash $(errors_rect))" "$no_errors" "errors label two letters before the end of exercise 1"
        press "${keys[-2]}"
        shot exercise1_almost_done
    else
        press "${keys[@]:0:${#keys[@]}-1}"
    fi
    press "${keys[-1]}"
    wait_window 'Конец упражнения' >/dev/null || e2e_fail "no result after exercise $n"
    sleep 0.2
    shot "result_$n"
    [ $n -eq 1 ] && [ "$LAYOUT" = us ] && keep result_1 result
    press Return
    wait_gone 'Конец упражнения' || e2e_fail "the result of exercise $n did not close"
done
wait_window 'Победа!' >/dev/null || e2e_fail "no victory message"
sleep 0.2
shot victory
[ "$LAYOUT" = us ] && keep victory victory
press Return
wait_gone 'Победа!' || e2e_fail "the victory message did not close"
sleep 0.3
shot play_again
focus "$WINDOW"
press Escape
wait_exit || e2e_fail "Escape at the play-again question did not end the program"
expect_eq "$TRAINER_STATUS" 0 "exit status after Escape"
echo "level-1 game in layout $LAYOUT: passed"
