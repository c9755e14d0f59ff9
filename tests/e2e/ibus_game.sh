#!/usr/bin/env bash
# The level-1 game of level1_game.sh with IBus running and Qt told to use
# it (QT_IM_MODULE=ibus), as on a GNOME desktop: whatever the input method
# does, every key reaches the game exactly once and the game runs through.
# Usage: ibus_game.sh BINARY ARTEFACTS LAYOUT. The game's own artefacts go
# to <artefacts>/ibus_LAYOUT/level1_LAYOUT.
set -u
source "$(dirname "$0")/xsession.sh"
LAYOUT=${3:-us}
e2e_begin "ibus_$LAYOUT" "$1" "${2:-/tmp/paltsekhod-e2e}"

# The daemon keeps its address and caches under a home of its own; it needs
# no display, and Qt finds it through IBUS_ADDRESS_FILE.
IBUS_HOME=$(mktemp -d)
stop_ibus() {
    [ -n "${IBUS_PID:-}" ] && kill "$IBUS_PID" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$IBUS_HOME"
}
trap stop_ibus EXIT
export HOME=$IBUS_HOME XDG_CONFIG_HOME=$IBUS_HOME/.config XDG_CACHE_HOME=$IBUS_HOME/.cache
unset DISPLAY WAYLAND_DISPLAY
ibus-daemon --panel=disable --emoji-extension=disable --verbose >"$ARTEFACTS/ibus.log" 2>&1 &
IBUS_PID=$!
address_file() { ls "$XDG_CONFIG_HOME"/ibus/bus/* 2>/dev/null | head -1; }
ibus_ready() { [ -n "$(address_file)" ] && ibus address >/dev/null 2>&1 && ibus list-engine >/dev/null 2>&1; }
poll 30 ibus_ready || e2e_fail "ibus-daemon did not start"
# The engine that goes with the layout, as the desktop would choose it.
case $LAYOUT in
    ru) engine=xkb:ru::rus ;;
    *) engine=xkb:us::eng ;;
esac
# (It would also set the X layout with setxkbmap; without a display it
# cannot, and the game sets the layout itself.)
ibus engine "$engine" 2>/dev/null
[ "$(ibus engine 2>/dev/null)" = "$engine" ] || e2e_fail "IBus did not take the engine $engine"

export IBUS_ADDRESS_FILE=$(address_file)
export QT_IM_MODULE=ibus
# Qt's IBus plug-in reports where it connects; that shows it was in use.
export QT_LOGGING_RULES="qt.qpa.input.methods=true"
bash "$(dirname "$0")/level1_game.sh" "$BINARY" "$LAYOUT" "$ARTEFACTS" || e2e_fail "the game with IBus failed"
grep -q "socketWatcher.addPath \"$IBUS_ADDRESS_FILE\"" "$ARTEFACTS/level1_$LAYOUT/trainer.log" ||
    e2e_fail "the trainer did not connect to IBus (see level1_$LAYOUT/trainer.log)"
kill -0 "$IBUS_PID" 2>/dev/null || e2e_fail "ibus-daemon ended during the game"
echo "level-1 game in layout $LAYOUT with IBus: passed"
