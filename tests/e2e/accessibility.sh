#!/usr/bin/env bash
# The trainer as a screen reader meets it: on its own D-Bus session with the
# accessibility bus, the accessible tree is read and the game driven through
# AT-SPI (accessibility.py).
set -u
if [ -z "${PALTSEKHOD_A11Y_SESSION:-}" ]; then
    # A private session bus; the accessibility bus is started on it on demand.
    PALTSEKHOD_A11Y_SESSION=1 exec dbus-run-session -- bash "$0" "$@"
fi
source "$(dirname "$0")/xsession.sh"
e2e_begin accessibility "$@"

export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
start_session us

# The system interpreter: python3-pyatspi lives in its packages.
/usr/bin/python3 "$(dirname "$0")/accessibility.py" "$TRAINER_PID" g >"$ARTEFACTS/tree.txt" 2>&1
status=$?
cat "$ARTEFACTS/tree.txt"
shot end
[ "$status" -eq 0 ] || e2e_fail "the accessible tree is not as expected"
