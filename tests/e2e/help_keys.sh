#!/usr/bin/env bash
# Help (F1) and the guidance note during a game: the viewer opens over the
# game, Escape and Enter close it, F1 is no typed key (the error count stays),
# and typing goes on where it was. Keeps <artefacts>/help.png and
# guidance.png.
set -u
source "$(dirname "$0")/xsession.sh"
e2e_begin help_keys "$@"

start_session us

press 1
wait_cursor 1 1 1
no_errors=$(screen_hash $(errors_rect))   # "0"
press g   # "П", correct; the clock runs from here
wait_cursor 1 1 2

press_key_of F1
viewer=$(wait_window 'Справочная информация') || e2e_fail "F1 did not open the help"
sleep 0.3
shot help
keep help help
press Escape
wait_gone 'Справочная информация' || e2e_fail "Escape did not close the help"

press_key_of F1
wait_window 'Справочная информация' >/dev/null || e2e_fail "F1 did not open the help a second time"
press Return
wait_gone 'Справочная информация' || e2e_fail "Enter did not close the help"

menu_command 2 1 3   # Справка → "Методические указания" (first of three)
wait_window 'Методические указания' >/dev/null || e2e_fail "the guidance note did not open"
sleep 0.3
shot guidance
keep guidance guidance
press Return
wait_gone 'Методические указания' || e2e_fail "Enter did not close the guidance note"

# Typing goes on at letter 2 ("А").
press f
wait_cursor 1 1 3
f=$(snap typed_after_help)
expect_letter_typed "$f" 1 1 2
# The statistics show at each clock tick; after one more the errors still
# read as before.
before=$(screen_hash $(clock_rect))
poll "$E2E_TIMEOUT" screen_differs "$before" "$(clock_rect)" || e2e_fail "the clock does not run"
expect_eq "$(screen_hash $(errors_rect))" "$no_errors" "errors label after F1 and the viewers"

# The errors label is really where it is looked at: a wrong key changes it.
press z
poll "$E2E_TIMEOUT" screen_differs "$no_errors" "$(errors_rect)" || e2e_fail "a wrong key did not change the errors label"
echo "help and guidance during a game: passed"
