#!/usr/bin/env python3
"""Times when a window titled TITLE shows on the X display and when its
first paint has reached the screen.

Usage: first_paint.py TITLE [SETTLE_MS]

It prints "watching" once it watches the root window's children: start the
program after that line, so this script's own start-up counts against no
program. Once a top-level window named TITLE is viewable (mapped, or shown
again after being hidden), it reads a few probe pixels of that window every
two milliseconds for SETTLE_MS (default 1500) and prints

    MAPPED_MS PAINTED_MS

both wall clock in milliseconds since the epoch (as `date +%s%3N`). A
window maps before it paints, and until then shows whatever the screen held
there, so the painted time is that of the first sample from which every
probe holds its final value to the end. The probes lie in the title bar and
the bottom bar, which the first paint draws and nothing changes afterwards
(the middle of Tessaro's window fills in later, after its first device
scan); a bare window painted in one colour fits them too. With
FIRST_PAINT_DEBUG=1 every change of the probes is listed on stderr. Fails
if no such window shows within a minute, or if one is shown already when
the watch begins.
"""
import ctypes
import ctypes.util
import os
import select
import sys
import time

TIMEOUT_MS = 60000
SAMPLE_PERIOD_S = 0.002
# Probe columns as fractions of the width, left of the buttons of Tessaro's
# title bar, in rows a few pixels below the top edge and above the bottom
# edge (below the bottom bar's texts and buttons).
PROBE_COLUMNS = (0.05, 0.2, 0.35, 0.5, 0.6)
TOP_ROW = 6
BOTTOM_ROW_FROM_EDGE = 5

SUBSTRUCTURE_NOTIFY_MASK = 1 << 19
PROPERTY_CHANGE_MASK = 1 << 22
CREATE_NOTIFY = 16
MAP_NOTIFY = 19
PROPERTY_NOTIFY = 28
IS_VIEWABLE = 2
Z_PIXMAP = 2
ALL_PLANES = 0xFFFFFFFFFFFFFFFF

Window = ctypes.c_ulong
Atom = ctypes.c_ulong


class WindowAttributes(ctypes.Structure):
    _fields_ = [("x", ctypes.c_int), ("y", ctypes.c_int), ("width", ctypes.c_int), ("height", ctypes.c_int),
                ("border_width", ctypes.c_int), ("depth", ctypes.c_int), ("visual", ctypes.c_void_p),
                ("root", Window), ("c_class", ctypes.c_int), ("bit_gravity", ctypes.c_int),
                ("win_gravity", ctypes.c_int), ("backing_store", ctypes.c_int),
                ("backing_planes", ctypes.c_ulong), ("backing_pixel", ctypes.c_ulong),
                ("save_under", ctypes.c_int), ("colormap", ctypes.c_ulong), ("map_installed", ctypes.c_int),
                ("map_state", ctypes.c_int), ("all_event_masks", ctypes.c_long),
                ("your_event_mask", ctypes.c_long), ("do_not_propagate_mask", ctypes.c_long),
                ("override_redirect", ctypes.c_int), ("screen", ctypes.c_void_p)]


class TextProperty(ctypes.Structure):
    _fields_ = [("value", ctypes.c_void_p), ("encoding", Atom), ("format", ctypes.c_int),
                ("nitems", ctypes.c_ulong)]


class EventHead(ctypes.Structure):
    """The fields every event shares, then two words: (parent, window) of
    a CreateNotify, (event, window) of a MapNotify, (window, atom) of a
    PropertyNotify."""
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("first", ctypes.c_ulong), ("second", ctypes.c_ulong)]


class Event(ctypes.Union):
    _fields_ = [("head", EventHead), ("pad", ctypes.c_long * 24)]


x11 = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XDefaultRootWindow.restype = Window
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XConnectionNumber.argtypes = [ctypes.c_void_p]
x11.XInternAtom.restype = Atom
x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x11.XSelectInput.argtypes = [ctypes.c_void_p, Window, ctypes.c_long]
x11.XQueryTree.argtypes = [ctypes.c_void_p, Window, ctypes.POINTER(Window), ctypes.POINTER(Window),
                           ctypes.POINTER(ctypes.POINTER(Window)), ctypes.POINTER(ctypes.c_uint)]
x11.XGetTextProperty.argtypes = [ctypes.c_void_p, Window, ctypes.POINTER(TextProperty), Atom]
x11.XGetWindowAttributes.argtypes = [ctypes.c_void_p, Window, ctypes.POINTER(WindowAttributes)]
x11.XPending.argtypes = [ctypes.c_void_p]
x11.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.POINTER(Event)]
x11.XGetImage.restype = ctypes.c_void_p
x11.XGetImage.argtypes = [ctypes.c_void_p, Window, ctypes.c_int, ctypes.c_int, ctypes.c_uint, ctypes.c_uint,
                          ctypes.c_ulong, ctypes.c_int]
x11.XGetPixel.restype = ctypes.c_ulong
x11.XGetPixel.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int]
x11.XDestroyImage.argtypes = [ctypes.c_void_p]
x11.XFree.argtypes = [ctypes.c_void_p]

