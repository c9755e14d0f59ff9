#!/usr/bin/env bash
# Characters sent with `xdotool type`, which puts a character that the
# layout lacks on a spare keycode, as on-screen keyboards and remote-desktop
# clients do: Cyrillic letters in the "us" layout, then Latin letters in the
# "ru" layout, each judged by its place on the keyboard, right and wrong.
# Usage: typed_chars.sh BINARY ARTEFACTS
#
# Left to itself, xdotool binds the character to the spare keycode, sends
# the key and unbinds it a moment later; a client that reads the new keymap
# only after that sees a key without any symbol. So the characters are
# bound to spare keycodes beforehand: xdotool then types them on those
# keycodes, and the trainer gets the same key events without that race.
set -u
source "$(dirname "$0")/xsession.sh"
e2e_begin typed_chars "$1" "${2:-/tmp/paltsekhod-e2e}"

start_session us
press 1
wait_cursor 1 1 1
errors=$(screen_hash $(errors_rect))   # "0"

# bind_spare KEYSYM...: puts each keysym on a keycode of its own that the
# layout leaves empty.
bind_spare() {
    local spare=($(xmodmap -pke | awk 'NF == 3 { print $2 }')) i=0 sym
    [ ${#spare[@]} -ge $# ] || e2e_fail "only ${#spare[@]} spare keycodes"
    for sym in "$@"; do
        xmodmap -e "keycode ${spare[i]} = $sym" || e2e_fail "xmodmap: $sym"
        i=$((i + 1))
    done
}

# Wrong: the statistics show again at the next clock tick, and the errors
# label then differs; the underline has not moved.
expect_wrong() {
    poll 3 screen_differs "$errors" "$(errors_rect)" || e2e_fail "$1 did not count as an error"
    cursor_at 1 1 "$2" || e2e_fail "the underline moved after $1"
    errors=$(screen_hash $(errors_rect))
}

# The line reads "ПАРА ПАРА ...".
bind_spare Cyrillic_pe Cyrillic_a Cyrillic_er Cyrillic_o
xdotool type --delay 30 "пар"
wait_cursor 1 1 4
xdotool type --delay 30 "о"
expect_wrong "a wrong Cyrillic letter" 4
xdotool type --delay 30 "а"
wait_cursor 1 1 5
shot cyrillic_typed

setxkbmap ru || e2e_fail "setxkbmap ru"
bind_spare g f j h
press space   # a physical key in the new layout
wait_cursor 1 1 6
xdotool type --delay 30 "gf"   # П А
wait_cursor 1 1 8
xdotool type --delay 30 "j"    # О where Р is due
expect_wrong "a wrong Latin letter" 8
xdotool type --delay 30 "h"    # Р
wait_cursor 1 1 9
f=$(snap latin_typed)
for p in 1 2 3 4 6 7 8; do expect_letter_typed "$f" 1 1 $p; done   # 5 is a space
expect_letter_untyped "$f" 1 1 9
echo "characters typed with xdotool: passed"
