#!/usr/bin/env python3
"""Prints "shown" or "hidden": whether the cursor X draws at the pointer has any opaque pixel.

Reads the cursor image through the XFixes extension (libXfixes), on $DISPLAY. Exits 2 without a
display or the extension.
"""
import ctypes
import ctypes.util
import sys


class CursorImage(ctypes.Structure):
    _fields_ = [("x", ctypes.c_short), ("y", ctypes.c_short),
                ("width", ctypes.c_ushort), ("height", ctypes.c_ushort),
                ("xhot", ctypes.c_ushort), ("yhot", ctypes.c_ushort),
                ("cursor_serial", ctypes.c_ulong),
                ("pixels", ctypes.POINTER(ctypes.c_ulong)),  # ARGB, one per unsigned long
                ("atom", ctypes.c_ulong), ("name", ctypes.c_char_p)]


def main():
    names = [ctypes.util.find_library(n) for n in ("X11", "Xfixes")]
    if not all(names):
        print("no libX11 or libXfixes", file=sys.stderr)
        return 2
    x11, xfixes = (ctypes.CDLL(n) for n in names)
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    xfixes.XFixesGetCursorImage.restype = ctypes.POINTER(CursorImage)
    xfixes.XFixesGetCursorImage.argtypes = [ctypes.c_void_p]
    display = x11.XOpenDisplay(None)
    if not display:
        print("cannot open the display", file=sys.stderr)
        return 2
    image = xfixes.XFixesGetCursorImage(display)
    if not image:
        print("no XFixes cursor image", file=sys.stderr)
        return 2
    c = image.contents
    opaque = sum(1 for i in range(c.width * c.height) if (c.pixels[i] >> 24) & 0xFF)
    print("shown" if opaque else "hidden")
    return 0


if __name__ == "__main__":
    sys.exit(main())
