# Shared by the end-to-end scripts: an Xvfb display with a light window
# manager, the trainer started on it, where its controls sit on the screen,
# and helpers to type, click, wait and look at pixels.
#
# Usage: e2e_begin NAME "$@" (BINARY and the artefacts root from the test's
#        command line); start_display WxHxD; start_trainer "$BINARY";
#        wait_splash; ...
# Step screenshots go to $ARTEFACTS (<root>/NAME); a failure leaves
# "failure.png" there; `keep` copies a screenshot the team always wants to
# see to the artefacts root.

# The scripts take Russian text apart letter by letter (${text:i:1}), which
# bash does by characters only in a UTF-8 locale: one is set whatever the
# caller's is.
export LC_ALL=C.UTF-8

# Seconds any single wait may take. Every wait is for a condition and ends as
# soon as it holds, so the bound only matters when something is broken; it is
# generous because a machine busy with other work may be slow to show things.
E2E_TIMEOUT=${E2E_TIMEOUT:-30}

e2e_fail() {
    echo "FAIL: $*" >&2
    [ -n "${ARTEFACTS:-}" ] && [ -n "${DISPLAY:-}" ] && shot failure
    exit 1
}

e2e_begin() {
    BINARY=$2
    ARTEFACTS_ROOT=${3:-/tmp/paltsekhod-e2e}
    ARTEFACTS=$ARTEFACTS_ROOT/$1
    rm -rf "$ARTEFACTS"
    mkdir -p "$ARTEFACTS"
    [ -x "$BINARY" ] || e2e_fail "no program at $BINARY"
}

# keep SHOT NAME: copies $ARTEFACTS/SHOT.png to <root>/NAME.png.
keep() {
    cp "$ARTEFACTS/$1.png" "$ARTEFACTS_ROOT/$2.png" || e2e_fail "could not keep $1"
}

# ---- display, window manager, program

# start_display SCREEN [bare]: Xvfb with openbox where it is installed;
# "bare" starts no window manager (for a compositor's window of its own).
start_display() {
    local screen=$1 wm=${2:-openbox} fdfile
    fdfile=$(mktemp)
    # -displayfd lets the server pick a free display number itself, so
    # parallel sessions on one machine never race for the same one;
    # -noreset keeps it from resetting when its last client leaves (a
    # client connecting during such a reset is turned away).
    Xvfb -displayfd 3 -noreset -screen 0 "$screen" -nolisten tcp 3>"$fdfile" >"${ARTEFACTS:-/tmp}/xvfb.log" 2>&1 &
    XVFB_PID=$!
    trap stop_display EXIT
    for _ in $(seq 1 200); do
        [ -s "$fdfile" ] && break
        kill -0 "$XVFB_PID" 2>/dev/null || break
        sleep 0.05
    done
    DISPLAY_NUMBER=$(head -1 "$fdfile")
    rm -f "$fdfile"
    [ -n "$DISPLAY_NUMBER" ] || e2e_fail "Xvfb did not start with screen $screen"
    export DISPLAY=:$DISPLAY_NUMBER
    unset WAYLAND_DISPLAY
    xdpyinfo >/dev/null 2>&1 || e2e_fail "Xvfb on $DISPLAY does not answer"
    if [ "$wm" = openbox ] && command -v openbox >/dev/null; then
        # Without a window manager nothing activates the main window, and the
        # splash waits for the first activation.
        openbox >"${ARTEFACTS:-/tmp}/openbox.log" 2>&1 &
        WM_PID=$!
        poll 10 wm_ready || e2e_fail "openbox did not start on $DISPLAY"
    fi
}

# Ready once it has announced itself on the root window.
wm_ready() {
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'
}

