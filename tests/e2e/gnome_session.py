"""A headless GNOME compositor (mutter) for end-to-end tests, driven over D-Bus.

Runs inside a private D-Bus session (dbus-run-session): starts the media
server mutter's screen casts go through (pipewire, wireplumber), then
`mutter --headless --wayland` with one virtual monitor. Keys and pointer go
through org.gnome.Mutter.RemoteDesktop; pictures come from a screen cast
linked to that session, its PipeWire stream read by GStreamer as raw RGB
frames, the newest of which is the screen (kept as PNG for the artefacts
folder when asked).
"""

import os
import re
import shutil
import subprocess
import struct
import tempfile
import threading
import time
import zlib

from gi.repository import Gio, GLib

WIDTH, HEIGHT = 1280, 800
BTN_LEFT = 0x110

# evdev key codes (linux/input-event-codes.h)
KEY = {
    "Escape": 1, "1": 2, "2": 3, "3": 4, "Return": 28, "LeftCtrl": 29,
    "a": 30, "s": 31, "d": 32, "f": 33, "g": 34, "h": 35, "j": 36, "k": 37, "l": 38,
    "LeftShift": 42, "space": 57, "F1": 59, "Up": 103, "LeftMeta": 125,
}


def x_display_of(pid):
    """The X display (":N") of the X server (Xwayland) the process started,
    from that server's command line, or None while it has none. mutter
    listens on more than one X socket (mutter 49 keeps one for itself), so
    its sockets do not tell which display is its clients'."""
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open("/proc/%s/stat" % entry) as f:
                parent = int(f.read().rsplit(")", 1)[1].split()[1])
            with open("/proc/%s/cmdline" % entry, "rb") as f:
                argv = f.read().decode(errors="replace").split("\0")
        except (OSError, IndexError, ValueError):
            continue
        if parent == pid and os.path.basename(argv[0]) == "Xwayland":
            return next((a for a in argv[1:] if re.fullmatch(r":\d+", a)), None)
    return None


class Unavailable(Exception):
    """The compositor cannot run here; the test is skipped with this reason."""


def poll(timeout, condition, step=0.05):
    """Calls condition until it returns something true, at most timeout seconds."""
    end = time.monotonic() + timeout
    while True:
        result = condition()
        if result:
            return result
        if time.monotonic() >= end:
            return result
        time.sleep(step)


