#!/usr/bin/env python3
"""Packs program folders into one zip, each under <root>/<name>/, and files (the licence) under
<root>/, the same bytes for the same files: entries in sorted order, one fixed time stamp, fixed
permissions and compression.

    portable_zip.py OUT.zip ROOT NAME=FOLDER [NAME=FOLDER ...] [FILE ...]
"""

import sys
import zipfile
from pathlib import Path

# The earliest time a zip entry can hold; the files' own times would differ from build to build.
STAMP = (1980, 1, 1, 0, 0, 0)
FILE_MODE = 0o100644 << 16
FOLDER_MODE = (0o040755 << 16) | 0x10  # with the DOS directory flag


def entries(root, name, folder):
    """(name in the zip, path or None for a folder) for a folder and everything in it, sorted."""
    base = f"{root}/{name}"
    yield base + "/", None
    for path in sorted(folder.rglob("*"), key=lambda p: p.relative_to(folder).parts):
        inside = f"{base}/{path.relative_to(folder).as_posix()}"
        yield (inside + "/", None) if path.is_dir() else (inside, path)


def main(out, root, *items):
    out = Path(out)
    tmp = out.with_suffix(".tmp")
    packed = [(root + "/", None)]
    for item in items:
        name, _, folder = item.partition("=")
        packed += entries(root, name, Path(folder)) if folder else [(f"{root}/{Path(item).name}", Path(item))]
    with zipfile.ZipFile(tmp, "w") as archive:
        for inside, path in sorted(packed, key=lambda entry: entry[0]):
            if path is None:
                archive.writestr(_info(inside, FOLDER_MODE), b"")
            else:
                info = _info(inside, FILE_MODE, zipfile.ZIP_DEFLATED)
                archive.writestr(info, path.read_bytes(), compresslevel=9)
    tmp.replace(out)


def _info(name, mode, compression=zipfile.ZIP_STORED):
    info = zipfile.ZipInfo(name, STAMP)
    info.external_attr = mode
    info.create_system = 3  # Unix, so the permissions are read as such
    info.compress_type = compression
    return info


if __name__ == "__main__":
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    main(*sys.argv[1:])