stop_display() {
    [ -n "${TRAINER_PID:-}" ] && kill "$TRAINER_PID" 2>/dev/null
    [ -n "${WM_PID:-}" ] && kill "$WM_PID" 2>/dev/null
    [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null
    wait 2>/dev/null
    true
}

# Starts the program without waiting for anything.
launch_trainer() {
    mkdir -p "$ARTEFACTS"
    QT_QPA_PLATFORM=xcb "$1" >"$ARTEFACTS/trainer.log" 2>&1 &
    TRAINER_PID=$!
}

# The id of the main window once it is mapped (Qt also keeps an unmapped
# 1x1 window of the same name).
find_main_window() {
    xdotool search --onlyvisible --name '^Пальцеход$' 2>/dev/null | head -1
}

# Starts the program and waits for its main window: sets TRAINER_PID, WINDOW.
start_trainer() {
    launch_trainer "$1"
    poll "$E2E_TIMEOUT" main_window_shown || e2e_fail "the main window did not appear"
}

main_window_shown() {
    WINDOW=$(find_main_window)
    [ -n "$WINDOW" ]
}

# The splash "О программе" shows on the first activation and closes by
# itself after five and a half seconds; then the window is located.
wait_splash() {
    wait_window 'О программе' >/dev/null || e2e_fail "no splash"
    wait_gone 'О программе' || e2e_fail "the splash did not close by itself"
    focus "$WINDOW"
    locate_window
}

# Waits until the program has ended (at most $1 seconds); sets TRAINER_STATUS.
wait_exit() {
    local limit=${1:-$E2E_TIMEOUT}
    poll "$limit" trainer_ended || return 1
    wait "$TRAINER_PID"
    TRAINER_STATUS=$?
    TRAINER_PID=""
}

trainer_ended() {
    ! kill -0 "$TRAINER_PID" 2>/dev/null
}

# ---- Wayland compositors

# Checks a program's protocol log (WAYLAND_DEBUG) for the frames a
# compositor that draws them grants: every toplevel the program made (the
# one it asks the compositor with, the main window, the splash: at least
# three) asked for a decoration, and each was answered server-side (mode 2),
# none client-side (1). libwayland writes an object as interface@id, and as
# interface#id since 1.23.
expect_server_frames() {
    local asked granted refused
    asked=$(grep -c -E -- '-> zxdg_decoration_manager_v1[@#][0-9]+\.get_toplevel_decoration' "$1")
    granted=$(grep -c -E 'zxdg_toplevel_decoration_v1[@#][0-9]+\.configure\(2\)' "$1")
    refused=$(grep -c -E 'zxdg_toplevel_decoration_v1[@#][0-9]+\.configure\(1\)' "$1")
    [ "$asked" -ge 3 ] || e2e_fail "only $asked windows asked for a frame (see ${1##*/})"
    [ "$granted" -ge "$asked" ] && [ "$refused" -eq 0 ] ||
        e2e_fail "$asked windows asked for a frame, $granted were granted server-side, $refused client-side"
}

# ---- waiting

# Whole seconds since boot. Deadlines are counted on this clock, not on the
# wall clock (bash's SECONDS follows it): a virtual machine that is paused and
# resumed, or an NTP step, moves the wall clock by minutes at once, and a wait
# would then end before the thing it waits for had a chance.
uptime_s() {
    local up _
    read -r up _ </proc/uptime
    echo "${up%.*}"
}

# Runs a command every 0.1 s until it succeeds or $1 seconds have passed.
poll() {
    local limit=$1; shift
    local deadline=$(($(uptime_s) + limit))
    while :; do
        "$@" && return 0
        [ "$(uptime_s)" -ge "$deadline" ] && return 1
        sleep 0.1
    done
}

visible_window() {
    xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1
}

# Waits until a window titled exactly $1 is shown; prints its id.
wait_window() {
    local deadline=$(($(uptime_s) + E2E_TIMEOUT)) id
    while :; do
        id=$(visible_window "$1")
        [ -n "$id" ] && { echo "$id"; return 0; }
        [ "$(uptime_s)" -ge "$deadline" ] && return 1
        sleep 0.1
    done
}

window_gone() {
    [ -z "$(visible_window "$1")" ]
}

wait_gone() {
    poll "$E2E_TIMEOUT" window_gone "$1"
}

# ---- input

# Activates a window (xdotool would wait for ever on one that cannot be).
focus() {
    timeout 10 xdotool windowactivate --sync "$1" 2>/dev/null || timeout 10 xdotool windowfocus --sync "$1" 2>/dev/null
}

press() {
    xdotool key --delay 15 "$@"
}

# Presses the key whose first level is keysym $1 (F1 …) by its keycode. By
# name, xdotool takes the first level of any key that carries the keysym,
# and with xkb-data 2.48 it sent Alt+F1 for F1.
press_key_of() {
    local code
    code=$(xmodmap -pke | awk -v sym="$1" '$1 == "keycode" && $4 == sym { print $2; exit }')
    [ -n "$code" ] || e2e_fail "no key carries $1"
    xdotool key "$code"
}

# Clicks the left button at a screen position.
click_at() {
    xdotool mousemove --sync "$1" "$2" click 1
    sleep 0.1
}

# Moves the pointer to the screen's corner, so that no hover or tooltip
# changes what the screen shows.
park_pointer() {
    xdotool mousemove --sync 0 0
}

# The keysym on the key of a home-row letter (or the space) in layout $1
# ("us" or "ru"): home_row_keysym ru П gives Cyrillic_pe.
declare -A HOME_ROW_US=([Ф]=a [Ы]=s [В]=d [А]=f [П]=g [Р]=h [О]=j [Л]=k [Д]=l [Ж]=semicolon [Э]=apostrophe
                        [" "]=space)
declare -A HOME_ROW_RU=([Ф]=Cyrillic_ef [Ы]=Cyrillic_yeru [В]=Cyrillic_ve [А]=Cyrillic_a [П]=Cyrillic_pe
                        [Р]=Cyrillic_er [О]=Cyrillic_o [Л]=Cyrillic_el [Д]=Cyrillic_de [Ж]=Cyrillic_zhe
                        [Э]=Cyrillic_e [" "]=space)
home_row_keysym() {
    if [ "$1" = ru ]; then echo "${HOME_ROW_RU[$2]}"; else echo "${HOME_ROW_US[$2]}"; fi
}

# ---- where things are

# Reads the main window's place: the client area (792 x 554) lies under the
# menu bar, whose height is what the window has above the client area.
locate_window() {
    local info
    info=$(xwininfo -id "$WINDOW") || e2e_fail "xwininfo on the main window"
    WIN_X=$(awk '/Absolute upper-left X/ {print $NF}' <<<"$info")
    WIN_Y=$(awk '/Absolute upper-left Y/ {print $NF}' <<<"$info")
    WIN_W=$(awk '/Width:/ {print $NF}' <<<"$info")
    WIN_H=$(awk '/Height:/ {print $NF}' <<<"$info")
    [ "$WIN_W" -eq 792 ] || e2e_fail "the main window is $WIN_W pixels wide, not 792"
    MENUBAR_H=$((WIN_H - 554))
    [ "$MENUBAR_H" -gt 8 ] && [ "$MENUBAR_H" -lt 60 ] || e2e_fail "menu bar height $MENUBAR_H"
    CLIENT_X=$WIN_X
    CLIENT_Y=$((WIN_Y + MENUBAR_H))
    # Typing field: Panel1 (4, 4) + Panel3 (4, 26) + (4, 4); 601 x 251.
    FIELD_X=$((CLIENT_X + 12)); FIELD_Y=$((CLIENT_Y + 34))
    # Keyboard template: Panel1 (4, 4) + Panel2 (4, 311) + (4, 4); 601 x 151.
    KEYS_X=$((CLIENT_X + 12)); KEYS_Y=$((CLIENT_Y + 319))
}

# Screen rectangles "x y w h" of the side panel's controls (LMDBackPanel1
# at (627, 4), LMDBackPanel3 at (3, 330) inside it).
clock_rect()   { echo $((CLIENT_X + 667)) $((CLIENT_Y + 74)) 80 21; }
errors_rect()  { echo $((CLIENT_X + 670)) $((CLIENT_Y + 484)) 80 21; }
answers_rect() { echo $((CLIENT_X + 630)) $((CLIENT_Y + 224)) 155 250; }  # prompt and choice buttons
picture_rect() { echo $((CLIENT_X + 4)) $((CLIENT_Y + 4)) 617 497; }     # Panel1
pause_rect()   { echo $((CLIENT_X + 632)) $((CLIENT_Y + 179)) 150 40; }
pause_centre() { echo $((CLIENT_X + 707)) $((CLIENT_Y + 199)); }

# Field geometry at level L: the text of line n starts (n-1)*50 + V below
# the field's top, V = 75 - 25 L; letter p starts at (p-1)*24 + 2.
field_v() { echo $((75 - 25 * $1)); }
# Screen rectangle of letter (n, p) at level L: 24 x 40 from the text top.
letter_rect() { echo $((FIELD_X + ($3 - 1) * 24 + 2)) $((FIELD_Y + ($2 - 1) * 50 + $(field_v "$1"))) 24 40; }
# Screen rectangle of the underline for (n, p): 24 x 6, 38 below the line top.
cursor_rect() { echo $((FIELD_X + $3 * 24 - 22)) $((FIELD_Y + $2 * 50 + $(field_v "$1") - 12)) 24 6; }
# Screen rectangle of a key's 37 x 39 marking box at template (x, y).
key_rect() { echo $((KEYS_X + $1)) $((KEYS_Y + $2)) 37 39; }

# Checks that the typing field really is where the geometry says: its four
# corners white, the pixels diagonally outside them not.
check_field_place() {
    local f=$1 x0=$FIELD_X y0=$FIELD_Y x1=$((FIELD_X + 600)) y1=$((FIELD_Y + 250))
    for corner in "$x0 $y0 -1 -1" "$x1 $y0 1 -1" "$x0 $y1 -1 1" "$x1 $y1 1 1"; do
        set -- $corner
        [ "$(png_pixel "$f" "$1" "$2")" = FFFFFF ] || e2e_fail "field corner ($1, $2) is not white"
        [ "$(png_pixel "$f" $(($1 + $3)) $(($2 + $4)))" != FFFFFF ] ||
            e2e_fail "white outside the field at ($(($1 + $3)), $(($2 + $4))): the field is not where expected"
    done
}

# ---- menus

# Centre x of the n-th (1-based) item of the menu bar: the items are runs
# of dark text pixels in the bar, separated by wider gaps.
menubar_item_x() {
    local n=$1 f
    f=$(snap menubar)
    convert "$f" -crop "${WIN_W}x$((MENUBAR_H - 6))+${WIN_X}+$((WIN_Y + 3))" +repage -colorspace gray \
        -threshold 50% -negate -scale "${WIN_W}x1!" -depth 8 txt:- |
        awk -F'[,:]' -v n="$n" -v x0="$WIN_X" '
            NR > 1 { dark = ($0 !~ /#000000|gray\(0\)/) }
            NR > 1 && dark { if (start < 0 || $1 - last > 8) { if (start >= 0) centres[++k] = int((start + last) / 2); start = $1 } last = $1 }
            BEGIN { start = -1 }
            END { if (start >= 0) centres[++k] = int((start + last) / 2); if (k >= n) print x0 + centres[n] }'
}

# Opens the n-th menu of the menu bar and clicks item k of its `count`
# items (separators are thin and left out of the count).
menu_command() {
    local n=$1 k=$2 count=$3 x info px py pw ph
    x=$(menubar_item_x "$n")
    [ -n "$x" ] || e2e_fail "menu $n not found in the menu bar"
    click_at "$x" $((WIN_Y + MENUBAR_H / 2))
    poll "$E2E_TIMEOUT" popup_shown || e2e_fail "menu $n did not open"
    info=$(xwininfo -id "$POPUP")
    px=$(awk '/Absolute upper-left X/ {print $NF}' <<<"$info")
    py=$(awk '/Absolute upper-left Y/ {print $NF}' <<<"$info")
    pw=$(awk '/Width:/ {print $NF}' <<<"$info")
    ph=$(awk '/Height:/ {print $NF}' <<<"$info")
    click_at $((px + pw / 3)) $((py + 1 + (2 * k - 1) * (ph - 2) / (2 * count)))
    park_pointer
}

popup_shown() {
    # A popup menu has no title of its own, only the program's class.
    POPUP=$(xdotool search --onlyvisible --classname '^paltsekhod$' 2>/dev/null | grep -vx "$WINDOW" | head -1)
    [ -n "$POPUP" ]
}

# ---- looking

# Takes a screenshot $ARTEFACTS/$1.png.
shot() {
    mkdir -p "$ARTEFACTS"
    import -window root "$ARTEFACTS/$1.png" 2>/dev/null
}

# The same, printing the file's path for the pixel helpers below.
snap() {
    shot "$1"
    echo "$ARTEFACTS/$1.png"
}

# Colour of one pixel of a screenshot as RRGGBB.
png_pixel() {
    convert "$1" -crop "1x1+$2+$3" -depth 8 txt:- 2>/dev/null | tail -1 | grep -o '#[0-9A-F]\{6\}' | head -1 | tr -d '#'
}

# Number of pixels of colour RRGGBB ($6) in the rectangle x y w h ($2..$5).
png_count() {
    convert "$1" -crop "${4}x${5}+${2}+${3}" +repage -depth 8 -format %c histogram:info:- 2>/dev/null |
        awk -v c="#$6" '$3 == c { sub(":", "", $1); n += $1 } END { print n + 0 }'
}

# Number of pixels in the rectangle that are not of colour RRGGBB ($6).
png_count_other() {
    convert "$1" -crop "${4}x${5}+${2}+${3}" +repage -depth 8 -format %c histogram:info:- 2>/dev/null |
        awk -v c="#$6" '$3 != c { sub(":", "", $1); n += $1 } END { print n + 0 }'
}

# Fingerprint of a rectangle of a screenshot.
png_hash() {
    convert "$1" -crop "${4}x${5}+${2}+${3}" +repage -depth 8 rgb:- 2>/dev/null | md5sum | cut -c1-32
}

# Fingerprint of a rectangle of the screen as it is now.
screen_hash() {
    import -window root -crop "${3}x${4}+${1}+${2}" -depth 8 rgb:- 2>/dev/null | md5sum | cut -c1-32
}

# screen_differs HASH "x y w h": the rectangle no longer has that fingerprint.
screen_differs() {
    [ "$(screen_hash $2)" != "$1" ]
}

# screen_still "x y w h": the rectangle looks the same twice, 0.2 s apart
# (nothing is being drawn there any more).
screen_still() {
    local before
    before=$(screen_hash $1)
    sleep 0.2
    [ "$(screen_hash $1)" = "$before" ]
}

wait_still() {
    poll "$E2E_TIMEOUT" screen_still "$1" || e2e_fail "the screen at ($1) never came to rest"
}

# ---- checks

expect_eq() {
    [ "$1" = "$2" ] || e2e_fail "$3: got '$1', expected '$2'"
}

expect_ge() {
    [ "$1" -ge "$2" ] || e2e_fail "$3: got $1, expected at least $2"
}

# ---- the typing field

# Number of pixels of colour RRGGBB ($5) on the screen in rectangle x y w h.
screen_count() {
    import -window root -crop "${3}x${4}+${1}+${2}" +repage -depth 8 -format %c histogram:info:- 2>/dev/null |
        awk -v c="#$5" '$3 == c { sub(":", "", $1); n += $1 } END { print n + 0 }'
}

# The underline (24 x 6 purple) is under letter (n, p) at level L.
cursor_at() {
    [ "$(screen_count $(cursor_rect "$1" "$2" "$3") 800080)" -eq 144 ]
}

wait_cursor() {
    poll "$E2E_TIMEOUT" cursor_at "$1" "$2" "$3" || e2e_fail "no underline under letter $3 of line $2 (level $1)"
}

# A typed letter is black through and through; an untyped one grey.
expect_letter_typed() {
    local f=$1 black grey
    black=$(png_count "$f" $(letter_rect "$2" "$3" "$4") 000000)
    grey=$(png_count "$f" $(letter_rect "$2" "$3" "$4") C0C0C0)
    [ "$black" -ge 100 ] && [ "$grey" -eq 0 ] ||
        e2e_fail "letter $4 of line $3 is not typed: $black black, $grey grey pixels"
}

expect_letter_untyped() {
    local f=$1 black grey
    black=$(png_count "$f" $(letter_rect "$2" "$3" "$4") 000000)
    grey=$(png_count "$f" $(letter_rect "$2" "$3" "$4") C0C0C0)
    [ "$grey" -ge 100 ] && [ "$black" -eq 0 ] ||
        e2e_fail "letter $4 of line $3 is not untyped grey: $black black, $grey grey pixels"
}

# The usual start of a scenario: a 24-bit screen in the given layout ("us"
# unless said), the trainer started on it; with "after-splash" (the default)
# also waits for the splash to go and moves the pointer out of the way.
start_session() {
    local layout=${1:-us} splash=${2:-after-splash}
    start_display 1024x768x24
    setxkbmap "$layout" || e2e_fail "setxkbmap $layout"
    start_trainer "$BINARY"
    if [ "$splash" = after-splash ]; then
        wait_splash
        park_pointer
    fi
}
