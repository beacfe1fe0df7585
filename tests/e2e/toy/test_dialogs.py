"""The options library's dialogs, options and version, in the session's language: on their own (run by a program in the
program folder whose exit code is the dialog's end code) and from the running toy's grown-up menu,
which applies confirmed options at once and keeps the lock-down while they are open."""

import shutil
import struct
import time
import unittest

from toysupport import (ABOUT_TITLE, KEY_SOUNDS, OPTIONS_TITLE, TEXTS, VK, ToyTestCase, agreement, config, distance, ink,
                        wait_until, write_options)

from harness import wait_for_value
from harness.driver import OneShot

BM_GETCHECK = 0x00F0
WM_SYSCOMMAND, SC_CLOSE = 0x0112, 0xF060
SS_ICON = 0x3
KEYS = ["keywav", "otherwav", "time", "noscreenserver", "endaltf4"]
BOX_OF = dict(zip(KEYS, range(1000, 1005)))
OPTIONS_TEXTS, GROUPS, VERSION_LINE, FONT = (TEXTS[k] for k in ("OPTIONS", "GROUPS", "VERSION_LINE", "FONT"))

def drawn_as(driver, rect, text, skip=0, font=FONT):
    """How well the text in `rect` (less `skip` pixels at its left) agrees with `text` as the platform
    draws it in the dialog's font: 1 for the same ink, less for a text cut off or drawn otherwise."""
    shot = driver.screenshot(rect=rect)
    label = shot.crop(skip, 0, shot.width - skip, shot.height)
    expected = ink(driver.draw_text(text, face=font[0], points=font[1]), (255, 255, 255))
    return agreement(ink(label, label.pixel(label.width - 1, 1)), expected)


def stored(folder):
    """The options file's [CONFIG] lines as (key, value) pairs, in file order; None without a file."""
    try:
        text = (folder / "mimitap.dat").read_bytes().decode("ascii")
    except FileNotFoundError:
        return None
    return [tuple(line.split("=", 1)) for line in text.splitlines() if "=" in line]


def folds_to(folder, expected):
    """Waits for the options file to hold `expected` (the dialog folds it as it opens) and returns
    what it holds then."""
    try:
        wait_until(lambda: stored(folder) == expected, 5)
    except AssertionError:
        pass  # reported by the caller's comparison
    return stored(folder)


