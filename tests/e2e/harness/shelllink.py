"""Reads a shortcut (.lnk, the Shell Link binary format): where it points and the folder it starts in.

Only the parts a shortcut made by IShellLink holds are read: the header's flags, the item id list
(skipped), the link info with the target's local path, and the string data (name, relative path,
working folder, arguments, icon location)."""

import struct
from dataclasses import dataclass
from pathlib import Path

LINK_CLSID = bytes.fromhex("0114020000000000c000000000000046")

HAS_ID_LIST, HAS_LINK_INFO, HAS_NAME, HAS_RELATIVE_PATH = 0x1, 0x2, 0x4, 0x8
HAS_WORKING_DIR, HAS_ARGUMENTS, HAS_ICON_LOCATION, IS_UNICODE = 0x10, 0x20, 0x40, 0x80
VOLUME_ID_AND_LOCAL_BASE_PATH = 0x1


@dataclass
class ShellLink:
    target: str | None
    working_dir: str | None
    arguments: str | None
    icon_location: str | None
    icon_index: int
    show_command: int


def _c_string(data, offset, encoding):
    end = data.index(b"\0", offset)
    return data[offset:end].decode(encoding)


def _wide_string(data, offset):
    end = offset
    while data[end:end + 2] != b"\0\0":
        end += 2
    return data[offset:end].decode("utf-16-le")


def _target(info, ansi):
    """The local path of a LinkInfo structure: base path plus common suffix, preferring the
    Unicode copies when present."""
    header_size, flags, _, base_at, _, suffix_at = struct.unpack_from("<6I", info, 4)
    if not flags & VOLUME_ID_AND_LOCAL_BASE_PATH:
        return None
    if header_size >= 0x24:
        base_wide_at, suffix_wide_at = struct.unpack_from("<2I", info, 28)
        return _wide_string(info, base_wide_at) + _wide_string(info, suffix_wide_at)
    return _c_string(info, base_at, ansi) + _c_string(info, suffix_at, ansi)


def read_shell_link(path, ansi="cp932"):
    """Parses a .lnk file. `ansi` is the code page of the system that wrote it (for paths that the
    link info holds only in the ANSI code page)."""
    data = Path(path).read_bytes()
    if struct.unpack_from("<I", data)[0] != 0x4C or data[4:20] != LINK_CLSID:
        raise ValueError(f"{path} is not a shortcut")
    flags, = struct.unpack_from("<I", data, 0x14)
    icon_index, show_command = struct.unpack_from("<iI", data, 0x38)
    offset = 0x4C
    if flags & HAS_ID_LIST:
        offset += 2 + struct.unpack_from("<H", data, offset)[0]
    target = None
    if flags & HAS_LINK_INFO:
        size, = struct.unpack_from("<I", data, offset)
        target = _target(data[offset:offset + size], ansi)
        offset += size
    strings = {}
    for flag in (HAS_NAME, HAS_RELATIVE_PATH, HAS_WORKING_DIR, HAS_ARGUMENTS, HAS_ICON_LOCATION):
        if flags & flag:
            count, = struct.unpack_from("<H", data, offset)
            offset += 2
            if flags & IS_UNICODE:
                text = data[offset:offset + 2 * count].decode("utf-16-le")
                offset += 2 * count
            else:
                text = data[offset:offset + count].decode(ansi)
                offset += count
            # Wine counts the terminating zero too; Windows does not.
            strings[flag] = text.rstrip("\0")
    return ShellLink(target=target, working_dir=strings.get(HAS_WORKING_DIR),
                     arguments=strings.get(HAS_ARGUMENTS), icon_location=strings.get(HAS_ICON_LOCATION),
                     icon_index=icon_index, show_command=show_command)
