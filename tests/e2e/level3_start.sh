#!/usr/bin/env bash
# Start-up and the start of a level-3 game: the splash's bar fills while it
# is shown; "3", pressed while the splash is still up, chooses level 3 once
# it has gone; level 3 shows five lines from the field's top, the game
# begins paused with the clock at "00:00", and the first key starts the
# clock. Keeps <artefacts>/splash.png (bar part-filled) and level3.png.
set -u
source "$(dirname "$0")/xsession.sh"
e2e_begin level3_start "$@"

start_session us during-splash

# The splash: while it shows, its fill bar (navy, at (19, 235), 433 x 20 in
# its client area) fills a tenth at a time; it is seen part-filled, neither
# empty nor full, on the way.
splash=$(wait_window 'О программе') || e2e_fail "no splash"
info=$(xwininfo -id "$splash")
sx=$(awk '/Absolute upper-left X/ {print $NF}' <<<"$info")
sy=$(awk '/Absolute upper-left Y/ {print $NF}' <<<"$info")
bar_part_filled() {
    f=$(snap splash)
    filled=$(png_count "$f" $((sx + 19)) $((sy + 235)) 433 20 000080)
    [ "$filled" -gt 800 ] && [ "$filled" -lt 7800 ]
}
poll "$E2E_TIMEOUT" bar_part_filled || e2e_fail "splash bar never seen part-filled: last $filled navy pixels of 8660"
keep splash splash
# A child who does not wait for the splash: the key is the splash's window's
# while it is up, and counts once it has gone.
press 3

wait_gone 'О программе' || e2e_fail "the splash did not close by itself"
focus "$WINDOW"
locate_window
wait_cursor 3 1 1
f=$(snap level3)
keep level3 level3
clock_zero=$(png_hash "$f" $(clock_rect))   # "00:00", paused
check_field_place "$f"
# Five lines of 50 pixels from the very top (V = 0): grey letters in each
# band, line 5 at y 200 with a grey pixel row at 220, nothing below it.
for n in 1 2 3 4 5; do
    expect_ge "$(png_count "$f" "$FIELD_X" $((FIELD_Y + (n - 1) * 50)) 601 50 C0C0C0)" 1000 "grey letters of line $n"
done
expect_ge "$(png_count "$f" "$FIELD_X" $((FIELD_Y + 4 * 50 + 20)) 601 1 C0C0C0)" 20 "grey pixels across line 5 at y 220"
expect_eq "$(png_count_other "$f" "$FIELD_X" $((FIELD_Y + 244)) 601 7 FFFFFF)" 0 "the field below line 5"
expect_eq "$(png_count "$f" "$FIELD_X" "$FIELD_Y" 601 251 000000)" 0 "black (typed) pixels before typing"

# Paused: the clock stays at "00:00".
sleep 2
expect_eq "$(screen_hash $(clock_rect))" "$clock_zero" "the clock 2 s into the paused game"
shot paused

# The first key ends the pause: the clock moves on within about a second.
press g
poll 4 screen_differs "$clock_zero" "$(clock_rect)" || e2e_fail "the clock did not start with the first key"
shot running
echo "level-3 start: passed"