class LibraryDialogs(ToyTestCase):
    def run_dialog(self, folder, which, title):
        """Runs "option" or "about" from a program in `folder`; returns the running host and the dialog."""
        earlier = {d.hwnd for d in self.driver.dialogs()}
        host = folder / "dialoghost.exe"
        shutil.copy(config.driver_exe(), host)
        run = OneShot(self.session.wine, host, self.session.log_dir, ["rundialog", "mimiopt.dll", which],
                      f"{which}-{time.monotonic_ns()}", cwd=folder)
        self.addCleanup(run.kill)
        dialog = wait_until(lambda: next((d for d in self.driver.dialogs()
                                          if d.title == title and d.visible and d.hwnd not in earlier), None),
                            15, message=f"no {title} dialog")
        return run, dialog

    def assert_in_front(self, dialog):
        """Top-most and, once it has taken it as it shows, in the foreground."""
        self.assertTrue(dialog.topmost, dialog)
        wait_until(lambda: self.driver.foreground()["foreground"] == dialog.hwnd, 5,
                   message=f"not in the foreground: {dialog}")

    def end_code(self, run):
        run.process.wait(15)
        return run.process.returncode

    def boxes(self, dialog):
        by_id = {b.id: b for b in dialog.buttons}
        return [self.driver.send(by_id[i].hwnd, BM_GETCHECK) for i in range(1000, 1005)], by_id

    def click(self, button):
        self.driver.click(*button.rect.center)

    def test_options_dialog_folds_the_file_answers_keys_and_mouse_and_reports_its_end(self):
        folder = self.program_folder()
        write_options(folder, keywav=5, otherwav=1, time=2, noscreenserver="abc")

        run, dialog = self.run_dialog(folder, "option", OPTIONS_TITLE)
        self.assertEqual((0, 0), (dialog.rect.left, dialog.rect.top), "not at the top-left corner")
        self.assert_in_front(dialog)
        checks, by_id = self.boxes(dialog)
        self.assertEqual(OPTIONS_TEXTS, {i: by_id[i].text for i in OPTIONS_TEXTS})
        self.assertTrue(by_id[1].default)
        self.assertEqual(GROUPS, {b.text for b in dialog.buttons if b.id not in OPTIONS_TEXTS})
        # Opening already folded every value: 5 is on and 1, 2 is off for the clock, letters read 0,
        # and the missing key counts as on.
        self.assertEqual([1, 1, 0, 0, 1], checks)
        folded = [("keywav", "1"), ("otherwav", "1"), ("time", "0"), ("noscreenserver", "0"), ("endaltf4", "1")]
        self.assertEqual(sorted(folded), sorted(folds_to(folder, folded) or []))

        # The keyboard: the focus starts on the first box, Tab moves on, Space toggles, Enter confirms.
        self.assertEqual(by_id[1000].hwnd, self.driver.foreground()["focus"])
        self.driver.tap(VK.TAB)
        wait_until(lambda: self.driver.foreground()["focus"] == by_id[1001].hwnd, 5, message="Tab did not move on")
        # The labels but the focused one read whole as their text in the dialog's font (Japanese
        # glyphs whatever the code page).
        for box in (1000, 1002, 1003, 1004):
            agreement = drawn_as(self.driver, by_id[box].rect, OPTIONS_TEXTS[box], skip=16)
            self.assertGreater(agreement, 0.85, f"box {box}'s label is not drawn as its text ({agreement:.2f})")
        self.driver.tap(VK.SPACE)
        self.click(by_id[1002])  # and the mouse
        wait_until(lambda: self.boxes(dialog)[0] == [1, 0, 1, 0, 1], 5, message="the boxes did not toggle")
        self.driver.tap(VK.RETURN)
        self.assertEqual(1, self.end_code(run))
        self.assertEqual([("keywav", "1"), ("otherwav", "0"), ("time", "1"), ("noscreenserver", "0"), ("endaltf4", "1")],
                         stored(folder))

        # Every box unchecked and confirmed stores five zeros.
        write_options(folder, **{key: 1 for key in KEYS})
        run, dialog = self.run_dialog(folder, "option", OPTIONS_TITLE)
        _, by_id = self.boxes(dialog)
        for box in range(1000, 1005):
            self.click(by_id[box])
        wait_until(lambda: self.boxes(dialog)[0] == [0] * 5, 5, message="the clicks did not uncheck every box")
        self.click(by_id[1])
        self.assertEqual(1, self.end_code(run))
        self.assertEqual([(key, "0") for key in KEYS], stored(folder))

        # No file: opening writes the five keys in order; Esc, Cancel and the close box end with 2
        # and store nothing more, whatever was clicked.
        (folder / "mimitap.dat").unlink()
        for way in ("Esc", "Cancel", "close box"):
            with self.subTest(way):
                run, dialog = self.run_dialog(folder, "option", OPTIONS_TITLE)
                folded = [(key, "0" if key == "time" else "1") for key in KEYS]
                self.assertEqual(folded, folds_to(folder, folded))
                _, by_id = self.boxes(dialog)
                self.click(by_id[1000])
                wait_until(lambda: self.boxes(dialog)[0][0] == 0, 5, message="the click did not toggle")
                if way == "Esc":
                    self.driver.tap(VK.ESCAPE)
                elif way == "Cancel":
                    self.click(by_id[2])
                else:
                    self.driver.post(dialog.hwnd, WM_SYSCOMMAND, SC_CLOSE)
                self.assertEqual(2, self.end_code(run))
                self.assertEqual(folded, stored(folder))

        # A file that cannot be written (another program keeps it open against writing): the
        # dialog shows the folded values, OK still gives 1, and the file keeps its content.
        write_options(folder, keywav=7, time=1)
        before = (folder / "mimitap.dat").read_bytes()
        self.driver.call("holdfile", folder / "mimitap.dat")
        self.addCleanup(self.driver.call, "releasefile")
        run, dialog = self.run_dialog(folder, "option", OPTIONS_TITLE)
        self.assertEqual([1, 1, 1, 1, 1], self.boxes(dialog)[0])
        self.driver.tap(VK.RETURN)
        self.assertEqual(1, self.end_code(run))
        self.assertEqual(before, (folder / "mimitap.dat").read_bytes())

    def test_version_dialog_says_what_it_is_and_ends_by_ok_esc_close_box_or_itself(self):
        folder = self.program_folder(options={"keywav": 1})
        for way, code in (("OK", 1), ("Esc", 2), ("close box", 2), ("ten seconds", 2)):
            with self.subTest(way):
                started = time.monotonic()  # the dialog's ten seconds start after this
                run, dialog = self.run_dialog(folder, "about", ABOUT_TITLE)
                lines = dialog.text.split("\n")
                self.assertEqual(VERSION_LINE, lines[0])
                self.assertTrue(len(lines) == 2 and lines[1], f"no second line: {lines}")
                if way == "OK":  # each line whole in the dialog's font
                    for line in lines:
                        text = next(c for c in dialog.controls if c.title == line)
                        self.assertGreater(drawn_as(self.driver, text.rect, line), 0.85, f"{line} is not drawn whole")
                self.assertNotEqual("none", dialog.icon, "the program's icon does not show")
                # The icon's opaque pixels are those of the program's own icon frame of its size,
                # found in mimitap.exe (which holds that one icon) by its bitmap header.
                icon = next(c for c in dialog.controls if c.class_name == "Static" and c.style & 0x1F == SS_ICON)
                size, exe = icon.rect.width, (folder / "mimitap.exe").read_bytes()
                header = struct.pack("<IiiHH", 40, size, 2 * size, 1, 32)
                self.assertEqual(1, exe.count(header), f"no single {size}x{size} icon frame in mimitap.exe")
                bgra = exe[exe.index(header) + 40:]
                opaque = {(i % size, size - 1 - i // size): tuple(bgra[4 * i:4 * i + 3][::-1])
                          for i in range(size * size) if bgra[4 * i + 3] == 255}

                def apart(shot):
                    return sum(distance(shot.pixel(*xy), rgb) for xy, rgb in opaque.items()) / len(opaque)
                wait_for_value(lambda: apart(self.driver.screenshot(rect=icon.rect)), lambda d: d < 6, 5,
                               message="the dialog's icon is not the program's (mean colour distance)")
                self.assertEqual((0, 0), (dialog.rect.left, dialog.rect.top))
                self.assert_in_front(dialog)
                self.assertEqual(["OK"], [b.text for b in dialog.buttons])
                if way == "OK":
                    self.driver.tap(VK.RETURN)
                elif way == "Esc":
                    self.driver.tap(VK.ESCAPE)
                elif way == "close box":
                    self.driver.post(dialog.hwnd, WM_SYSCOMMAND, SC_CLOSE)
                self.assertEqual(code, self.end_code(run) if way != "ten seconds" else self.waited_end(run))
                if way == "ten seconds":
                    self.assertGreater(time.monotonic() - started, 10, "it closed before its ten seconds")

    def waited_end(self, run):
        run.process.wait(20)
        return run.process.returncode


class DialogsInTheToy(ToyTestCase):
    def setUp(self):
        super().setUp()
        before = self.screen_saver()
        self.addCleanup(self.screen_saver, before)

    def screen_saver(self, set_to=None):
        words = ["screensaver"] + ([] if set_to is None else [int(set_to)])
        return self.session.run_driver(*words, name="screensaver").result(30)["active"]

    def grown_up_command(self, toy, letter, title):
        dialog = toy.grown_up_dialog(letter, title)

        def placed():  # the system may show the dialog a moment before it has ordered and activated it
            order = [w.hwnd for w in self.driver.windows(visible=True)]
            rect = self.driver.window(dialog.hwnd).rect
            return (order.index(dialog.hwnd) < order.index(toy.frame.hwnd) and (rect.left, rect.top) == (0, 0)
                    and self.driver.foreground()["foreground"] == dialog.hwnd)
        wait_until(placed, 5, message=f"{title} is not in front of the frame in the top-left corner")
        return dialog

    def test_dialogs_show_above_the_frame_keep_the_lockdown_and_confirmed_options_apply_at_once(self):
        watcher = self.session.watch_keys().start()  # hooked before the toy, so it sees what the toy passes on
        self.addCleanup(watcher.stop)
        self.screen_saver(True)
        toy = self.start_toy(options={"keywav": 1, "otherwav": 1, "time": 0, "noscreenserver": 1, "endaltf4": 0})
        self.assertFalse(self.screen_saver(), "the screen saver is on although noscreenserver is 1")

        # The version dialog: the lock-down holds while it is open, and the toy answers again after.
        about = self.grown_up_command(toy, "A", ABOUT_TITLE)
        start = len(watcher.seen())
        for keys in ((VK.MENU, VK.TAB), (VK.CONTROL, VK.ESCAPE), (VK.LWIN,)):
            for key in keys:
                self.driver.key_down(key)
            for key in reversed(keys):
                self.driver.key_up(key)
        toy.settle()
        passed = {e.vk for e in watcher.seen()[start:]}
        self.assertFalse(passed & {VK.TAB, VK.ESCAPE, VK.LWIN}, f"the lock-down let through {passed}")
        self.assertEqual(about.hwnd, self.driver.foreground()["foreground"], "the dialog lost the foreground")
        self.driver.press(about, 1)
        wait_until(lambda: not toy.program.dialogs(), 10, message="the version dialog stayed")
        self.driver.chord(VK.SHIFT, VK.ESCAPE)  # at once, while the focus comes back: it opens the menu
        toy.close_menu()
        since = self.driver.tick()
        self.driver.tap(VK.letter("A"))
        toy.sounds.wait_for(lambda c: c.started and c.basename.upper() in KEY_SOUNDS, since=since, timeout=5)

        # The options dialog: key sounds off, the screen saver allowed, Alt+F4 allowed; confirmed.
        options = self.grown_up_command(toy, "S", OPTIONS_TITLE)
        by_id = {b.id: b for b in options.buttons}
        for box in (1000, 1003, 1004):
            self.driver.click(*by_id[box].rect.center)
        wait_until(lambda: [self.driver.send(by_id[i].hwnd, BM_GETCHECK) for i in range(1000, 1005)] == [0, 1, 0, 0, 1],
                   5, message="the clicks did not toggle the boxes")
        self.driver.click(*by_id[1].rect.center)
        wait_until(lambda: not toy.program.dialogs(), 10, message="the options dialog stayed")
        self.assertEqual([("keywav", "0"), ("otherwav", "1"), ("time", "0"), ("noscreenserver", "0"), ("endaltf4", "1")],
                         stored(toy.program.exe.parent))
        wait_until(lambda: self.screen_saver(), 5, message="the screen saver stayed off")
        since = self.driver.tick()
        self.driver.tap(VK.letter("B"))
        toy.settle()
        self.assertFalse([c for c in toy.sounds.calls(since) if c.started and c.basename.upper() in KEY_SOUNDS],
                         "a key sound played with key sounds switched off")
        # Alt+F4 in a grown-up's dialog closes it at the F4 press; the release, which comes to the toy, does not.
        self.grown_up_command(toy, "A", ABOUT_TITLE)
        self.driver.chord(VK.MENU, VK.F4)
        wait_until(lambda: not toy.program.dialogs(), 10, message="Alt+F4 did not close the version dialog")
        since = self.driver.tick()
        self.driver.click(*toy.surface.rect.center)  # handled after a close that the release would have asked for
        toy.sounds.wait_for(lambda c: c.stop, since=since, timeout=5)  # the button's release stops the sound
        self.assertTrue(toy.program.running(), "Alt+F4 in the version dialog ended the toy too")
        self.driver.chord(VK.MENU, VK.F4)
        self.assertEqual(0, toy.program.wait_exit(15), "Alt+F4 did not end the toy once allowed")


if __name__ == "__main__":
    unittest.main()
