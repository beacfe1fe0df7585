"""The release a parent downloads: the installer, a 32-bit program, making a per-user install of the
64-bit build on 64-bit Windows, with the licence, a Start-menu shortcut and an entry in the
installed-programs list; its licence page in the interface language; the toy started from that
shortcut; an uninstall that leaves nothing; and the portable zip's 32-bit program answering a key
under the system's 32-bit layer. Where the kernel starts no 32-bit programs, the installer built
from the same script for 64-bit Windows stands in for it."""

import errno
import re
import shutil
import struct
import subprocess
import unittest
import zipfile
from pathlib import Path, PureWindowsPath

from toysupport import EXIT_HINT, KEY_SOUNDS, TITLE, VK, ToyTestCase, config, wait_until, write_options

from harness import WaitTimeout, wait_for_value
from harness.shelllink import read_shell_link

REPO = Path(__file__).resolve().parents[3]
VERSION = re.search(r'VALUE "ProductVersion", "([0-9.]+)"',
                    (REPO / "resources" / "version.rc").read_text(encoding="utf-8"))[1]
RELEASE = config.build_dir() / "release"
INSTALLER = RELEASE / f"mimitap-{VERSION}-setup.exe"
PORTABLE_ZIP = RELEASE / f"mimitap-{VERSION}.zip"
INSTALLER_AMD64 = config.build_dir() / "tests" / "e2e" / "toy" / "mimitap-setup-amd64.exe"
LICENSE = (REPO / "LICENSE").read_text(encoding="ascii")

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


def installer_to_run():
    return INSTALLER_AMD64 if kernel_refuses_32_bit_programs() else INSTALLER


def files_in(folder):
    return sorted(p.relative_to(folder).as_posix() for p in folder.rglob("*") if p.is_file())


class Installer(ToyTestCase):
    def setUp(self):
        super().setUp()
        self.setup = installer_to_run()
        if not self.setup.is_file():
            self.fail(f"no installer at {self.setup} (build the installer targets)")
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
        self.run_silently(self.setup, "/S")
        folder = self.unix_path(self.folder)

        # The 64-bit program folder, exactly as dist/ holds it, the licence and the uninstaller.
        self.assertEqual(AMD64, machine(folder / "mimitap.exe"))
        dist = self.session.dist_dir
        self.assertEqual(sorted(files_in(dist) + ["LICENSE.txt", "uninstall.exe"]), files_in(folder))
        self.assertEqual(LICENSE.replace("\n", "\r\n").encode(), (folder / "LICENSE.txt").read_bytes())
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
        self.assertEqual(str(self.folder).lower(), (link.working_dir or "").lower())
        self.assertEqual(f"{self.folder}\\mimitap.exe".lower(), link.target.lower())

        # Started the way the shortcut starts it, the toy shows its frame and finds its sounds.
        self.start_answer_and_close(self.unix_path(link.target), self.unix_path(link.working_dir))

        # Options saved beside the program go with it.
        write_options(folder)
        self.run_silently(self.unix_path(uninstaller), "/S")
        # The uninstaller runs on from a copy of itself, so its first process ends early.
        wait_for_value(self.leftovers, lambda left: not left, 30, message="the uninstaller left something behind")

    def test_the_portable_zips_32_bit_program_answers_a_key(self):
        if kernel_refuses_32_bit_programs():
            self.skipTest("this machine's kernel does not start 32-bit programs, so Wine cannot run 32-bit ones")
        folder = self.session.tmp_dir / "portable"
        with zipfile.ZipFile(PORTABLE_ZIP) as archive:
            archive.extractall(folder)
        x86 = folder / f"mimitap-{VERSION}" / "x86"
        self.assertEqual(I386, machine(x86 / "mimitap.exe"))
        self.assertEqual(I386, machine(x86 / "mimiopt.dll"))
        self.start_answer_and_close(x86 / "mimitap.exe", x86)


class LicencePage(ToyTestCase):
    """The installer's pages in the user's interface language (Japanese here), the licence among them."""
    agree = "同意する(&A)"

    def test_the_licence_page_shows_the_licence(self):
        setup = self.launch(installer_to_run(), cwd=self.session.tmp_dir, trace_sounds=False)
        self.driver.press(setup.wait_for_dialog(timeout=30), 1)  # on from the welcome page
        licence = wait_until(lambda: next((c for d in setup.dialogs() if d.button(id=1) and d.button(id=1).text == self.agree
                                           for c in d.controls if c.class_name.startswith("RichEdit")), None),
                             15, message=f"no licence page with its {self.agree} button")
        wait_until(lambda: self.driver.text(licence.hwnd).split() == LICENSE.split(), 5, message="the licence is not shown")
        shot = self.session.shot_dir / f"installer-licence-page-{self.session.locale}.png"
        self.session.screenshot(shot.stem)
        print(f"\n[e2e] the licence page: {shot}")


class EnglishLicencePage(LicencePage):
    """English pages for every interface language but Japanese."""
    session_options = {"locale": "en_US"}
    agree = "I &Agree"


if __name__ == "__main__":
    unittest.main()
