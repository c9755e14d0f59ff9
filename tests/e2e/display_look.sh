#!/usr/bin/env bash
# How the start state looks on an 800 x 600 screen of the given depth:
#  - the whole window, frame included, fits on the screen;
#  - the text of the side panel's labels ("Время" and the prompt under the
#    pause button) stands where it stands on a 24-bit screen and has as much
#    ink: its dark pixels cover the same box (within 2 pixels) and about the
#    same area. Below 24 bits the letters are smoothed, so pixels differ;
#    garbled text (shrunken, repeated or stray glyphs) fails both measures.
# Usage: display_look.sh BINARY ARTEFACTS DEPTH. Every problem is listed.
set -u
source "$(dirname "$0")/xsession.sh"
DEPTH=$3
e2e_begin "display_look_$DEPTH" "$@"

LABELS=("667 114 81 20" "637 224 141 101")   # "x y w h" in the client area
problems=()

start_state() {
    local depth=$1 f i=0 frame sw sh
    start_display "800x600x$depth"
    start_trainer "$BINARY"
    wait_splash
    park_pointer
    wait_still "$CLIENT_X $CLIENT_Y 792 554"
    f=$(snap "start_$depth")
    for rect in "${LABELS[@]}"; do
        set -- $rect
        i=$((i + 1))
        convert "$f" -crop "${3}x${4}+$((CLIENT_X + $1))+$((CLIENT_Y + $2))" +repage -colorspace gray \
            -threshold 12% "$ARTEFACTS/label${i}_$depth.png" || e2e_fail "cropping label $i"
    done
    if [ "$depth" = "$DEPTH" ]; then
        # The frame the window manager put around the window.
        frame=$(xwininfo -id "$(xwininfo -id "$WINDOW" -children | awk '/Parent window id/ {print $4}')")
        read -r sw sh < <(xdpyinfo | awk '/dimensions:/ {split($2, d, "x"); print d[1], d[2]}')
        local fx fy fw fh
        fx=$(awk '/Absolute upper-left X/ {print $NF}' <<<"$frame")
        fy=$(awk '/Absolute upper-left Y/ {print $NF}' <<<"$frame")
        fw=$(awk '/Width:/ {print $NF}' <<<"$frame")
        fh=$(awk '/Height:/ {print $NF}' <<<"$frame")
        [ "$fx" -ge 0 ] && [ "$fy" -ge 0 ] && [ $((fx + fw)) -le "$sw" ] && [ $((fy + fh)) -le "$sh" ] ||
            problems+=("the window (frame ${fw}x${fh} at $fx,$fy; client bottom at $((CLIENT_Y + 554))) does not fit on ${sw}x${sh}")
    fi
    stop_display
    TRAINER_PID=""; WM_PID=""; XVFB_PID=""
}

[ "$DEPTH" = 24 ] || start_state 24
start_state "$DEPTH"
# Dark pixels of a thresholded crop: "count x y w h" of their bounding box.
ink() {
    convert "$1" -negate -format "%[fx:round(mean*w*h)] " info:
    convert "$1" -negate -trim -format "%X %Y %w %h" info: | tr -d '+'
    echo
}
for i in $(seq 1 ${#LABELS[@]}); do
    read -r c24 x24 y24 w24 h24 < <(ink "$ARTEFACTS/label${i}_24.png")
    read -r c x y w h < <(ink "$ARTEFACTS/label${i}_$DEPTH.png")
    for pair in "$x24 $x" "$y24 $y" "$w24 $w" "$h24 $h"; do
        set -- $pair
        d=$(($1 - $2)); d=${d#-}
        [ "$d" -le 2 ] || { problems+=("label $i: ink box $w x $h at $x,$y, at 24 bits $w24 x $h24 at $x24,$y24"); break; }
    done
    [ $((c * 10)) -ge $((c24 * 7)) ] && [ $((c * 10)) -le $((c24 * 13)) ] ||
        problems+=("label $i: $c dark pixels at depth $DEPTH, $c24 at 24 bits")
done
[ ${#problems[@]} -eq 0 ] || { printf 'problem: %s\n' "${problems[@]}" >&2; exit 1; }
echo "800x600 at depth $DEPTH: window fits, text in place as at 24 bits"
