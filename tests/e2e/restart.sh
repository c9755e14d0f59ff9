#!/usr/bin/env bash
# "Начать заново" from the menu in mid-game (mouse only): the typing field
# and keyboard go, the background picture is back, the play-again question
# is asked. Enter ("Да") returns to the level choice; a second game at
# level 2 is abandoned the same way, and Escape ("Нет") ends the program
# with status 0.
set -u
source "$(dirname "$0")/xsession.sh"
e2e_begin restart "$@"

start_session us
f=$(snap start)
background=$(png_hash "$f" $(picture_rect))
level_choice=$(png_hash "$f" $(answers_rect))

# Background picture and choice area as in the start state.
picture_shown() {
    [ "$(screen_hash $(picture_rect))" = "$background" ]
}
choice_shown() {
    [ "$(screen_hash $(answers_rect))" = "$level_choice" ]
}

restart_from_menu() {
    menu_command 1 2 4   # Настройка → "Начать заново" (second of four items)
    poll "$E2E_TIMEOUT" picture_shown || e2e_fail "the background picture did not come back after $1"
    local shot_file
    shot_file=$(snap "question_after_$1")
    [ "$(png_count "$shot_file" "$FIELD_X" "$FIELD_Y" 601 251 FFFFFF)" -lt $((601 * 251)) ] ||
        e2e_fail "the field's white area is still there after $1"
    ! choice_shown || e2e_fail "no play-again question after $1"
}

press 1
wait_cursor 1 1 1
press g f h
wait_cursor 1 1 4
picture_shown && e2e_fail "the background picture shows during the game"
restart_from_menu level1

# Enter answers "Да": back to the level choice as at start.
press Return
poll "$E2E_TIMEOUT" choice_shown || e2e_fail "Enter at the play-again question did not return to the level choice"

# A level-2 game: four lines from y 25, abandoned at once.
press 2
wait_cursor 2 1 1
f=$(snap level2)
expect_ge "$(png_count "$f" "$FIELD_X" $((FIELD_Y + 3 * 50 + 25)) 601 50 C0C0C0)" 1000 "grey letters of line 4"
expect_eq "$(png_count_other "$f" "$FIELD_X" $((FIELD_Y + 4 * 50 + 25)) 601 26 FFFFFF)" 0 "the field below line 4"
restart_from_menu level2

press Escape
wait_exit || e2e_fail "Escape at the play-again question did not end the program"
expect_eq "$TRAINER_STATUS" 0 "exit status after Escape"
echo "restart from the menu: passed"
