#!/usr/bin/env bash
# Level 1, the first three letters "ПАР" typed (physical keys G F H): the
# screen is checked pixel by pixel against the field and keyboard geometry.
# The screenshot is always kept as <artefacts>/typed_par.png.
set -u
source "$(dirname "$0")/xsession.sh"
e2e_begin typed_pixels "$@"

start_session us

press 1
wait_cursor 1 1 1
f=$(snap level1)
check_field_place "$f"
# Three lines of 50 pixels, centred: the first text starts 50 below the top.
expect_eq "$(png_count_other "$f" "$FIELD_X" "$FIELD_Y" 601 50 FFFFFF)" 0 "the field above line 1"
for n in 1 2 3; do
    expect_ge "$(png_count "$f" "$FIELD_X" $((FIELD_Y + n * 50)) 601 50 C0C0C0)" 1000 "grey letters of line $n"
done
expect_eq "$(png_count_other "$f" "$FIELD_X" $((FIELD_Y + 200)) 601 51 FFFFFF)" 0 "the field below line 3"
# "П" (key G, template (210, 56)) is lit in the index finger's fuchsia.
expect_ge "$(png_count "$f" $(key_rect 210 56) FF00FF)" 300 "fuchsia on the key of П"

press g f h
wait_cursor 1 1 4
f=$(snap typed_par)
keep typed_par typed_par

for p in 1 2 3; do expect_letter_typed "$f" 1 1 $p; done
expect_letter_untyped "$f" 1 1 4
# Exactly one underline, the full 24 x 6 under the fourth letter; the one
# under the third letter is erased.
expect_eq "$(png_count "$f" $(cursor_rect 1 1 4) 800080)" 144 "underline under letter 4"
expect_eq "$(png_count "$f" $(cursor_rect 1 1 3) FFFFFF)" 144 "white where the underline of letter 3 was"
expect_eq "$(png_count "$f" "$FIELD_X" "$FIELD_Y" 601 251 800080)" 144 "purple pixels in the whole field"

# The key of "А" (F, template (162, 56)) is lit: fuchsia inside its box,
# and nowhere else on the keyboard; the keys typed before are restored.
# (The box centre itself lies on the black crossbar of the letter, which
# the AND-combined ellipse leaves black; the middle of its left side is
# inside the ellipse and clear of the letter.)
set -- $(key_rect 162 56)
expect_eq "$(png_pixel "$f" $(($1 + 18)) $(($2 + 19)))" 000000 "centre of the key of А (the letter's crossbar)"
expect_eq "$(png_pixel "$f" $(($1 + 4)) $(($2 + 19)))" FF00FF "left middle of the key of А"
expect_eq "$(png_pixel "$f" $(($1 + 18)) $(($2 + 34)))" FF00FF "bottom middle of the key of А"
lit=$(png_count "$f" $(key_rect 162 56) FF00FF)
expect_ge "$lit" 300 "fuchsia on the key of А"
expect_eq "$(png_count "$f" "$KEYS_X" "$KEYS_Y" 601 151 FF00FF)" "$lit" "fuchsia on the whole keyboard"
for key in "210 56" "282 56"; do
    expect_eq "$(png_count "$f" $(key_rect $key) FF00FF)" 0 "fuchsia left on the key at ($key)"
done
echo "typed ПАР: pixels as expected"
