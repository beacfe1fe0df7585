"""A program folder in poor shape: an options file that cannot be written, media folders left empty,
picture and sound files cut short or filled with noise, an options file of a megabyte of noise. The
toy goes on playing through all of it, skipping what it cannot read; a cursor it cannot read
stops the start with its message."""

import random
import unittest

from toysupport import (FILL_COLORS, KEY_SOUNDS, MISSING_FILES, OPTIONS_TITLE, TITLE, VK, ToyTestCase, wait_in_front,
                        wait_until)

BM_GETCHECK = 0x00F0
OPTIONS = {"keywav": 1, "otherwav": 1, "time": 0, "noscreenserver": 0, "endaltf4": 0}
MEDIA = ("WAV", "ICON", "PMENUICO", "DRAGICON", "BMP")
WM_KEYDOWN = 0x0100


def damage(path, rng):
    """Cuts the file to a third, or replaces it by as many random bytes."""
    data = path.read_bytes()
    if rng.random() < 0.5:
        path.write_bytes(data[:len(data) // 3])
    else:
        path.write_bytes(rng.randbytes(len(data)))


class Damage(ToyTestCase):
    def plays_on(self, toy):
        """A key still answers with one fill (and its sound where sounds can play); a drag, the
        wheel, the effects that draw icons and the picture popup all come and go."""
        since = self.driver.tick()
        self.driver.tap(VK.MENU)  # the mosaic first, so the fill below is a new one
        wait_until(lambda: len(self.driver.screenshot().colours()) > 100, 5, message="Alt drew no mosaic")
        self.driver.tap(VK.letter("A"))
        wait_until(lambda: (lambda s: len(set(s)) == 1 and s[0] in FILL_COLORS)(toy.sample()), 5,
                   message="a letter filled nothing")
        self.assertTrue([c for c in toy.sounds.calls(since) if c.basename and c.basename.upper() in KEY_SOUNDS],
                        "the toy stopped asking for key sounds")
        self.driver.drag([(100, 300), (400, 300), (400, 500)], steps=4, gap_ms=5)
        self.driver.wheel(-120)
        for letter in "CMT":  # the sparkles and the jet draw icons; T opens the picture popup
            self.driver.move(400, 300)
            self.driver.button_down("right")
            self.driver.button_up("right")
            wait_until(toy.menu, 5, message="no effects menu")
            self.driver.tap(VK.letter(letter))
            wait_until(lambda: toy.menu() is None, 5, message="the menu stayed open")
        wait_until(lambda: toy.program.dialogs(), 5, message="no picture popup")
        self.driver.tap(VK.SPACE)
        wait_until(lambda: not toy.program.dialogs(), 5, message="the popup stayed open")
        self.driver.post(toy.surface.hwnd, WM_KEYDOWN, VK.F1, 0)  # the effects' stop request
        toy.settle(timeout=20)
        self.assertTrue(toy.program.running(), f"the toy ended (exit {toy.program.exit_code})")
        self.assertEqual([toy.frame.hwnd], [w.hwnd for w in self.driver.windows(pid=toy.program.pid, visible=True)],
                         "a message or another window of the toy showed")

    def test_options_that_cannot_be_saved_still_open_and_the_toy_keeps_what_the_file_says(self):
        folder = self.program_folder(options=OPTIONS)
        before = (folder / "mimitap.dat").read_bytes()
        # Another program keeps the file open against writing (a read-only attribute is not
        # enforced for root under Wine).
        self.driver.call("holdfile", folder / "mimitap.dat")
        self.addCleanup(self.driver.call, "releasefile")
        toy = self.start_toy(folder=folder)
        dialog = toy.grown_up_dialog("S", OPTIONS_TITLE)
        by_id = {b.id: b for b in dialog.buttons}
        self.assertEqual([1, 1, 0, 0, 0], [self.driver.send(by_id[i].hwnd, BM_GETCHECK) for i in range(1000, 1005)])
        self.driver.click(*by_id[1000].rect.center)  # key sounds off
        wait_until(lambda: self.driver.send(by_id[1000].hwnd, BM_GETCHECK) == 0, 5, message="the click did not toggle")
        self.driver.click(*by_id[1].rect.center)
        wait_until(lambda: not toy.program.dialogs(), 10, message="the options dialog stayed")
        toy.settle()
        self.assertEqual(before, (folder / "mimitap.dat").read_bytes())
        # Nothing claims otherwise: no message, and the key sounds the file still asks for play on.
        self.assertEqual([], self.driver.dialogs(pid=toy.program.pid))
        since = self.driver.tick()
        self.driver.tap(VK.letter("B"))
        toy.sounds.wait_for(lambda c: c.started and c.basename.upper() in KEY_SOUNDS, since=since)
        self.assertIsNone(toy.menu())
        self.assertTrue(toy.program.running())

    def test_empty_media_folders_are_played_through(self):
        folder = self.program_folder(options=OPTIONS)
        for name in MEDIA:
            for path in (folder / name).iterdir():
                path.unlink()
        toy = self.start_toy(folder=folder)
        self.plays_on(toy)

    def test_damaged_pictures_and_sounds_and_an_options_file_of_noise_are_played_through(self):
        rng = random.Random(7)
        folder = self.program_folder()
        for name in MEDIA:
            for path in sorted((folder / name).iterdir()):
                damage(path, rng)
        (folder / "mimitap.dat").write_bytes(rng.randbytes(1024 * 1024))
        toy = self.start_toy(folder=folder)
        self.plays_on(toy)

    def test_a_damaged_cursor_stops_the_start_with_its_message(self):
        rng = random.Random(11)
        for way in ("cut short", "noise"):
            with self.subTest(way):
                folder = self.program_folder(options=OPTIONS)
                cursor = sorted((folder / "CURSOR").iterdir())[-1]
                data = cursor.read_bytes()
                cursor.write_bytes(data[:len(data) // 3] if way == "cut short" else rng.randbytes(len(data)))
                program = self.launch(folder=folder)
                box = wait_in_front(self, program, lambda d: True)
                self.assertEqual((TITLE, MISSING_FILES), (box.title, box.text.replace("\r", "")))
                self.assertEqual([], [w for w in program.windows(title=TITLE, visible=True) if w.class_name != "#32770"],
                                 "a frame showed")
                self.driver.press(box, 1)
                self.assertEqual(0, program.wait_exit(15))


if __name__ == "__main__":
    unittest.main()
