"""The installer a parent runs: a per-user install with a Start-menu shortcut and an entry in the
installed-programs list, the toy started from that shortcut, and an uninstall that leaves nothing.

This Wine runs 64-bit programs only, so the test runs the installer script built as a 64-bit
program (tests/installer/); the one that ships is the same script as a 32-bit program."""

import re
import shutil
import struct
import unittest
from pathlib import Path, PureWindowsPath

from toysupport import EXIT_HINT, KEY_SOUNDS, TITLE, VK, ToyTestCase, config, write_options

from harness import wait_for_value
from harness.shelllink import read_shell_link

REPO = Path(__file__).resolve().parents[3]
VERSION = re.search(r'VALUE "ProductVersion", "([0-9.]+)"',
                    (REPO / "resources" / "version.rc").read_text(encoding="utf-8"))[1]
INSTALLER = config.build_dir() / "tests" / "installer" / f"mimitap-{VERSION}-setup-x64.exe"

UNINSTALL_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Mimitap"
SHELL_FOLDERS = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders"
ENTRY_NAMES = ("DisplayName", "DisplayVersion", "UninstallString", "QuietUninstallString", "InstallLocation",
               "DisplayIcon", "NoModify", "NoRepair", "EstimatedSize")
WM_CLOSE = 0x0010
AMD64 = 0x8664


def machine(exe):
    """The machine type in a program's PE header."""
    data = exe.read_bytes()
    header = struct.unpack_from("<I", data, 0x3C)[0]
    return struct.unpack_from("<H", data, header + 4)[0]


def files_in(folder):
    return sorted(p.relative_to(folder).as_posix() for p in folder.rglob("*") if p.is_file())


class Installer(ToyTestCase):
    def setUp(self):
        super().setUp()
        if not INSTALLER.is_file():
            self.fail(f"no installer at {INSTALLER} (build the installer_x64 target)")
        self.folder = PureWindowsPath(self.shell_folder("Local AppData"), "Programs", TITLE)
        self.shortcut = self.unix_path(PureWindowsPath(self.shell_folder("Programs"), f"{TITLE}.lnk"))
        self.remove_install()  # what an interrupted run may have left in the shared prefix
        self.addCleanup(self.remove_install)

    def shell_folder(self, name):
        return self.driver.reg_get(SHELL_FOLDERS, name)

    def unix_path(self, windows):
        windows = PureWindowsPath(windows)
        drive = (self.session.prefix / "dosdevices" / windows.drive.lower()).resolve()
        return drive.joinpath(*windows.parts[1:])

    def entry(self):
        return {name: self.driver.reg_get(UNINSTALL_KEY, name) for name in ENTRY_NAMES}

    def leftovers(self):
        values = [f"{UNINSTALL_KEY}\\{name}" for name, value in self.entry().items() if value is not None]
        return [p for p in (self.unix_path(self.folder), self.shortcut) if p.exists()] + values

    def remove_install(self):
        shutil.rmtree(self.unix_path(self.folder), ignore_errors=True)
        self.shortcut.unlink(missing_ok=True)
        self.driver.reg_delete(UNINSTALL_KEY)

    def run_silently(self, exe, *args):
        program = self.launch(exe, cwd=self.session.tmp_dir, args=args, trace_sounds=False)
        self.assertEqual(0, program.wait_exit(120), f"{exe} failed")

    def test_installs_for_the_user_starts_from_its_shortcut_and_uninstalls_without_a_trace(self):
        self.run_silently(INSTALLER, "/S")
        folder = self.unix_path(self.folder)

        # The 64-bit program folder, exactly as dist/ holds it, and the uninstaller.
        self.assertEqual(AMD64, machine(folder / "mimitap.exe"))
        dist = self.session.dist_dir
        self.assertEqual(sorted(files_in(dist) + ["uninstall.exe"]), files_in(folder))
        for name in files_in(dist):
            self.assertEqual((dist / name).read_bytes(), (folder / name).read_bytes(), name)

        entry = self.entry()
        uninstaller = f"{self.folder}\\uninstall.exe"
        size = entry.pop("EstimatedSize")
        self.assertEqual({"DisplayName": TITLE, "DisplayVersion": VERSION, "InstallLocation": str(self.folder),
                          "UninstallString": f'"{uninstaller}"', "QuietUninstallString": f'"{uninstaller}" /S',
                          "DisplayIcon": f"{self.folder}\\mimitap.exe,0", "NoModify": 1, "NoRepair": 1}, entry)
        installed_kb = sum(p.stat().st_size for p in folder.rglob("*") if p.is_file()) // 1024
        self.assertLessEqual(abs(size - installed_kb), installed_kb // 10 + 1, "EstimatedSize is not the folder's size")

        code_page = self.driver.system()["acp"]
        link = read_shell_link(self.shortcut, ansi=f"cp{code_page}")
        self.assertEqual(f"{self.folder}\\mimitap.exe".lower(), link.target.lower())
        self.assertEqual(str(self.folder).lower(), (link.working_dir or "").lower())

        # Started the way the shortcut starts it, the toy shows its frame and finds its sounds.
        program = self.launch(self.unix_path(link.target), cwd=self.unix_path(link.working_dir))
        hint = program.wait_for_dialog(timeout=20)  # no options saved yet
        self.assertEqual(EXIT_HINT.replace("\r", ""), hint.text.replace("\r", ""))
        self.driver.press(hint, 1)
        toy = self.toy_of(program)
        since = self.driver.tick()
        self.driver.tap(VK.letter("A"))
        call = toy.sounds.wait_for(lambda c: c.started and c.ended is not None, timeout=10, since=since)
        self.assertIn(call.basename.upper(), KEY_SOUNDS)
        self.assertTrue(call.played, f"{call.name} did not play")
        self.driver.post(toy.frame.hwnd, WM_CLOSE)
        self.assertEqual(0, program.wait_exit(15))

        # Options saved beside the program go with it.
        write_options(folder)
        self.run_silently(self.unix_path(uninstaller), "/S")
        # The uninstaller runs on from a copy of itself, so its first process ends early.
        wait_for_value(self.leftovers, lambda left: not left, 30, message="the uninstaller left something behind")


if __name__ == "__main__":
    unittest.main()
