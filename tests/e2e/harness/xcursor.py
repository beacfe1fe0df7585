"""The pointer picture the X server shows now (XFixes), read from the Linux side.

Under Wine another process cannot read a program's cursor handle (GetIconInfo on it fails), but
Wine turns every Windows cursor it shows into an X cursor, so the X server can tell which picture
is up. Compare with the pictures of known cursor files shown the same way (Driver.show_cursor)."""

import ctypes
import ctypes.util
import hashlib


class _CursorImage(ctypes.Structure):
    _fields_ = [("x", ctypes.c_short), ("y", ctypes.c_short), ("width", ctypes.c_ushort),
                ("height", ctypes.c_ushort), ("xhot", ctypes.c_ushort), ("yhot", ctypes.c_ushort),
                ("cursor_serial", ctypes.c_ulong), ("pixels", ctypes.POINTER(ctypes.c_ulong)),
                ("atom", ctypes.c_ulong), ("name", ctypes.c_char_p)]


_libs = {}


def _load():
    if not _libs:
        try:
            x11 = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
            xfixes = ctypes.CDLL(ctypes.util.find_library("Xfixes") or "libXfixes.so.3")
        except OSError as e:
            raise RuntimeError(f"reading the pointer's picture needs libx11-6 and libxfixes3 ({e})") from None
        x11.XOpenDisplay.restype = ctypes.c_void_p
        x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
        x11.XFree.argtypes = [ctypes.c_void_p]
        xfixes.XFixesGetCursorImage.restype = ctypes.POINTER(_CursorImage)
        xfixes.XFixesGetCursorImage.argtypes = [ctypes.c_void_p]
        _libs.update(x11=x11, xfixes=xfixes)
    return _libs["x11"], _libs["xfixes"]


class CursorPicture(tuple):
    """(width, height, xhot, yhot, digest of the ARGB pixels): equal pictures compare equal."""

    __slots__ = ()
    width = property(lambda self: self[0])
    height = property(lambda self: self[1])
    hotspot = property(lambda self: (self[2], self[3]))


def cursor_picture(display_name):
    """The picture of the pointer on the display now, as a CursorPicture."""
    x11, xfixes = _load()
    display = x11.XOpenDisplay(display_name.encode())
    if not display:
        raise RuntimeError(f"cannot open display {display_name}")
    try:
        image = xfixes.XFixesGetCursorImage(display)
        if not image:
            raise RuntimeError("XFixesGetCursorImage failed")
        try:
            c = image.contents
            count = c.width * c.height
            pixels = b"".join((c.pixels[i] & 0xFFFFFFFF).to_bytes(4, "little") for i in range(count))
            return CursorPicture((c.width, c.height, c.xhot, c.yhot, hashlib.sha1(pixels).hexdigest()[:16]))
        finally:
            x11.XFree(image)
    finally:
        x11.XCloseDisplay(display)
