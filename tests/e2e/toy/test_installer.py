"""The release a parent downloads: the installer, a 32-bit program, making a per-user install of the
64-bit build on 64-bit Windows, with a Start-menu shortcut and an entry in the installed-programs
list; the toy started from that shortcut; an uninstall that leaves nothing; and the portable zip's
32-bit program answering a key under the system's 32-bit layer."""

import errno
import re
import shutil
import struct
import subprocess
import unittest
import zipfile
from pathlib import Path, PureWindowsPath

from toysupport import EXIT_HINT, KEY_SOUNDS, TITLE, VK, ToyTestCase, config, write_options

from harness import WaitTimeout, wait_for_value
from harness.shelllink import read_shell_link

REPO = Path(__file__).resolve().parents[3]
VERSION = re.search(r'VALUE "ProductVersion", "([0-9.]+)"',
                    (REPO / "resources" / "version.rc").read_text(encoding="utf-8"))[1]
RELEASE = config.build_dir() / "release"
INSTALLER = RELEASE / f"mimitap-{VERSION}-setup.exe"
PORTABLE_ZIP = RELEASE / f"mimitap-{VERSION}.zip"

UNINSTALL_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Mimitap"
SHELL_FOLDERS = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders"
ENTRY_NAMES = ("DisplayName", "DisplayVersion", "UninstallString", "QuietUninstallString", "InstallLocation",
               "DisplayIcon", "NoModify", "NoRepair", "EstimatedSize")
WM_CLOSE = 0x0010
AMD64 = 0x8664
I386 = 0x014C


def machine(exe):
    """The machine type in a program's PE header."""
    data = exe.read_bytes()
    header = struct.unpack_from("<I", data, 0x3C)[0]
    return struct.unpack_from("<H", data, header + 4)[0]


def kernel_refuses_32_bit_programs():
    """Wine's 32-bit half is a 32-bit Linux program; a kernel without 32-bit support cannot start it."""
    try:
        subprocess.run([str(Path(config.wine_binary()).with_name("wine")), "--version"], capture_output=True, timeout=60)
    except OSError as error:
        return error.errno == errno.ENOEXEC
    return False


def files_in(folder):
    return sorted(p.relative_to(folder).as_posix() for p in folder.rglob("*") if p.is_file())


class Installer(ToyTestCase):
    def setUp(self):
        super().setUp()
        if kernel_refuses_32_bit_programs():
            self.skipTest("this machine's kernel does not start 32-bit programs, so Wine cannot run 32-bit ones")
        if not INSTALLER.is_file():
            self.fail(f"no installer at {INSTALLER} (build the installer target)")
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

    def start_answer_and_close(self, exe, folder):
        """Starts the toy in its folder, as a first start: the exit hint, then a key's fill and sound."""
        program = self.launch(exe, cwd=folder)
        hint = program.wait_for_dialog(timeout=20)  # no options saved yet
        self.assertEqual(EXIT_HINT.replace("\r", ""), hint.text.replace("\r", ""))
        self.driver.press(hint, 1)
        toy = self.toy_of(program)
        since = self.driver.tick()
        self.driver.tap(VK.letter("A"))
        call = toy.sounds.wait_for(lambda c: c.started and c.ended is not None, timeout=10, since=since)
        self.assertIn(call.basename.upper(), KEY_SOUNDS)
        self.assertTrue(call.played, f"{call.name} did not play")
        # A fill may repeat the colour before it, so a few taps until one shows a new one.
        for _ in range(4):
            before = toy.sample()
            self.driver.tap(VK.letter("A"))
            try:
                now = wait_for_value(toy.sample, lambda value, before=before: value != before, 2)
                break
            except WaitTimeout:
                continue
        else:
            self.fail("four key taps filled nothing")
        self.assertEqual(1, len(set(now)), f"a key's fill did not cover the surface: {now}")
        self.driver.post(toy.frame.hwnd, WM_CLOSE)
        self.assertEqual(0, program.wait_exit(15))

    def test_installs_for_the_user_starts_from_its_shortcut_and_uninstalls_without_a_trace(self):
        self.assertEqual(I386, machine(INSTALLER))
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
        self.start_answer_and_close(self.unix_path(link.target), self.unix_path(link.working_dir))

        # Options saved beside the program go with it.
        write_options(folder)
        self.run_silently(self.unix_path(uninstaller), "/S")
        # The uninstaller runs on from a copy of itself, so its first process ends early.
        wait_for_value(self.leftovers, lambda left: not left, 30, message="the uninstaller left something behind")

    def test_the_portable_zips_32_bit_program_answers_a_key(self):
        folder = self.session.tmp_dir / "portable"
        with zipfile.ZipFile(PORTABLE_ZIP) as archive:
            archive.extractall(folder)
        x86 = folder / f"mimitap-{VERSION}" / "x86"
        self.assertEqual(I386, machine(x86 / "mimitap.exe"))
        self.assertEqual(I386, machine(x86 / "mimiopt.dll"))
        self.start_answer_and_close(x86 / "mimitap.exe", x86)


if __name__ == "__main__":
    unittest.main()
