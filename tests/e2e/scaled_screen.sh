#!/usr/bin/env bash
# The trainer on a desktop scaled through the X resource Xft.dpi.
# Usage: scaled_screen.sh BINARY ARTEFACTS WxH DPI SCALE
# The trainer starts without a refusal, shows at the whole-number SCALE
# (client area 792 x 554 times SCALE), and its framed window lies on the
# screen. Level 1 is chosen: the underline under the first letter is one
# solid purple block of (24 x 6) times SCALE, the only purple in the field,
# and every pixel of the field and keyboard pictures is a solid
# SCALE x SCALE block. The screenshot is kept as <artefacts>/scaled_WxH.png.
# The first exercise is typed to the result message, and help is opened:
# none of the four fixed-size windows (main window, About, message, viewer)
# may be maximised or resized by the window manager.
set -u
source "$(dirname "$0")/xsession.sh"
SCREEN=$3
DPI=$4
S=$5
e2e_begin "scaled_${SCREEN}_dpi$DPI" "$@"

start_display "${SCREEN}x24"
echo "Xft.dpi: $DPI" | xrdb -merge || e2e_fail "xrdb"
setxkbmap us || e2e_fail "setxkbmap us"
# The window manager's allowed actions for a window hold neither maximising
# nor resizing (openbox draws such a window's maximise button disabled).
allowed_actions() {
    ACTIONS=$(xprop -id "$1" _NET_WM_ALLOWED_ACTIONS 2>/dev/null)
    grep -q _NET_WM_ACTION_MOVE <<<"$ACTIONS"
}
expect_fixed_window() {
    poll "$E2E_TIMEOUT" allowed_actions "$1" || e2e_fail "the window manager set no allowed actions on $2"
    ! grep -q 'MAXIMIZE\|_NET_WM_ACTION_RESIZE' <<<"$ACTIONS" || e2e_fail "$2 can be maximised or resized: $ACTIONS"
}

start_trainer "$BINARY"   # a refused screen would end the program without a main window
splash=$(wait_window 'О программе') || e2e_fail "no splash"
expect_fixed_window "$splash" "the About box"
expect_fixed_window "$WINDOW" "the main window"
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
    # compare prints the count of differing pixels, then (ImageMagick 7) the
    # same normalised in brackets: "0 (0)".
    [ "$(compare -metric AE "$ARTEFACTS/area.png" "$ARTEFACTS/resampled.png" null: 2>&1 | awk '{ print $1; exit }')" = 0 ]
}
blocks_solid "$FIELD_X" "$FIELD_Y" $((601 * S)) $((251 * S)) || e2e_fail "the typing field is not made of $S x $S blocks"
blocks_solid "$KEYS_X" "$KEYS_Y" $((601 * S)) $((151 * S)) || e2e_fail "the keyboard is not made of $S x $S blocks"
expect_ge "$(png_count "$f" "$FIELD_X" "$FIELD_Y" $((601 * S)) $((251 * S)) C0C0C0)" $((3000 * S * S)) "grey letters"

# The rest of the first exercise (П is the first letter, keys G F H J for П А Р О).
declare -A key=([П]=g [А]=f [Р]=h [О]=j [" "]=space)
text="ПАРА ПАРА ПАРА ПАРА ПАРА ПОРА ПОРА ПОРА ПОРА ПОРА ПАРА ПОРА ПАРА ПОРА ПАРА "
keys=()
for ((i = 0; i < ${#text}; i++)); do keys+=("${key[${text:i:1}]}"); done
press "${keys[@]}"
message=$(wait_window 'Конец упражнения') || e2e_fail "no result after the first exercise"
expect_fixed_window "$message" "the message box"
sleep 0.2
shot result
press Return
wait_gone 'Конец упражнения' || e2e_fail "the result did not close"
focus "$WINDOW"
press_key_of F1
viewer=$(wait_window 'Справочная информация') || e2e_fail "F1 did not open the help"
expect_fixed_window "$viewer" "the help viewer"
sleep 0.2
f=$(snap help)
# The documents' text grows with the scale alone, whatever the desktop's
# font resolution: the navy headings in view cover S x S times what they
# cover at scale 1 (about 1250 pixels, give or take the letters' smoothing).
info=$(xwininfo -id "$viewer")
navy=$(png_count "$f" $(awk '/Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF}
                             /Width:/ {w = $NF} /Height:/ {h = $NF} END {print x, y, w, h}' <<<"$info") 000080)
echo "navy heading pixels in the help viewer: $navy"
[ "$navy" -ge $((1000 * S * S)) ] && [ "$navy" -le $((1600 * S * S)) ] ||
    e2e_fail "the help's headings cover $navy pixels, not about $((1250 * S * S)): text not at scale $S"
press Escape
wait_gone 'Справочная информация' || e2e_fail "Escape did not close the help"
echo "scaled $SCREEN at Xft.dpi $DPI: scale $S, crisp; no window can be maximised"
