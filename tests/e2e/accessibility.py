#!/usr/bin/python3
"""Reads the running trainer through AT-SPI, as a screen reader would.

Usage: accessibility.py PID KEY
PID is the trainer's process, KEY the xdotool keysym of the first letter of
level 1. Checks the controls and texts of the start, presses "1" through the
press action, then types KEY and waits for the letter count to follow.
Prints the named controls it saw; exits non-zero on the first failure."""
import subprocess
import sys
import time

import pyatspi
from gi.repository import Atspi

LIMIT = 15  # seconds any single wait may take


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def poll(condition, what):
    """Calls condition() until it returns something true; fails after LIMIT."""
    deadline = time.monotonic() + LIMIT
    while True:
        try:
            result = condition()
        except Exception:  # an object vanished while being read: read again
            result = None
        if result:
            return result
        if time.monotonic() > deadline:
            fail("timed out waiting for " + what)
        time.sleep(0.1)


def application(pid):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def walk(node, depth=0):
    """Every accessible under node, depth first."""
    if depth > 30:
        return
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child, depth + 1)


def role_name(role):
    """The role's name as this AT-SPI release spells it, for messages only."""
    return Atspi.role_get_name(role)


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def states(node):
    return sorted(pyatspi.stateToString(s) for s in node.getState().getStates())


def controls(app):
    """(role, name, node) of every showing accessible of the main window.
    Roles are compared as AT-SPI's constants: their names have changed
    between releases ("push button", then "button") while the roles stay."""
    for node in walk(app):
        if showing(node):
            yield node.getRole(), node.name, node


def find(app, role, name):
    for r, n, node in controls(app):
        if r == role and n == name:
            return node
    return None


def labelled_value(app, caption):
    """The name of the control the label `caption` labels."""
    label = find(app, pyatspi.ROLE_LABEL, caption)
    if label is None:
        return None
    # The caption labels exactly one control (Qt releases have differed in
    # which way round they report the pair, so either type is taken).
    for relation in label.getRelationSet():
        if relation.getRelationType() in (pyatspi.RELATION_LABEL_FOR, pyatspi.RELATION_LABELLED_BY):
            target = relation.getTarget(0)
            if target is not None and target.name != caption:
                return target.name
    return None


def main():
    pid, key = int(sys.argv[1]), sys.argv[2]
    app = poll(lambda: application(pid), "the trainer on the accessibility bus")

    # The start: the level buttons, the pause button, clock, prompt, meter.
    wanted = [(pyatspi.ROLE_PUSH_BUTTON, "1"), (pyatspi.ROLE_PUSH_BUTTON, "2"), (pyatspi.ROLE_PUSH_BUTTON, "3"),
              (pyatspi.ROLE_LABEL, "Время"), (pyatspi.ROLE_LABEL, "00:00"),
              (pyatspi.ROLE_LABEL, "Тренировка. Выбери уровень сложности")]
    for role, name in wanted:
        poll(lambda: find(app, role, name), '%s "%s"' % (role_name(role), name))
    pause = poll(lambda: find(app, pyatspi.ROLE_PUSH_BUTTON, "Пауза") or find(app, pyatspi.ROLE_TOGGLE_BUTTON, "Пауза"),
                 'button "Пауза"')
    print('"Пауза" before a game: %s, %s' % (pause.getRoleName(), states(pause)))
    if pause.getState().contains(pyatspi.STATE_ENABLED):
        fail('"Пауза" is enabled before a game')
    meter = poll(lambda: next((n for r, _, n in controls(app) if r == pyatspi.ROLE_PROGRESS_BAR), None), "a progress bar")
    value = meter.queryValue()
    print("progress bar %r: %s of %s..%s" % (meter.name, value.currentValue, value.minimumValue,
                                            value.maximumValue))
    if value.maximumValue <= value.minimumValue:
        fail("the progress bar has no range")

    print("named controls at start:")
    for role, name, _ in controls(app):
        if name:
            print("  %s: %s" % (role_name(role), name))
    fillers = [node for role, name, node in controls(app) if not name and role == pyatspi.ROLE_FILLER]
    if fillers:
        fail("%d nameless fillers in the tree" % len(fillers))

    # Level 1 through the press action of "1".
    one = find(app, pyatspi.ROLE_PUSH_BUTTON, "1")
    action = one.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    if "Press" not in names:
        fail('"1" offers no press action: %s' % names)
    action.doAction(names.index("Press"))
    poll(lambda: find(app, pyatspi.ROLE_LABEL, "Уровень сложности: 1"), '"Уровень сложности: 1"')
    poll(lambda: labelled_value(app, "Набрано букв") == "0", 'the statistics "Набрано букв: 0"')
    for caption in ("Скорость", "Ошибок"):
        poll(lambda: find(app, pyatspi.ROLE_LABEL, caption), 'the statistics caption "%s"' % caption)
    # A game begins paused: the pause button is down and can be pressed.
    poll(lambda: pause.getState().contains(pyatspi.STATE_ENABLED), '"Пауза" enabled')
    poll(lambda: pause.getState().contains(pyatspi.STATE_CHECKED), '"Пауза" checked')
    print('"Пауза" in the game: %s' % states(pause))
    field = poll(lambda: find(app, pyatspi.ROLE_IMAGE, "Строки упражнения"), 'the typing field "Строки упражнения"')
    keyboard = poll(lambda: find(app, pyatspi.ROLE_IMAGE, "Клавиатура"), 'the keyboard "Клавиатура"')
    line = field.queryText().getText(0, -1)
    print('typing field: "%s", expected letter "%s"; keyboard: "%s"'
          % (line, field.description, keyboard.queryText().getText(0, -1)))
    if not line or field.description != line[0]:
        fail("the typing field does not describe its first letter")

    # One typed letter counts.
    subprocess.run(["xdotool", "key", key], check=True)
    poll(lambda: labelled_value(app, "Набрано букв") == "1", 'the letter count to reach 1')
    poll(lambda: field.queryText().caretOffset == 1, "the caret on the second letter")
    # The first key ends the pause.
    poll(lambda: not pause.getState().contains(pyatspi.STATE_CHECKED), '"Пауза" released')
    print('after one letter: "Набрано букв" reads 1, next letter "%s"' % field.description)
    print("named controls in the game:")
    for role, name, _ in controls(app):
        if name:
            print("  %s: %s" % (role_name(role), name))


main()