# A window can go between two requests about it; its errors must not end
# the program, as Xlib's default handler would. Requests that answer say
# they failed by their result.
ERROR_HANDLER = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)(lambda display, error: 0)
x11.XSetErrorHandler(ERROR_HANDLER)

DEBUG = os.environ.get("FIRST_PAINT_DEBUG", "") not in ("", "0")


def fail(message):
    print(f"first_paint: {message}", file=sys.stderr)
    sys.exit(1)


def now_ms():
    return time.time() * 1000


class Watch:
    def __init__(self, title):
        self.display = x11.XOpenDisplay(None)
        if not self.display:
            fail("cannot open the X display")
        self.title = title
        self.root = x11.XDefaultRootWindow(self.display)
        self.name_atoms = [x11.XInternAtom(self.display, name, False) for name in (b"_NET_WM_NAME", b"WM_NAME")]
        # Children made or mapped from now on are reported; those there
        # already are looked at once.
        x11.XSelectInput(self.display, self.root, SUBSTRUCTURE_NOTIFY_MASK)
        self.children = self.query_children()
        for child in self.children:
            x11.XSelectInput(self.display, child, PROPERTY_CHANGE_MASK)

    def query_children(self):
        root, parent = Window(), Window()
        children = ctypes.POINTER(Window)()
        count = ctypes.c_uint()
        if not x11.XQueryTree(self.display, self.root, ctypes.byref(root), ctypes.byref(parent),
                              ctypes.byref(children), ctypes.byref(count)):
            return []
        found = [children[i] for i in range(count.value)]
        if children:
            x11.XFree(children)
        return found

    def names(self, window):
        for atom in self.name_atoms:
            prop = TextProperty()
            if x11.XGetTextProperty(self.display, window, ctypes.byref(prop), atom) and prop.value:
                text = ctypes.string_at(prop.value, prop.nitems * prop.format // 8)
                x11.XFree(prop.value)
                yield text.decode("utf-8", "replace")

    def attributes(self, window):
        attributes = WindowAttributes()
        if not x11.XGetWindowAttributes(self.display, window, ctypes.byref(attributes)):
            return None
        return attributes

    def shown_as_title(self, window):
        attributes = self.attributes(window)
        if attributes is None or attributes.map_state != IS_VIEWABLE:
            return None
        return attributes if self.title in self.names(window) else None

    def wait_for_window(self, deadline_ms):
        """The window and its attributes once it is viewable."""
        for child in self.children:
            if self.shown_as_title(child):
                fail(f'"{self.title}" was already shown when the watch began')
        descriptor = x11.XConnectionNumber(self.display)
        event = Event()
        while True:
            while x11.XPending(self.display):
                x11.XNextEvent(self.display, ctypes.byref(event))
                head = event.head
                if head.type == CREATE_NOTIFY:
                    x11.XSelectInput(self.display, head.second, PROPERTY_CHANGE_MASK)
                    continue
                if head.type == MAP_NOTIFY:
                    window = head.second
                elif head.type == PROPERTY_NOTIFY and head.second in self.name_atoms:
                    window = head.first
                else:
                    continue
                attributes = self.shown_as_title(window)
                if attributes:
                    return window, attributes
            left = deadline_ms - now_ms()
            if left <= 0:
                fail(f'no window "{self.title}" showed within {TIMEOUT_MS} ms')
            select.select([descriptor], [], [], left / 1000)

    def row(self, window, y, width):
        """The pixels of one row of the window, or None once it is gone."""
        image = x11.XGetImage(self.display, window, 0, y, width, 1, ALL_PLANES, Z_PIXMAP)
        if not image:
            return None
        pixels = [x11.XGetPixel(image, int(width * column), 0) for column in PROBE_COLUMNS]
        x11.XDestroyImage(image)
        return pixels


def rgb(pixel):
    return f"#{pixel & 0xFFFFFF:06x}"


def main():
    if len(sys.argv) not in (2, 3):
        fail("usage: first_paint.py TITLE [SETTLE_MS]")
    title = sys.argv[1]
    settle_ms = int(sys.argv[2]) if len(sys.argv) == 3 else 1500
    watch = Watch(title)
    print("watching", flush=True)
    start = now_ms()
    window, attributes = watch.wait_for_window(start + TIMEOUT_MS)
    mapped = now_ms()
    rows = (TOP_ROW, attributes.height - BOTTOM_ROW_FROM_EDGE)
    samples = []
    while True:
        values = []
        for y in rows:
            pixels = watch.row(window, y, attributes.width)
            if pixels is None:
                fail(f'"{title}" went away {now_ms() - mapped:.0f} ms after it showed')
            values += pixels
        sampled = now_ms()
        if DEBUG and (not samples or samples[-1][1] != values):
            print(f"first_paint: {sampled - mapped:7.1f} ms after mapping: {' '.join(map(rgb, values))}",
                  file=sys.stderr)
        samples.append((sampled, values))
        if sampled - mapped >= settle_ms:
            break
        time.sleep(SAMPLE_PERIOD_S)
    final = samples[-1][1]
    painted = samples[-1][0]
    for sampled, values in reversed(samples):
        if values != final:
            break
        painted = sampled
    print(f"{mapped:.0f} {painted:.0f}")


if __name__ == "__main__":
    main()
