"""The trainer on GNOME's compositor (headless mutter), first as a native
Wayland client by choice (QT_QPA_PLATFORM=wayland), then as a user starts it.

Checks, from screen frames: the splash and the help come up over the main
window with the buttons their title bars should have (none, close); the
main window's bar has minimise and close and no maximise; level 1 starts
and typed letters are judged; a maximise request (a click where the button
would be, a double click on the bar, Super+Up) neither moves nor resizes
the window; dragging the bar moves it, and the next letter still counts;
Escape closes the help. From the protocol log: the splash and
the help name the main window as their parent. Where Qt declares them
modal dialogs (xdg-dialog) they must be centred over it; elsewhere the
compositor places them as it likes, and a note says so.

As a user starts it, with no platform chosen, the trainer goes native where
the compositor can place its dialogs, and to mutter's X server (Xwayland)
where it cannot: there mutter draws the frames, offers no maximise, and the
splash and the help come up centred over the main window; level 1 starts
and the typed letters are judged.

Windows are found by their title bars, the program's own under Wayland:
navy while active, grey while not, 22 pixels high, as wide as the window.
Usage: gnome.py BINARY ARTEFACTS (inside dbus-run-session); exit 77 = skip.
"""

import os
import re
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from gnome_session import GnomeSession, Unavailable, poll  # noqa: E402

TIMEOUT = float(os.environ.get("E2E_TIMEOUT", "30"))
ACTIVE, INACTIVE, FACE, UNDERLINE = 0x000080, 0x808080, 0xC0C0C0, 0x800080
BAR = 22
MAIN, SPLASH, HELP = (792, 594), (472, 320), (391, 399)
MAIN_W, SPLASH_W, HELP_W = MAIN[0], SPLASH[0], HELP[0]


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def bars(picture, colour, width):
    """Title bars of the given colour and window width: (x, y, w) of each."""
    return [(x, y, w) for x, y, w, h in picture.boxes(colour, width, 2) if w == width]


def underline(picture, main):
    """The place of the underline under the next letter, inside the main window."""
    x0, y0, _ = main
    found = [(x, y) for x, y, w, h in picture.boxes(UNDERLINE, 24, 6)
             if w == 24 and h == 6 and x0 <= x < x0 + MAIN_W and y0 < y < y0 + 600]
    return found[0] if len(found) == 1 else None


def caption_buttons(picture, bar):
    """How many caption buttons the bar draws: the most runs of button face
    on one row across it."""
    x, y, w = bar
    per_row = {}
    for yy, x0, x1 in picture.runs(FACE, 12):
        if y < yy < y + BAR and x <= x0 and x1 < x + w:
            per_row[yy] = per_row.get(yy, 0) + 1
    return max(per_row.values(), default=0)


def inside(x, y, bar, size):
    return bar[0] <= x < bar[0] + size[0] and bar[1] <= y < bar[1] + size[1]


def overlaps(a, a_size, b, b_size):
    """Whether two windows, given by their bars and sizes, overlap."""
    return (a[0] < b[0] + b_size[0] and b[0] < a[0] + a_size[0]
            and a[1] < b[1] + b_size[1] and b[1] < a[1] + a_size[1])


def bar_shows(picture, bar, colour, cover, cover_size):
    """Whether the first row of a bar shows its colour wherever the covering
    window (given by its bar and size) leaves it visible."""
    x, y, w = bar
    visible = [xx for xx in range(x, x + w) if not inside(xx, y, cover, cover_size)]
    return bool(visible) and all(picture.pixel(xx, y) == colour for xx in visible)


def toplevels_from_log(log):
    """The program's toplevel windows in the order it made them, from its
    protocol log: for each its xdg_toplevel id, the id of the parent it
    named and whether it declared itself a modal dialog (xdg-dialog). Ids
    are reused after a window is destroyed, so a request belongs to the
    latest window with its id. libwayland writes an object as
    interface@id, and as interface#id since 1.23. The toplevel that the
    program asks the compositor about frames with is never given a title
    or a buffer, and is left out."""
    windows, dialogs = [], {}

    def latest(toplevel):
        return next(w for w in reversed(windows) if w["id"] == toplevel)

    for line in log.splitlines():
        if m := re.search(r"-> xdg_surface[@#]\d+\.get_toplevel\(new id xdg_toplevel[@#](\d+)\)", line):
            windows.append({"id": m[1], "parent": None, "modal": False, "titled": False})
        elif m := re.search(r"-> xdg_toplevel[@#](\d+)\.set_title\(", line):
            latest(m[1])["titled"] = True
        elif m := re.search(r"-> xdg_toplevel[@#](\d+)\.set_parent\(xdg_toplevel[@#](\d+)\)", line):
            latest(m[1])["parent"] = m[2]
        elif m := re.search(r"\.get_xdg_dialog\(new id xdg_dialog_v1[@#](\d+), xdg_toplevel[@#](\d+)\)", line):
            dialogs[m[1]] = latest(m[2])
        elif m := re.search(r"-> xdg_dialog_v1[@#](\d+)\.set_modal\(\)", line):
            dialogs[m[1]]["modal"] = True
    return [w for w in windows if w["titled"]]