class Picture:
    """One frame of the screen: RGB bytes, WIDTH x HEIGHT."""

    def __init__(self, data, width=WIDTH, height=HEIGHT):
        self.data, self.width, self.height = data, width, height

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        d = self.data
        return (d[i] << 16) | (d[i + 1] << 8) | d[i + 2]

    def count(self, x, y, w, h, colour):
        return sum(1 for yy in range(y, y + h) for xx in range(x, x + w)
                   if 0 <= xx < self.width and 0 <= yy < self.height and self.pixel(xx, yy) == colour)

    def runs(self, colour, min_length):
        """Horizontal runs of one colour at least min_length long: (y, x0, x1) per row."""
        rgb = bytes(((colour >> 16) & 255, (colour >> 8) & 255, colour & 255))
        needle, more = rgb * min_length, re.compile(b"(?:%s)*" % re.escape(rgb))
        stride = self.width * 3
        out = []
        pos = self.data.find(needle)
        while pos >= 0:
            y, offset = divmod(pos, stride)
            if pos % 3 or offset + len(needle) > stride:   # across pixels, or across rows
                pos = self.data.find(needle, pos + 1)
                continue
            end = more.match(self.data, pos, (y + 1) * stride).end()
            out.append((y, offset // 3, (end - y * stride) // 3 - 1))
            pos = self.data.find(needle, end)
        return out

    def boxes(self, colour, min_width, min_height=1):
        """Rectangles (x, y, w, h) filled with colour: equal runs on consecutive rows."""
        found = []
        open_boxes = {}
        for y, x0, x1 in self.runs(colour, min_width):
            key = (x0, x1)
            if key in open_boxes and open_boxes[key][1] + open_boxes[key][3] == y:
                b = open_boxes[key]
                open_boxes[key] = (b[0], b[1], b[2], b[3] + 1)
            else:
                if key in open_boxes:
                    found.append(open_boxes[key])
                open_boxes[key] = (x0, y, x1 - x0 + 1, 1)
        found.extend(open_boxes.values())
        return sorted((b for b in found if b[3] >= min_height), key=lambda b: (b[1], b[0]))


class GnomeSession:
    def __init__(self, artefacts):
        self.artefacts = artefacts
        self.procs = []
        self.runtime = tempfile.mkdtemp(prefix="paltsekhod-gnome-")
        os.chmod(self.runtime, 0o700)
        self.env = dict(os.environ, XDG_RUNTIME_DIR=self.runtime, LANG="C.UTF-8")
        for var in ("DISPLAY", "WAYLAND_DISPLAY", "XDG_CURRENT_DESKTOP"):
            self.env.pop(var, None)
        self.bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
        self.stream_path = None
        self.node = None
        self.shots = 0

    # -- processes -------------------------------------------------------

    def spawn(self, name, argv, env=None):
        log = open(os.path.join(self.artefacts, name + ".log"), "wb")
        p = subprocess.Popen(argv, env=env or self.env, stdout=log, stderr=subprocess.STDOUT)
        self.procs.append(p)
        return p

    def close(self):
        for p in reversed(self.procs):
            if p.poll() is None:
                p.terminate()
        for p in reversed(self.procs):
            try:
                p.wait(timeout=10)
            except subprocess.TimeoutExpired:
                p.kill()
                p.wait()
        shutil.rmtree(self.runtime, ignore_errors=True)

    def has_name(self, name):
        reply = self.bus.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                                   "NameHasOwner", GLib.Variant("(s)", (name,)), None,
                                   Gio.DBusCallFlags.NONE, -1, None)
        return reply.unpack()[0]

    def call(self, path, interface, method, args=None, name="org.gnome.Mutter.RemoteDesktop"):
        if interface.startswith("org.gnome.Mutter.ScreenCast"):
            name = "org.gnome.Mutter.ScreenCast"
        return self.bus.call_sync(name, path, interface, method, args, None,
                                  Gio.DBusCallFlags.NONE, 10000, None).unpack()

    def start(self, timeout):
        for tool in ("mutter", "pipewire", "wireplumber", "gst-launch-1.0"):
            if not shutil.which(tool):
                raise Unavailable("%s is not installed (scripts/setup --test installs it)" % tool)
        if subprocess.run(["gst-inspect-1.0", "pipewiresrc"], stdout=subprocess.DEVNULL,
                          stderr=subprocess.DEVNULL).returncode != 0:
            raise Unavailable("GStreamer has no pipewiresrc (gstreamer1.0-pipewire)")
        pipewire = self.spawn("pipewire", ["pipewire"])
        if not poll(timeout, lambda: os.path.exists(os.path.join(self.runtime, "pipewire-0"))
                    or pipewire.poll() is not None) or pipewire.poll() is not None:
            raise Unavailable("pipewire did not start (see pipewire.log)")
        self.spawn("wireplumber", ["wireplumber"])
        self.mutter = self.spawn("mutter", ["mutter", "--headless", "--wayland",
                                            "--virtual-monitor", "%dx%d" % (WIDTH, HEIGHT)])
        ready = lambda: self.mutter.poll() is not None or (
            self.has_name("org.gnome.Mutter.RemoteDesktop") and self.has_name("org.gnome.Mutter.ScreenCast")
            and self.wayland_socket())
        if not poll(timeout, ready) or self.mutter.poll() is not None:
            raise Unavailable("mutter --headless did not start (see mutter.log)")
        self.env["WAYLAND_DISPLAY"] = self.wayland_socket()
        # mutter's X server (Xwayland), which mutter starts with itself: its
        # display, and the key it lets clients in with, which mutter writes
        # into the runtime folder; none where Xwayland is not installed.
        self.x_env = {}
        display = shutil.which("Xwayland") and poll(timeout, lambda: x_display_of(self.mutter.pid))
        if display:
            self.x_env["DISPLAY"] = display
            keys = [n for n in os.listdir(self.runtime) if "Xwaylandauth" in n]
            if keys:
                self.x_env["XAUTHORITY"] = os.path.join(self.runtime, keys[0])

        self.rd = self.call("/org/gnome/Mutter/RemoteDesktop", "org.gnome.Mutter.RemoteDesktop",
                            "CreateSession")[0]
        session_id = self.bus.call_sync("org.gnome.Mutter.RemoteDesktop", self.rd,
                                        "org.freedesktop.DBus.Properties", "Get",
                                        GLib.Variant("(ss)", ("org.gnome.Mutter.RemoteDesktop.Session",
                                                              "SessionId")),
                                        None, Gio.DBusCallFlags.NONE, -1, None).unpack()[0]
        self.sc = self.call("/org/gnome/Mutter/ScreenCast", "org.gnome.Mutter.ScreenCast", "CreateSession",
                            GLib.Variant("(a{sv})", ({"remote-desktop-session-id": GLib.Variant("s", session_id)},)))[0]
        self.stream_path = self.call(self.sc, "org.gnome.Mutter.ScreenCast.Session", "RecordMonitor",
                                     GLib.Variant("(sa{sv})", ("", {"cursor-mode": GLib.Variant("u", 0)})))[0]
        nodes = []
        self.bus.signal_subscribe("org.gnome.Mutter.ScreenCast", "org.gnome.Mutter.ScreenCast.Stream",
                                  "PipeWireStreamAdded", self.stream_path, None, Gio.DBusSignalFlags.NONE,
                                  lambda *a: nodes.append(a[5].unpack()[0]))
        self.call(self.rd, "org.gnome.Mutter.RemoteDesktop.Session", "Start")
        context = GLib.MainContext.default()
        if not poll(timeout, lambda: (context.iteration(False), bool(nodes))[1], step=0.01):
            raise Unavailable("mutter's screen cast gave no PipeWire stream")
        self.node = nodes[0]
        self._watch()
        # The first key event after the session starts is dropped.
        self.tap("LeftShift")

    def wayland_socket(self):
        names = sorted(n for n in os.listdir(self.runtime) if n.startswith("wayland-") and not n.endswith(".lock"))
        return names[0] if names else None

    # -- input -----------------------------------------------------------

    def key(self, name, pressed):
        self.call(self.rd, "org.gnome.Mutter.RemoteDesktop.Session", "NotifyKeyboardKeycode",
                  GLib.Variant("(ub)", (KEY[name], pressed)))

    def tap(self, *names):
        """Presses the keys in order and releases them in reverse: a chord, or one key."""
        for n in names:
            self.key(n, True)
        for n in reversed(names):
            self.key(n, False)

    def type(self, keys):
        for k in keys:
            self.tap(k)

    def point(self, x, y):
        self.call(self.rd, "org.gnome.Mutter.RemoteDesktop.Session", "NotifyPointerMotionAbsolute",
                  GLib.Variant("(sdd)", (self.stream_path, float(x), float(y))))

    def button(self, pressed):
        self.call(self.rd, "org.gnome.Mutter.RemoteDesktop.Session", "NotifyPointerButton",
                  GLib.Variant("(ib)", (BTN_LEFT, pressed)))

    def click(self, x, y):
        self.point(x, y)
        self.button(True)
        self.button(False)

    # -- pictures --------------------------------------------------------

    def _watch(self):
        """Starts one GStreamer pipeline that writes every frame of the cast
        as raw RGB to a pipe, and a thread that keeps the newest. The cast
        sends a frame whenever the screen changes, so the newest frame is
        the screen as it is, give or take the frame on its way."""
        size = WIDTH * HEIGHT * 3
        self.watcher = self.spawn_quiet(["gst-launch-1.0", "-q", "pipewiresrc", "path=%d" % self.node,
                                         "always-copy=true", "!", "videoconvert", "!",
                                         "video/x-raw,format=RGB,width=%d,height=%d" % (WIDTH, HEIGHT),
                                         "!", "fdsink", "fd=1", "sync=false"])
        self.frames = 0
        self.frame = None
        self.changed = threading.Condition()

        def read():
            pipe = self.watcher.stdout
            while True:
                data = pipe.read(size)
                if len(data) != size:
                    break
                with self.changed:
                    self.frame, self.frames = data, self.frames + 1
                    self.changed.notify_all()

        threading.Thread(target=read, daemon=True).start()

    def spawn_quiet(self, argv):
        p = subprocess.Popen(argv, env=self.env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        self.procs.append(p)
        return p

    def snap(self, name=None, timeout=30):
        """The newest frame of the screen; kept as name.png when a name is given."""
        self.shots += 1
        with self.changed:
            if not self.changed.wait_for(lambda: self.frame is not None, timeout):
                raise RuntimeError("the screen cast sent no frame")
            data = self.frame
        if name:
            write_png(os.path.join(self.artefacts, name + ".png"), data, WIDTH, HEIGHT)
        return Picture(data)


def write_png(path, rgb, width, height):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    stride = width * 3
    raw = b"".join(b"\0" + rgb[y * stride:(y + 1) * stride] for y in range(height))
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
                + chunk(b"IDAT", zlib.compress(raw, 6)) + chunk(b"IEND", b""))
