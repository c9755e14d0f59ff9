#!/usr/bin/env bash
# The "Пауза" button during a game: clicking it stops the clock, clicking
# again restarts it; paused by the button, a typed key resumes the clock and
# is judged as usual. The button looks pressed exactly while paused.
set -u
source "$(dirname "$0")/xsession.sh"
e2e_begin pause_resume "$@"

start_session us

press 1
wait_cursor 1 1 1
pressed_look=$(screen_hash $(pause_rect))    # a game begins paused

# Seconds of a running clock pass; of a stopped one not (2 s of looking,
# from the moment the button shows the pause: the click has been handled).
clock_runs() {
    local before
    before=$(screen_hash $(clock_rect))
    poll "$E2E_TIMEOUT" screen_differs "$before" "$(clock_rect)"
}
pause_looks_pressed() {
    [ "$(screen_hash $(pause_rect))" = "$pressed_look" ]
}
clock_stopped() {
    local before
    poll "$E2E_TIMEOUT" pause_looks_pressed || return 1
    before=$(screen_hash $(clock_rect))
    sleep 2.2
    [ "$(screen_hash $(clock_rect))" = "$before" ]
}
click_pause() {
    click_at $(pause_centre)
    park_pointer
}

press g   # "П", correct: the first key ends the pause
clock_runs || e2e_fail "the clock did not start with the first key"
[ "$(screen_hash $(pause_rect))" != "$pressed_look" ] || e2e_fail "the pause button still looks pressed"

click_pause
clock_stopped || e2e_fail "the clock ran on after the pause button was clicked"
expect_eq "$(screen_hash $(pause_rect))" "$pressed_look" "look of the pause button, paused"
shot paused_by_button

click_pause
clock_runs || e2e_fail "clicking the pressed pause button did not restart the clock"

click_pause
clock_stopped || e2e_fail "the clock ran on after the second pause"
press f   # "А", correct: resumes and counts
clock_runs || e2e_fail "a typed key did not resume the clock"
[ "$(screen_hash $(pause_rect))" != "$pressed_look" ] || e2e_fail "the pause button still looks pressed after a key"
wait_cursor 1 1 3
f=$(snap resumed)
expect_letter_typed "$f" 1 1 2
echo "pause and resume: passed"
