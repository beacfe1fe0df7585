"""Virtual-key codes (winuser.h). Letters and digits are their upper-case ASCII codes."""

LBUTTON, RBUTTON, CANCEL, MBUTTON = 0x01, 0x02, 0x03, 0x04
BACK, TAB, CLEAR, RETURN = 0x08, 0x09, 0x0C, 0x0D
SHIFT, CONTROL, MENU, PAUSE, CAPITAL = 0x10, 0x11, 0x12, 0x13, 0x14
KANA, JUNJA, FINAL, KANJI = 0x15, 0x17, 0x18, 0x19
ESCAPE, CONVERT, NONCONVERT, ACCEPT, MODECHANGE = 0x1B, 0x1C, 0x1D, 0x1E, 0x1F
SPACE, PRIOR, NEXT, END, HOME = 0x20, 0x21, 0x22, 0x23, 0x24
LEFT, UP, RIGHT, DOWN = 0x25, 0x26, 0x27, 0x28
SELECT, PRINT, EXECUTE, SNAPSHOT, INSERT, DELETE, HELP = 0x29, 0x2A, 0x2B, 0x2C, 0x2D, 0x2E, 0x2F
LWIN, RWIN, APPS, SLEEP = 0x5B, 0x5C, 0x5D, 0x5F
NUMPAD0, NUMPAD1, NUMPAD2, NUMPAD3, NUMPAD4 = 0x60, 0x61, 0x62, 0x63, 0x64
NUMPAD5, NUMPAD6, NUMPAD7, NUMPAD8, NUMPAD9 = 0x65, 0x66, 0x67, 0x68, 0x69
MULTIPLY, ADD, SEPARATOR, SUBTRACT, DECIMAL, DIVIDE = 0x6A, 0x6B, 0x6C, 0x6D, 0x6E, 0x6F
F1, F2, F3, F4, F5, F6, F7, F8, F9, F10, F11, F12 = range(0x70, 0x7C)
NUMLOCK, SCROLL = 0x90, 0x91
LSHIFT, RSHIFT, LCONTROL, RCONTROL, LMENU, RMENU = 0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5
OEM_1, OEM_PLUS, OEM_COMMA, OEM_MINUS, OEM_PERIOD, OEM_2, OEM_3 = 0xBA, 0xBB, 0xBC, 0xBD, 0xBE, 0xBF, 0xC0
OEM_4, OEM_5, OEM_6, OEM_7, OEM_102 = 0xDB, 0xDC, 0xDD, 0xDE, 0xE2
PROCESSKEY, ATTN = 0xE5, 0xF6


def letter(ch):
    """The key code of a letter or digit."""
    if not (len(ch) == 1 and ch.isascii() and ch.isalnum()):
        raise ValueError(f"not a letter or digit: {ch!r}")
    return ord(ch.upper())


def name(code):
    """The constant's name for a code, e.g. name(0x20) == 'SPACE'; letters/digits as themselves."""
    if 0x30 <= code <= 0x39 or 0x41 <= code <= 0x5A:
        return chr(code)
    for key, value in globals().items():
        if key.isupper() and value == code:
            return key
    return f"0x{code:02X}"
