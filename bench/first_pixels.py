#!/usr/bin/env python3
"""Key to first changed pixels: for each key code given, reads a rectangle of
the screen, presses the key through XTest, then reads the rectangle again
and again until it differs, and prints the time from the press to that
first difference in milliseconds ("-" if nothing changed within the
timeout). The key is released once the rectangle has changed, then the
probe rests GAP seconds before the next key.

Talks to the X server with libX11, libXext and libXtst through ctypes, so
it needs no development packages. A read of the rectangle is one
XShmGetImage into shared memory, compared there with the copy taken before
the key; the mean time of a read, which bounds the resolution, is printed
last, on standard error.

Usage: first_pixels.py X Y W H GAP TIMEOUT KEYCODE...
"""
import ctypes
import sys
import time

x11 = ctypes.CDLL("libX11.so.6")
xext = ctypes.CDLL("libXext.so.6")
xtst = ctypes.CDLL("libXtst.so.6")
libc = ctypes.CDLL(None, use_errno=True)
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XDefaultRootWindow.restype = ctypes.c_ulong
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XDefaultVisual.restype = ctypes.c_void_p
x11.XDefaultVisual.argtypes = [ctypes.c_void_p, ctypes.c_int]
x11.XDefaultDepth.argtypes = [ctypes.c_void_p, ctypes.c_int]
xext.XShmCreateImage.restype = ctypes.c_void_p
xext.XShmCreateImage.argtypes = [ctypes.c_void_p, ctypes.c_void_p, ctypes.c_uint, ctypes.c_int,
                                 ctypes.c_char_p, ctypes.c_void_p, ctypes.c_uint, ctypes.c_uint]
xext.XShmAttach.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
xext.XShmGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_void_p, ctypes.c_int,
                              ctypes.c_int, ctypes.c_ulong]
libc.shmget.argtypes = [ctypes.c_int, ctypes.c_size_t, ctypes.c_int]
libc.shmat.restype = ctypes.c_void_p
libc.shmat.argtypes = [ctypes.c_int, ctypes.c_void_p, ctypes.c_int]
libc.shmctl.argtypes = [ctypes.c_int, ctypes.c_int, ctypes.c_void_p]
libc.memcmp.argtypes = [ctypes.c_void_p, ctypes.c_void_p, ctypes.c_size_t]
libc.memmove.argtypes = [ctypes.c_void_p, ctypes.c_void_p, ctypes.c_size_t]
x11.XFlush.argtypes = [ctypes.c_void_p]
x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]

ALL_PLANES = 0xFFFFFFFF
Z_PIXMAP = 2
IPC_PRIVATE, IPC_CREAT, IPC_RMID = 0, 0o1000, 0


class XImageHead(ctypes.Structure):
    # The leading members of Xlib's XImage, up to bytes_per_line.
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.c_void_p), ("byte_order", ctypes.c_int),
                ("bitmap_unit", ctypes.c_int), ("bitmap_bit_order", ctypes.c_int),
                ("bitmap_pad", ctypes.c_int), ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int)]


class ShmSegmentInfo(ctypes.Structure):
    _fields_ = [("shmseg", ctypes.c_ulong), ("shmid", ctypes.c_int), ("shmaddr", ctypes.c_void_p),
                ("readOnly", ctypes.c_int)]


def main():
    if len(sys.argv) < 8:
        sys.exit(__doc__.split("Usage: ")[1])
    x, y, w, h = (int(v) for v in sys.argv[1:5])
    gap, timeout = float(sys.argv[5]), float(sys.argv[6])
    keycodes = [int(v) for v in sys.argv[7:]]

    display = x11.XOpenDisplay(None)
    if not display:
        sys.exit("first_pixels: cannot open the display")
    root = x11.XDefaultRootWindow(display)
    shm = ShmSegmentInfo()
    image = xext.XShmCreateImage(display, x11.XDefaultVisual(display, 0), x11.XDefaultDepth(display, 0),
                                 Z_PIXMAP, None, ctypes.byref(shm), w, h)
    if not image:
        sys.exit("first_pixels: the X server has no shared-memory images")
    head = XImageHead.from_address(image)
    size = head.bytes_per_line * head.height
    shm.shmid = libc.shmget(IPC_PRIVATE, size, IPC_CREAT | 0o600)
    shm.shmaddr = libc.shmat(shm.shmid, None, 0)
    head.data = shm.shmaddr
    attached = xext.XShmAttach(display, ctypes.byref(shm))
    x11.XSync(display, 0)
    libc.shmctl(shm.shmid, IPC_RMID, None)  # gone once both sides let go
    if not attached:
        sys.exit("first_pixels: cannot share memory with the X server")
    before = ctypes.create_string_buffer(size)

    def read():
        xext.XShmGetImage(display, root, image, x, y, ALL_PLANES)

    reads = 0
    read_time = 0.0
    for keycode in keycodes:
        read()
        libc.memmove(before, head.data, size)
        sent = time.perf_counter()
        xtst.XTestFakeKeyEvent(display, keycode, 1, 0)
        x11.XFlush(display)
        result = "-"
        while time.perf_counter() - sent < timeout:
            t = time.perf_counter()
            read()
            changed = libc.memcmp(head.data, before, size) != 0
            read_time += time.perf_counter() - t
            reads += 1
            if changed:
                result = "%.2f" % ((time.perf_counter() - sent) * 1000)
                break
        xtst.XTestFakeKeyEvent(display, keycode, 0, 0)
        x11.XSync(display, 0)
        print(result, flush=True)
        time.sleep(gap)
    print("first_pixels: %.3f ms a read over %d reads" % (read_time * 1000 / max(reads, 1), reads),
          file=sys.stderr)


main()
