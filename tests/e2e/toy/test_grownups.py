"""How a grown-up leaves or reaches the options: the Shift+Esc menu and its commands, Alt+F4 as the
options allow it; and starts from program folders whose path the ANSI code page cannot spell or
that are too deep for a 256-byte path."""

import shutil
import unittest

from toysupport import (MENU, MISSING_LIBRARY, TITLE, VK, WMU_SETTINGS_CHANGED, ToyTestCase, agreement, ink,
                        menu_lines, test_dll, wait_in_front, wait_until, write_options)

MENU_CLASS = "#32768"
OPTIONS = {"keywav": 1, "otherwav": 1, "endaltf4": 0}


def windows_path(path):
    return "Z:" + str(path).replace("/", "\\")


class GrownUpMenu(ToyTestCase):
    def open_menu(self, toy):
        """Shift+Esc; checks where the menu shows and that the Esc got past the keyboard hook."""
        watcher = self.session.watch_keys().start()
        try:
            self.driver.chord(VK.SHIFT, VK.ESCAPE)
            menu = wait_until(lambda: next(iter(self.driver.windows(class_name=MENU_CLASS, pid=toy.program.pid,
                                                                    visible=True)), None),
                              10, message="no menu after Shift+Esc")
            watcher.wait_for(lambda events: {(e.vk, e.down) for e in events} >= {(VK.ESCAPE, True), (VK.ESCAPE, False)},
                             3)
        finally:
            watcher.stop()
        self.assertEqual((0, 0), (menu.rect.left, menu.rect.top), "the menu is not in the top-left corner")
        self.assertEqual(toy.frame.hwnd, menu.owner, "the menu is not owned by the frame")
        order = [w.hwnd for w in self.driver.windows(visible=True)]
        self.assertLess(order.index(menu.hwnd), order.index(toy.frame.hwnd), "the menu is behind the frame")
        return menu

    def test_options_and_version_report_a_library_without_them_and_exit_ends_the_toy(self):
        folder = self.program_folder(options=OPTIONS)
        shutil.copy(test_dll("mimiopt_without_dialogs"), folder / "mimiopt.dll")
        toy = self.start_toy(folder=folder)
        for letter in "SA":
            with self.subTest(letter):
                self.open_menu(toy)
                self.driver.tap(VK.letter(letter))
                box = wait_in_front(self, toy.program, lambda d: True)
                self.assertEqual((TITLE, MISSING_LIBRARY), (box.title, box.text.replace("\r", "")))
                self.driver.press(box, 1)
                wait_until(lambda: not toy.program.dialogs(), 10, message="the message box stayed")
                toy.settle()
                self.assertTrue(toy.program.running())
                self.assertEqual([], self.driver.windows(class_name=MENU_CLASS, visible=True), "the menu stayed")
        # Each item reads whole as its label in the menu font; X ends the toy.
        lines, background = menu_lines(self.driver, self.open_menu(toy))
        for label, line in zip(MENU, lines):
            seen, expected = ink(line, background), ink(self.driver.draw_text(label), (255, 255, 255))
            self.assertGreater(agreement(seen, expected), 0.85, f"{label} is not drawn whole")
        self.driver.tap(VK.letter("X"))
        self.assertEqual(0, toy.program.wait_exit(15))

    def test_read_me_command_ends_the_toy_and_opens_the_read_me_beside_the_program(self):
        # This prefix has no association for .txt (ShellExecute answers SE_ERR_NOASSOC); give it
        # the usual one, as a Windows installation has.
        self.driver.reg_set(r"HKLM\Software\Classes\.txt", "", "sz", "txtfile")
        self.addCleanup(self.driver.reg_delete, r"HKLM\Software\Classes\.txt", "")
        folder = self.program_folder(options=OPTIONS)
        marker = "read-me beside this copy of the program"
        (folder / "mimitap.txt").write_bytes(marker.encode("ascii") + b"\r\n")
        toy = self.start_toy(folder=folder)
        self.open_menu(toy)
        self.driver.tap(VK.letter("R"))
        self.assertEqual(0, toy.program.wait_exit(15))
        shown = wait_until(lambda: next((w for w in self.driver.windows(visible=True)
                                         if "mimitap" in w.title.lower()), None), 20,
                           message="nothing opened mimitap.txt after the read-me command")
        self.addCleanup(self.driver.kill, shown.pid)
        programs = {p.pid: p.exe.lower() for p in self.driver.processes()}
        self.assertEqual("notepad.exe", programs.get(shown.pid), f"mimitap.txt opened by {programs.get(shown.pid)}")
        texts = [self.driver.text(c.hwnd) for c in self.driver.children(shown.hwnd, class_name="Edit")]
        self.assertTrue(any(marker in t for t in texts), f"another mimitap.txt was opened: {texts}")


class AltF4(ToyTestCase):
    def alt_f4(self):
        self.driver.chord(VK.MENU, VK.F4)

    def test_alt_f4_closes_the_toy_as_the_options_say(self):
        toy = self.start_toy(options=OPTIONS)
        self.alt_f4()
        toy.settle()
        self.assertTrue(self.driver.wait_process(toy.program.pid, 1000)["running"], "Alt+F4 closed with endaltf4=0")

        write_options(toy.program.exe.parent, keywav=1, otherwav=1, endaltf4=1)
        self.assertEqual(1, toy.send_frame(WMU_SETTINGS_CHANGED))
        self.alt_f4()
        self.assertEqual(0, toy.program.wait_exit(15), "Alt+F4 with endaltf4=1")

        missing = self.start_toy(options={"keywav": 1, "otherwav": 1})
        self.alt_f4()
        self.assertEqual(0, missing.program.wait_exit(15), "Alt+F4 without endaltf4 in the file")


class ProgramFolder(ToyTestCase):
    def start_in(self, folder):
        """Starts the toy from a copy of the program folder with an options file; it must show its
        frame and answer its start Space without the exit hint (which means the options file was
        not found)."""
        shutil.copytree(self.session.dist_dir, folder)
        write_options(folder, **OPTIONS)
        program = self.launch(folder=folder)
        wait_until(lambda: program.dialogs() or program.windows(title=TITLE, class_name=None, visible=True), 20,
                   message="neither a frame nor a message")
        self.assertEqual([], [b.text for b in program.dialogs()], f"a message at start from {windows_path(folder)}")
        toy = self.toy_of(program)
        self.assertEqual([], toy.program.dialogs())

    def test_a_folder_the_code_page_cannot_spell(self):
        # Code page 932 has no é; code page 1252 has no kana.
        name = "José" if self.session.locale.startswith("ja") else "ミミタップ"
        self.start_in(self.session.tmp_dir / name)

    def test_a_folder_too_deep_for_a_256_byte_path(self):
        # Japanese folder names take two bytes a character in code page 932: the options file's
        # path needs more than 256 bytes there, while every path stays under 260 characters, the
        # most the system opens. (Under code page 1252 these names cannot be spelled at all.)
        folder = self.session.tmp_dir
        while len(windows_path(folder / "mimitap.dat").encode("cp932")) <= 256:
            folder = folder / "ミミタップのおもちゃばこ"
        self.assertLess(len(windows_path(folder / "CURSOR" / "CURSOR1.CUR")), 260)
        folder.parent.mkdir(parents=True, exist_ok=True)
        self.start_in(folder)


if __name__ == "__main__":
    unittest.main()