def centred_over(inner, outer, inner_w):
    return abs((inner[0] + inner_w / 2) - (outer[0] + MAIN_W / 2)) <= 2 and inner[1] > outer[1]


def run(session, binary):
    env = dict(session.env, QT_QPA_PLATFORM="wayland", WAYLAND_DEBUG="client")
    trainer = session.spawn("trainer", [binary], env=env)
    notes = []

    def snap_until(condition, what, name=None):
        state = {}

        def attempt():
            if trainer.poll() is not None:
                raise Failure("the trainer ended (status %s)" % trainer.returncode)
            state["picture"] = session.snap()
            return condition(state["picture"])

        result = poll(TIMEOUT, attempt, step=0.1)
        if not result:
            session.snap("failure")
            raise Failure(what)
        if name:
            session.snap(name)
        return result

    # The splash over the main window. The splash may cover the main
    # window's title bar, so the main window is found once the splash has
    # gone; the compositor does not move it in between.
    splash_picture = snap_until(lambda p: bars(p, ACTIVE, SPLASH_W) and p, "no splash came up", "splash")
    splash = bars(splash_picture, ACTIVE, SPLASH_W)[0]
    # The last picture with the splash up is the one looked at under it: the
    # first may come before the main window has drawn itself again.
    last_with_splash = [splash_picture]

    def main_after_splash(p):
        if bars(p, ACTIVE, SPLASH_W):
            last_with_splash[0] = p
            return None
        return (bars(p, ACTIVE, MAIN_W) or [None])[0]

    main = snap_until(main_after_splash, "the splash did not close, or the main window was not activated", "main")
    print("main window at", main[:2], "splash at", splash[:2])
    centred = {"splash": centred_over(splash, main, SPLASH_W)}
    check(overlaps(splash, SPLASH, main, MAIN), "the splash did not lie over the main window")
    # Under the splash the main window's bar is grey, or navy where the
    # compositor shows a modal dialog's parent as focused with it (GNOME
    # does for attached modal dialogs); either way the whole bar is drawn.
    check(any(bar_shows(last_with_splash[0], main, colour, splash, SPLASH) for colour in (INACTIVE, ACTIVE)),
          "the main window's title bar did not show under the splash")
    check(caption_buttons(splash_picture, splash) == 0, "the splash's title bar draws buttons")

    # No maximise button; the main window keeps minimise and close.
    picture = session.snap()
    check(caption_buttons(picture, main) == 2, "the main title bar draws %d buttons, not minimise and close"
          % caption_buttons(picture, main))

    # Level 1: the underline moves one letter on per letter typed right.
    session.tap("1")
    start = snap_until(lambda p: underline(p, main), "choosing level 1 did not start the game", "level_chosen")
    session.type(["g", "f", "h", "f", "space"])      # "ПАРА " on the us layout
    snap_until(lambda p: underline(p, main) == (start[0] + 5 * 24, start[1]), "the typed letters were not judged")

    # Maximise requests: a click where a maximise button would sit, left of
    # minimise, a double click on the bar's middle, then Super+Up. The letter
    # typed after each shows that the request has been handled.
    x, y, w = main
    typed = 5
    for request in ("click", "double click", "Super+Up"):
        if request == "click":
            session.click(x + w - 47, y + BAR // 2)
        elif request == "double click":
            session.click(x + w // 2, y + BAR // 2)
            session.click(x + w // 2, y + BAR // 2)
        else:
            session.tap("LeftMeta", "Up")
        session.type(["g", "f", "h", "f", "space"][typed % 5:typed % 5 + 1])
        typed += 1
        want = (start[0] + typed * 24, start[1])
        snap_until(lambda p: underline(p, main) == want and bars(p, ACTIVE, MAIN_W),
                   "after the %s the window moved, changed size or lost its keys" % request)
        picture = session.snap()
        check(bars(picture, ACTIVE, MAIN_W)[0] == main, "the %s moved the main window" % request)
    session.snap("after_maximise")

    # Dragging the bar moves the window. The move begins once the pointer has
    # gone a few pixels with the button down, and the compositor moves the
    # window with the pointer from then on: the pointer goes on a pixel at a
    # time until the bar has followed, then lets go. Once the window is
    # active again, as a child sees by its bar, the letter typed next is
    # judged, where the window now is. (A key sent at once after the release
    # can reach a busy mutter 49 while its move still holds the keyboard.)
    grab_x, grab_y = x + w // 2, y + BAR // 2
    session.point(grab_x, grab_y)
    session.button(True)
    offset = [0]

    def dragged(p):
        # While the compositor moves it, the window has no keyboard focus
        # and its bar turns grey.
        found = bars(p, ACTIVE, MAIN_W) or bars(p, INACTIVE, MAIN_W)
        if found and found[0] != main:
            return found[0]
        offset[0] += 1
        session.point(grab_x + offset[0], grab_y + offset[0])
        return None

    moved = snap_until(dragged, "dragging the title bar did not move the window")
    session.button(False)
    check(moved[0] > x and moved[1] > y, "the drag moved the window from %s to %s, not right and down"
          % (main[:2], moved[:2]))
    next_x, next_y = start[0] + typed * 24 - x, start[1] - y     # the underline, from the bar's corner
    snap_until(lambda p: any(bar != main for bar in bars(p, ACTIVE, MAIN_W)),
               "after the drag the window was not active again")
    session.type(["g", "f", "h", "f", "space"][typed % 5:typed % 5 + 1])
    typed += 1

    def settled(p):
        found = bars(p, ACTIVE, MAIN_W)
        return found and underline(p, found[0]) == (found[0][0] + next_x + 24, found[0][1] + next_y) and found[0]

    main = snap_until(settled, "after the drag the window lost its keys or its bar", "dragged")
    print("dragged to", main[:2])

    # F1: the help over the main window; Escape closes it.
    session.tap("F1")
    help_picture = snap_until(lambda p: bars(p, ACTIVE, HELP_W) and p, "F1 opened no help", "help")
    help_bar = bars(help_picture, ACTIVE, HELP_W)[0]
    check(overlaps(help_bar, HELP, main, MAIN) and bar_shows(help_picture, main, INACTIVE, help_bar, HELP),
          "the help did not come up over the main window")
    check(caption_buttons(help_picture, help_bar) == 1, "the help's title bar draws more than its close button")
    centred["help"] = centred_over(help_bar, main, HELP_W)
    session.tap("Escape")
    snap_until(lambda p: not bars(p, ACTIVE, HELP_W) and bars(p, ACTIVE, MAIN_W), "Escape did not close the help")
    check(caption_buttons(session.snap(), main) == 2, "the title bar changed after the help")

    # The splash and the help name the main window, the first toplevel, as
    # their parent. The compositor can only centre a dialog over its parent
    # when it knows the window is one: Qt says so through xdg-dialog where
    # both have that protocol, and then the dialog must be centred. Without
    # it, naming the parent is all a client can do, and where the dialog
    # lands is the compositor's choice.
    with open(os.path.join(session.artefacts, "trainer.log"), errors="replace") as f:
        windows = toplevels_from_log(f.read())
    check(len(windows) == 3, "the program made %d toplevels, not main window, splash and help" % len(windows))
    for name, window in zip(("splash", "help"), windows[1:]):
        check(window["parent"] == windows[0]["id"], "the %s did not name the main window as its parent" % name)
        if window["modal"]:
            check(centred[name], "the %s is not centred over the main window, though Qt declared it a "
                  "modal dialog" % name)
        elif not centred[name]:
            notes.append("the %s was not centred over its parent, which it named; Qt has no xdg-dialog "
                         "here to declare it a dialog" % name)
    trainer.terminate()
    trainer.wait()
    return notes


def x_window(env, title):
    """(x, y, width, height) of the client area of the shown X window titled
    exactly so, and the window's id; None while there is none."""
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^%s$" % title], env=env,
                           capture_output=True, text=True, timeout=TIMEOUT).stdout.split()
    if not found:
        return None
    info = subprocess.run(["xwininfo", "-id", found[0]], env=env, capture_output=True, text=True,
                          timeout=TIMEOUT).stdout
    field = lambda name: int(re.search(r"%s:\s+(-?\d+)" % name, info)[1])
    return (field("Absolute upper-left X"), field("Absolute upper-left Y"), field("Width"), field("Height")), found[0]


def x_property(env, window, name):
    return subprocess.run(["xprop", "-id", window, name], env=env, capture_output=True, text=True,
                          timeout=TIMEOUT).stdout


def run_as_installed(session, binary):
    """The trainer as a user starts it, with no platform chosen: native
    Wayland where the compositor can place its dialogs over the main window
    (xdg-dialog, with a Qt that declares them), else mutter's X server,
    where mutter draws the frames. Either way the splash and the help come
    up centred over the main window, which offers no maximise."""
    if not session.x_env:
        return ["mutter has no X server here (Xwayland is not installed): the trainer's own choice was not tried"]
    env = dict(session.env, WAYLAND_DEBUG="client", **session.x_env)
    env.pop("QT_QPA_PLATFORM", None)
    trainer = session.spawn("trainer_as_installed", [binary], env=env)
    log_path = os.path.join(session.artefacts, "trainer_as_installed.log")

    def native_windows():
        with open(log_path, errors="replace") as f:
            return toplevels_from_log(f.read())

    def shown():
        check(trainer.poll() is None, "the trainer ended (status %s)" % trainer.returncode)
        return x_window(env, "Пальцеход") or native_windows()

    check(poll(TIMEOUT, shown, step=0.1), "the trainer showed no main window, neither on mutter's X server "
                                          "nor on Wayland")
    if not x_window(env, "Пальцеход"):
        # Native: the compositor centres the dialogs that Qt declares modal;
        # the checks of the native run apply.
        check(poll(TIMEOUT, lambda: len(native_windows()) >= 2, step=0.1), "no splash came up")
        check(native_windows()[1]["modal"], "the trainer stayed on Wayland, where its splash is not declared "
                                            "a dialog and is not placed over the main window")
        trainer.terminate()
        trainer.wait()
        return ["the trainer chose native Wayland: its dialogs are declared to mutter"]

    def centred(title, size):
        found = poll(TIMEOUT, lambda: x_window(env, title), step=0.1)
        check(found, "%s did not come up" % title)
        main = x_window(env, "Пальцеход")[0]
        (x, y, w, h), _ = found
        session.snap(title)
        check((w, h) == size, "%s is %dx%d, not %dx%d" % (title, w, h, *size))
        # Centred within 12 pixels: mutter 43 puts an X dialog 10 pixels left
        # of the exact centre.
        print(title, "at", (x, y), "over the main window at", main[:2])
        check(abs((x + w / 2) - (main[0] + main[2] / 2)) <= 12 and main[1] < y < main[1] + main[3] - h,
              "%s at (%d, %d) is not centred over the main window at (%d, %d)" % (title, x, y, main[0], main[1]))

    centred("О программе", (SPLASH[0], SPLASH[1] - BAR))
    check(poll(TIMEOUT, lambda: not x_window(env, "О программе"), step=0.1), "the splash did not close by itself")
    main, window = x_window(env, "Пальцеход")
    check(main[2:] == (MAIN_W, MAIN[1] - BAR), "the main window is %dx%d" % main[2:])
    extents = re.findall(r"\d+", x_property(env, window, "_NET_FRAME_EXTENTS"))
    check(len(extents) == 4 and int(extents[2]) > 10, "mutter drew no title bar over the main window")
    actions = x_property(env, window, "_NET_WM_ALLOWED_ACTIONS")
    check("_NET_WM_ACTION_CLOSE" in actions and "MAXIMIZE" not in actions,
          "mutter offers the main window %s" % actions.strip())
    # No bar of the program's own under mutter's.
    check(session.snap().count(main[0], main[1], MAIN_W, BAR, ACTIVE) < 100,
          "the program drew its own title bar under mutter's")

    # The keys reach it: level 1 and the first letters.
    bar = (main[0], main[1] - BAR, MAIN_W)   # where the program's bar would begin
    session.tap("1")
    start = poll(TIMEOUT, lambda: underline(session.snap(), bar), step=0.1)
    check(start, "choosing level 1 did not start the game")
    session.type(["g", "f", "h", "f", "space"])
    check(poll(TIMEOUT, lambda: underline(session.snap(), bar) == (start[0] + 5 * 24, start[1]), step=0.1),
          "the typed letters were not judged")
    session.tap("F1")
    centred("Справочная информация", (HELP[0], HELP[1] - BAR))
    session.snap("as_installed")
    trainer.terminate()
    trainer.wait()
    return []


def main():
    binary, artefacts = sys.argv[1], sys.argv[2]
    os.makedirs(artefacts, exist_ok=True)
    session = GnomeSession(artefacts)
    try:
        try:
            session.start(TIMEOUT)
        except Unavailable as reason:
            print("SKIP:", reason)
            return 77
        notes = run(session, binary) + run_as_installed(session, binary)
        for n in notes:
            print("NOTE:", n)
        print("native Wayland under headless mutter: passed")
        return 0
    except Failure as failure:
        print("FAIL:", failure, file=sys.stderr)
        return 1
    finally:
        session.close()


if __name__ == "__main__":
    sys.exit(main())
