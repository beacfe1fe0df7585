#!/usr/bin/env python3
"""The release in build/release/: the portable zip holds both builds as complete program folders and
the licence, packed the same way every time, and the installer is a 32-bit program that runs on every Windows."""

import os
import re
import struct
import unittest
import zipfile
from pathlib import Path

REPO = Path(__file__).resolve().parents[2]
DIST = Path(os.environ.get("MIMI_DIST_DIR", REPO / "dist"))
BUILD = Path(os.environ.get("MIMI_BUILD_DIR", REPO / "build"))
VERSION = re.search(r'VALUE "ProductVersion", "([0-9.]+)"', (REPO / "resources/version.rc").read_text("utf-8"))[1]
RELEASE = BUILD / "release"
I386, AMD64 = 0x14C, 0x8664


def machine(data):
    return struct.unpack_from("<H", data, struct.unpack_from("<I", data, 0x3C)[0] + 4)[0]


class Release(unittest.TestCase):
    def test_zip_holds_the_64_and_32_bit_program_folders_and_the_licence(self):
        root = f"mimitap-{VERSION}"
        with zipfile.ZipFile(RELEASE / f"{root}.zip") as archive:
            files = [i for i in archive.infolist() if not i.is_dir()]
            dist = sorted(p.relative_to(DIST).as_posix() for p in DIST.rglob("*") if p.is_file())
            for folder, expected_machine in (("x64", AMD64), ("x86", I386)):
                names = sorted(i.filename.removeprefix(f"{root}/{folder}/") for i in files
                               if i.filename.startswith(f"{root}/{folder}/"))
                self.assertEqual(dist, names, folder)
                for exe in ("mimitap.exe", "mimiopt.dll"):
                    self.assertEqual(expected_machine, machine(archive.read(f"{root}/{folder}/{exe}")), exe)
            shipped = (REPO / "LICENSE").read_bytes().replace(b"\n", b"\r\n")  # LICENSE.txt, for Notepad
            self.assertEqual(shipped, archive.read(f"{root}/LICENSE.txt"))
            self.assertEqual(2 * len(dist) + 1, len(files), "files outside the two program folders and the licence")
            self.assertEqual({(1980, 1, 1, 0, 0, 0)}, {i.date_time for i in archive.infolist()})
            self.assertEqual(sorted(i.filename for i in archive.infolist()), [i.filename for i in archive.infolist()])

    def test_installer_is_a_32_bit_program(self):
        self.assertEqual(I386, machine((RELEASE / f"mimitap-{VERSION}-setup.exe").read_bytes()))


if __name__ == "__main__":
    unittest.main()
