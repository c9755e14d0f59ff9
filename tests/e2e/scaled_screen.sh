#!/usr/bin/env bash
# The trainer on a desktop scaled through the X resource Xft.dpi.
# Usage: scaled_screen.sh BINARY ARTEFACTS WxH DPI SCALE
# The trainer starts without a refusal, shows at the whole-number SCALE
# (client area 792 x 554 times SCALE), and its framed window lies on the
# screen. Level 1 is chosen: the underline under the first letter is one
# solid purple block of (24 x 6) times SCALE, the only purple in the field,
# and every pixel of the field and keyboard pictures is a solid
# SCALE x SCALE block. The screenshot is kept as <artefacts>/scaled_WxH.png.
set -u
source "$(dirname "$0")/xsession.sh"
SCREEN=$3
DPI=$4
S=$5
e2e_begin "scaled_${SCREEN}_dpi$DPI" "$@"

start_display "${SCREEN}x24"
echo "Xft.dpi: $DPI" | xrdb -merge || e2e_fail "xrdb"
setxkbmap us || e2e_fail "setxkbmap us"
start_trainer "$BINARY"   # a refused screen would end the program without a main window
wait_window 'О программе' >/dev/null || e2e_fail "no splash"
wait_gone 'О программе' || e2e_fail "the splash did not close by itself"
focus "$WINDOW"
park_pointer
[ -z "$(visible_window 'Неприемлемый режим экрана')" ] || e2e_fail "a refusal was shown"

# The window's size says the scale; the menu bar is what lies above the client area.
info=$(xwininfo -id "$WINDOW") || e2e_fail "xwininfo on the main window"
WIN_X=$(awk '/Absolute upper-left X/ {print $NF}' <<<"$info")
WIN_Y=$(awk '/Absolute upper-left Y/ {print $NF}' <<<"$info")
WIN_W=$(awk '/Width:/ {print $NF}' <<<"$info")
WIN_H=$(awk '/Height:/ {print $NF}' <<<"$info")
expect_eq "$WIN_W" $((792 * S)) "main window width at scale $S"
MENUBAR_H=$((WIN_H - 554 * S))
[ "$MENUBAR_H" -gt $((8 * S)) ] && [ "$MENUBAR_H" -lt $((30 * S)) ] || e2e_fail "menu bar height $MENUBAR_H at scale $S"
CLIENT_X=$WIN_X
CLIENT_Y=$((WIN_Y + MENUBAR_H))
echo "scale $S: client area $((792 * S)) x $((554 * S)) at ($CLIENT_X, $CLIENT_Y), menu bar $MENUBAR_H"

# The window with its frame lies on the screen.
read -r left right top bottom < <(xprop -id "$WINDOW" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
[ -n "${bottom:-}" ] || e2e_fail "no frame extents"
SCREEN_W=${SCREEN%x*}
SCREEN_H=${SCREEN#*x}
[ $((WIN_X - left)) -ge 0 ] && [ $((WIN_Y - top)) -ge 0 ] &&
    [ $((WIN_X + WIN_W + right)) -le "$SCREEN_W" ] && [ $((WIN_Y + WIN_H + bottom)) -le "$SCREEN_H" ] ||
    e2e_fail "the framed window ($((WIN_X - left)), $((WIN_Y - top))) $((WIN_W + left + right)) x $((WIN_H + top + bottom)) is not on the $SCREEN screen"

# Level 1: the underline under letter 1 of line 1 lies 14, 122 into the client area at scale 1.
FIELD_X=$((CLIENT_X + 12 * S)); FIELD_Y=$((CLIENT_Y + 34 * S))
KEYS_X=$((CLIENT_X + 12 * S)); KEYS_Y=$((CLIENT_Y + 319 * S))
UNDERLINE="$((CLIENT_X + 14 * S)) $((CLIENT_Y + 122 * S)) $((24 * S)) $((6 * S))"
underline_shown() {
    [ "$(screen_count $UNDERLINE 800080)" -eq $((144 * S * S)) ]
}
press 1
poll "$E2E_TIMEOUT" underline_shown || e2e_fail "no $((24 * S)) x $((6 * S)) underline under the first letter"
f=$(snap level1)
keep level1 "scaled_$SCREEN"
expect_eq "$(png_count "$f" "$FIELD_X" "$FIELD_Y" $((601 * S)) $((251 * S)) 800080)" $((144 * S * S)) \
    "purple pixels in the whole field"

# Solid blocks: shrinking each S x S block to one pixel and blowing it up
# again gives back exactly the same picture.
blocks_solid() {
    local crop="$3x$4+$1+$2"
    convert "$f" -crop "$crop" +repage "$ARTEFACTS/area.png"
    convert "$ARTEFACTS/area.png" -sample $((100 / S))% -sample $((100 * S))% "$ARTEFACTS/resampled.png"
    [ "$(compare -metric AE "$ARTEFACTS/area.png" "$ARTEFACTS/resampled.png" null: 2>&1)" = 0 ]
}
blocks_solid "$FIELD_X" "$FIELD_Y" $((601 * S)) $((251 * S)) || e2e_fail "the typing field is not made of $S x $S blocks"
blocks_solid "$KEYS_X" "$KEYS_Y" $((601 * S)) $((151 * S)) || e2e_fail "the keyboard is not made of $S x $S blocks"
expect_ge "$(png_count "$f" "$FIELD_X" "$FIELD_Y" $((601 * S)) $((251 * S)) C0C0C0)" $((3000 * S * S)) "grey letters"
echo "scaled $SCREEN at Xft.dpi $DPI: scale $S, crisp"
