#!/usr/bin/env python3
"""The program folder as a user receives it: exactly the files the toy uses, a GUI program and a
library that import only system DLLs, and the library's exports under their plain names."""

import os
import re
import struct
import subprocess
import sys
import unittest
from pathlib import Path

DIST = Path(os.environ.get("MIMI_DIST_DIR", Path(__file__).resolve().parents[2] / "dist"))
BUILD = Path(os.environ.get("MIMI_BUILD_DIR", Path(__file__).resolve().parents[2] / "build"))

SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "shell32.dll", "winmm.dll", "msvcrt.dll",
               "advapi32.dll", "comctl32.dll", "imm32.dll", "wtsapi32.dll"}

EXPECTED = (
    ["mimitap.exe", "mimiopt.dll", "mimitap.txt", "BMP/DIALOG.BMP"]
    + [f"WAV/{name}.WAV" for name in ("KEY1", "KEY2", "KEY3", "KEY4", "KEY5", "PONYON", "POPUPS", "POPUPL", "DRAG",
                                      "RMM", "STAR", "PON", "BOM", "SYU", "WWP", "TEN")]
    + [f"ICON/KIRA{i}.ICO" for i in range(1, 9)] + [f"ICON/CYUU{i}.ICO" for i in range(1, 5)]
    + [f"DRAGICON/DRGICO{i}.ICO" for i in range(1, 11)] + [f"PMENUICO/PMENU{i}.ICO" for i in range(1, 6)]
    + [f"CURSOR/CURSOR{i}.CUR" for i in range(1, 6)]
)


def version_record(path):
    """The fixed file version (four numbers) and the named strings of a file's version resource."""
    data = path.read_bytes()
    fixed = data.find(struct.pack("<I", 0xFEEF04BD))
    ms, ls = struct.unpack_from("<II", data, fixed + 8)
    strings = {}
    for key in ("ProductName", "FileVersion", "ProductVersion", "FileDescription", "OriginalFilename"):
        start = data.find(key.encode("utf-16-le") + b"\0\0")
        if start < 0:
            continue
        start += len(key) * 2 + 2
        start += (4 - start % 4) % 4  # the value starts on a 32-bit boundary
        end = start
        while data[end:end + 2] != b"\0\0":
            end += 2
        strings[key] = data[start:end].decode("utf-16-le")
    return (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF), strings


def objdump(triple, path):
    return subprocess.run([f"{triple}-objdump", "-p", str(path)], check=True, capture_output=True,
                          text=True).stdout


def imports(dump):
    return {name.lower() for name in re.findall(r"DLL Name: (\S+)", dump)}


def exports(dump):
    table = dump.split("[Ordinal/Name Pointer] Table", 1)
    return re.findall(r"\[\s*\d+\] (\S+)", table[1].split("\n\n", 1)[0]) if len(table) == 2 else []


class ProgramFolder(unittest.TestCase):
    def test_holds_exactly_the_files_the_toy_uses_spelled_as_it_asks(self):
        present = sorted(str(p.relative_to(DIST)) for p in DIST.rglob("*") if p.is_file())
        self.assertEqual(sorted(EXPECTED), present)

    def test_program_and_library_import_only_system_dlls(self):
        for triple, folder in (("x86_64-w64-mingw32", DIST), ("i686-w64-mingw32", BUILD / "windows-i686")):
            for name in ("mimitap.exe", "mimiopt.dll"):
                with self.subTest(triple=triple, name=name):
                    dump = objdump(triple, folder / name)
                    self.assertTrue(imports(dump), "no import table read")
                    self.assertLessEqual(imports(dump), SYSTEM_DLLS)

    def test_program_is_a_gui_program(self):
        dump = objdump("x86_64-w64-mingw32", DIST / "mimitap.exe")
        self.assertRegex(dump, r"Subsystem\s+00000002")

    def test_library_exports_its_functions_under_plain_names(self):
        for triple, folder in (("x86_64-w64-mingw32", DIST), ("i686-w64-mingw32", BUILD / "windows-i686")):
            with self.subTest(triple=triple):
                self.assertEqual(["about", "ininfo", "option", "osver"],
                                 sorted(exports(objdump(triple, folder / "mimiopt.dll"))))

    def test_program_and_library_carry_version_1_03(self):
        for folder in (DIST, BUILD / "windows-i686"):
            for name in ("mimitap.exe", "mimiopt.dll"):
                with self.subTest(file=str(folder / name)):
                    fixed, strings = version_record(folder / name)
                    self.assertEqual((1, 0, 3, 0), fixed)
                    self.assertEqual({"ProductName": "ミミタップ", "FileVersion": "1.03", "ProductVersion": "1.03",
                                      "OriginalFilename": name}, {k: strings.get(k) for k in
                                                                  ("ProductName", "FileVersion", "ProductVersion",
                                                                   "OriginalFilename")})
                    self.assertTrue(strings.get("FileDescription"), "no file description")

    def test_program_declares_its_dpi_awareness_and_windows_versions(self):
        data = (DIST / "mimitap.exe").read_bytes()
        manifest = data[data.find(b"<?xml"):data.find(b"</assembly>")].decode("utf-8")
        self.assertRegex(manifest, r"<dpiAware[^>]*>\s*true\s*</dpiAware>")
        # Windows 7, 8, 8.1 and 10 or later.
        for os_id in ("35138b9a-5d96-4fbd-8e2d-a2440225f93a", "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38",
                      "1f676c76-80e1-4239-95bb-83d0f6d0da78", "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"):
            self.assertIn(os_id, manifest)

    def test_read_me_is_utf8_with_bom_and_crlf(self):
        data = (DIST / "mimitap.txt").read_bytes()
        self.assertTrue(data.startswith(b"\xef\xbb\xbf"))
        self.assertNotIn(b"\n", data.replace(b"\r\n", b""))
        data.decode("utf-8")


if __name__ == "__main__":
    sys.exit(unittest.main())
