#!/usr/bin/env bash
# The trainer on GNOME's compositor as a native Wayland client: headless
# mutter in a private D-Bus session, driven by gnome.py. Skipped (77) where
# mutter, its media server or the D-Bus driver cannot run.
# Usage: gnome.sh BINARY ARTEFACTS
set -u
ARTEFACTS=${2:-/tmp/paltsekhod-e2e}/gnome
rm -rf "$ARTEFACTS"
mkdir -p "$ARTEFACTS"
command -v dbus-run-session >/dev/null || { echo "SKIP: no dbus-run-session (dbus-daemon)"; exit 77; }
/usr/bin/python3 -c "from gi.repository import Gio" 2>/dev/null || { echo "SKIP: no python3-gi"; exit 77; }
unset DISPLAY WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS
exec dbus-run-session -- /usr/bin/python3 "$(dirname "$0")/gnome.py" "$1" "$ARTEFACTS"
