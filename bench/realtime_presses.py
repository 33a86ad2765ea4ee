#!/usr/bin/env python3
"""Presses the visible target of a running game 20 times a second for a whole game, through the X
server as a player would, and compares the hits the game counted with the presses sent.

Run by realtime_presses.sh, which starts Xvfb and the game; this part needs DISPLAY and the main
window's place on the screen. It talks to the X server directly (Xlib and XTest through ctypes), so
that a screen grab and a press take well under a millisecond and the pace of 20 presses a second
holds.

How a press is judged. Before each press the playing field is grabbed and compared with the empty
field; a target is where they differ, and the press goes to one of its differing pixels. The next
grab, 50 ms later, shows whether the target was still there. A press with the target there before
and after is a sure hit; with none there before and after, a sure miss; when the target appeared
or vanished in between, the press is an edge case that the game may rightly count or not. So the
game counted every press if sure hits <= Treffer <= sure hits + edge cases. Responsiveness: after a
press on a target, the Treffer read-out is grabbed every millisecond until it changes.
"""
import ctypes
import ctypes.util
import statistics
import sys
import time

TWIP = 15  # twips per pixel


def px(twips):
    return twips // TWIP


class XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.c_void_p), ("byte_order", ctypes.c_int),
                ("bitmap_unit", ctypes.c_int), ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int), ("bits_per_pixel", ctypes.c_int),
                ("red_mask", ctypes.c_ulong), ("green_mask", ctypes.c_ulong), ("blue_mask", ctypes.c_ulong),
                ("obdata", ctypes.c_void_p), ("f", ctypes.c_void_p * 6)]


xlib = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
xtst = ctypes.CDLL(ctypes.util.find_library("Xtst") or "libXtst.so.6")
xlib.XOpenDisplay.restype = ctypes.c_void_p
xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
xlib.XDefaultRootWindow.restype = ctypes.c_ulong
xlib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
xlib.XGetImage.restype = ctypes.POINTER(XImage)
xlib.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                           ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
xlib.XFlush.argtypes = [ctypes.c_void_p]
xlib.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
xtst.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int, ctypes.c_int, ctypes.c_ulong]
xtst.XTestFakeButtonEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
DESTROY = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.POINTER(XImage))

display = xlib.XOpenDisplay(None)
if not display:
    sys.exit("no X display")
root = xlib.XDefaultRootWindow(display)


class Grab:
    """A rectangle of the screen as 32-bit pixels."""

    def __init__(self, x, y, w, h):
        image = xlib.XGetImage(display, root, x, y, w, h, ctypes.c_ulong(-1).value, 2)  # ZPixmap
        if not image:
            raise RuntimeError("XGetImage failed")
        img = image.contents
        self.stride = img.bytes_per_line
        self.data = ctypes.string_at(img.data, img.bytes_per_line * h)
        DESTROY(img.f[1])(image)
        self.w, self.h = w, h

    def pixel(self, x, y):
        o = y * self.stride + 4 * x
        return self.data[o:o + 3]


def press(x, y):
    xtst.XTestFakeMotionEvent(display, -1, x, y, 0)
    xtst.XTestFakeButtonEvent(display, 1, 1, 0)
    xtst.XTestFakeButtonEvent(display, 1, 0, 0)
    xlib.XFlush(display)


def main():
    win_x, win_y = int(sys.argv[1]), int(sys.argv[2])
    seconds = float(sys.argv[3]) if len(sys.argv) > 3 else 80.0
    rate = 20
    # The playing field: left of the data frame, which stands in front of it from x = 480 px on.
    field = (win_x, win_y, px(7200), px(4365))
    start_button = (win_x + px(6975) // 2, win_y + px(5640) + px(225) // 2)
    # lblTreffer sits in the frame "Aktuelles Spiel" (left 7200) at 840, 600.
    treffer = (win_x + px(7200 + 840), win_y + px(600), px(615), px(255))
    step = 4  # grid of the comparison; a target is 32 px wide

    # Park the pointer outside the field, grab the empty field, start the game.
    press_free = (start_button[0], start_button[1])
    xtst.XTestFakeMotionEvent(display, -1, win_x + px(9000), win_y + px(5000), 0)
    xlib.XSync(display, 0)
    time.sleep(0.3)
    empty = Grab(*field)
    press(*press_free)
    started = time.monotonic()

    def find_target(grab):
        diffs = [(x, y) for y in range(1, field[3] - 1, step) for x in range(1, field[2] - 1, step)
                 if grab.pixel(x, y) != empty.pixel(x, y)]
        if len(diffs) < 3:
            return None
        cx = (min(d[0] for d in diffs) + max(d[0] for d in diffs)) / 2
        cy = (min(d[1] for d in diffs) + max(d[1] for d in diffs)) / 2
        return min(diffs, key=lambda d: (d[0] - cx) ** 2 + (d[1] - cy) ** 2)

    sent = sure_hits = sure_misses = edges = 0
    latencies = []  # of sure hits: press to Treffer repaint, in ms
    slow = 0        # sure hits without a repaint within 35 ms
    last_point = (field[2] // 2, field[3] // 2)
    pending = None  # (point, pixel before, target there before)
    # Presses start with the first slot after the first show, at 2 s.
    next_slot = started + 0.05
    end = started + seconds
    worst_lateness = 0.0
    while True:
        now = time.monotonic()
        if now < next_slot:
            time.sleep(next_slot - now)
        worst_lateness = max(worst_lateness, time.monotonic() - next_slot)
        if next_slot >= end:
            break
        next_slot += 1.0 / rate
        grab = Grab(*field)
        if pending:
            (px_, py_), before, there_before, latency = pending
            there_after = grab.pixel(px_, py_) == before and before != empty.pixel(px_, py_)
            if there_before and there_after:
                sure_hits += 1
                if latency is None:
                    slow += 1
                else:
                    latencies.append(latency)
            elif not there_before and not there_after:
                sure_misses += 1
            else:
                edges += 1
        point = find_target(grab)
        there = point is not None
        if there:
            last_point = point
        else:
            point = last_point
        before = grab.pixel(*point)
        read_out = Grab(*treffer).data if there else None
        press(field[0] + point[0], field[1] + point[1])
        sent += 1
        latency = None
        if there:
            pressed = time.monotonic()
            limit = pressed + 0.035
            while time.monotonic() < limit:
                if Grab(*treffer).data != read_out:
                    latency = (time.monotonic() - pressed) * 1000
                    break
                time.sleep(0.001)
        pending = (point, before, there and before != empty.pixel(*point), latency)
    if pending:
        edges += 1  # the last press has no later grab

    print(f"presses sent: {sent} in {seconds:.0f} s ({sent / seconds:.1f}/s), worst lateness of a press "
          f"{worst_lateness * 1000:.1f} ms")
    print(f"sure hits: {sure_hits}, sure misses: {sure_misses}, edge cases: {edges}")
    if latencies:
        latencies.sort()
        print(f"sure hit to Treffer repaint: median {statistics.median(latencies):.1f} ms, "
              f"95th percentile {latencies[int(0.95 * (len(latencies) - 1))]:.1f} ms, "
              f"max {latencies[-1]:.1f} ms; {slow} sure hits without a repaint within 35 ms")
    print(f"RESULT {sent} {sure_hits} {sure_misses} {edges}")


if __name__ == "__main__":
    main()
