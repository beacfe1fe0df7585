"""The play surface answers keys: fills, scrolls, sprinkles and their sounds."""

import unittest

from toysupport import (FILL_COLORS, KEY_SOUNDS, PLAY, PLAY_UNLESS_BUSY, VK, WINDOW_COLOR, ToyTestCase,
                        wait_until)


def uniform(colours):
    return len(set(colours)) == 1


class KeyAnswers(ToyTestCase):
    def setUp(self):
        super().setUp()
        self.toy = self.start_toy(options={"keywav": 1, "otherwav": 1})

    def mosaic_screen(self):
        """Covers the screen with the mosaic, a picture whose every part is recognisable."""
        since = self.driver.tick()
        self.driver.tap(VK.MENU)
        self.toy.sounds.wait_for_name("KEY3.WAV", since=since)
        return self.toy.settle()

    def test_tapped_letter_fills_the_surface_and_plays_a_key_sound(self):
        for letter in "AB":
            since = self.driver.tick()
            self.driver.tap(VK.letter(letter))
            call = self.toy.sounds.wait_for(lambda c: c.started, since=since)
            self.assertIn(call.basename.upper(), KEY_SOUNDS)
            self.assertEqual(PLAY, call.flags)
            colours = self.toy.sample()
            self.assertTrue(uniform(colours), colours)
            self.assertIn(colours[0], FILL_COLORS)
            self.toy.settle()
            self.assertEqual(1, len([c for c in self.toy.sounds.calls(since) if not c.stop]),
                             "one key sound per tap")

    def test_held_letter_sprinkles_icons_and_its_release_only_stops_the_sound(self):
        before = self.toy.settle()
        background = before.pixel(*self.toy.surface.rect.center)
        since = self.driver.tick()
        downs = self.driver.hold(VK.letter("K"), 1800, first_repeat_ms=300, every_ms=60)
        self.assertGreater(downs, 5)
        after = self.toy.settle()
        calls = self.toy.sounds.calls(since)
        requests = [c for c in calls if not c.stop]
        self.assertTrue(requests, "the held key asked for no sound")
        self.assertTrue(all(c.flags == PLAY_UNLESS_BUSY for c in requests), requests)
        started = [c for c in requests if c.started]
        self.assertTrue(started and all(c.basename.upper() == "PONYON.WAV" for c in started), requests)
        # Every repeat asks for the sound, but a playing one is never restarted. (The test display's
        # silent audio device plays faster than real time, so a sound may end between repeats.)
        self.assertTrue(any(c.refused for c in requests), "no repeat found the sound still playing")
        for earlier, later in zip(started, started[1:]):
            self.assertIsNotNone(earlier.ended)
            self.assertGreaterEqual(later.time, earlier.ended, "PONYON restarted while it played")
        self.assertTrue(calls[-1].stop, "the release did not stop the sound")
        self.assertFalse(any(c.basename and c.basename.upper() in KEY_SOUNDS for c in requests),
                         "the release of a held key played a key sound")
        changed = after.differs_from(before)
        self.assertGreater(changed, 0, "no icon was sprinkled")
        # Icons, not a fill: most of the surface keeps its colour.
        self.assertGreater(after.count(background), after.width * after.height // 2)
        box = after.bounding_box(lambda p: p != background)
        self.assertIsNotNone(box)

    def test_one_auto_repeat_sprinkles_one_icon_of_12_to_192_pixels(self):
        for _ in range(3):
            before = self.toy.settle()
            background = before.pixel(*self.toy.surface.rect.center)
            downs = self.driver.hold(VK.letter("J"), 400, first_repeat_ms=300, every_ms=1000)
            self.assertEqual(2, downs, "expected one press and one auto-repeat")
            after = self.toy.settle()
            box = after.bounding_box(lambda p: p != background)
            self.assertIsNotNone(box, "the repeat drew no icon")
            left, top, right, bottom = box
            self.assertLessEqual(max(right - left, bottom - top), 192)
            self.driver.tap(VK.letter("A"))  # a fresh fill for the next round

    def test_scroll_keys_move_the_contents(self):
        cases = [(VK.LEFT, -10, 0), (VK.NEXT, 0, 100), (VK.RIGHT, 10, 0), (VK.UP, 0, -10)]
        for key, dx, dy in cases:
            with self.subTest(key=VK.name(key)):
                before = self.mosaic_screen()
                since = self.driver.tick()
                self.driver.tap(key)
                after = self.toy.settle()
                r = self.toy.surface.rect
                # A band inside the moved contents matches the old contents shifted by (dx, dy).
                for x, y in [(200, 200), (500, 300), (700, 500)]:
                    self.assertEqual(before.pixel(x - dx, y - dy), after.pixel(x, y), (x, y))
                # The strip that scrolled in shows the window colour.
                strip_x = r.right - 3 if dx < 0 else (r.left + 2 if dx > 0 else r.center[0])
                strip_y = r.bottom - 3 if dy < 0 else (r.top + 2 if dy > 0 else r.center[1])
                wait_until(lambda: self.driver.pixel(strip_x, strip_y) == WINDOW_COLOR, 5,
                           message="the strip that scrolled in was not repainted")
                sounds = [c for c in self.toy.sounds.calls(since) if not c.stop]
                self.assertEqual(1, len(sounds), "the release plays a key sound only")
                self.assertIn(sounds[0].basename.upper(), KEY_SOUNDS)

    def test_enter_ctrl_alt_and_print_screen(self):
        # Enter: the hatch (a frame and lines), with the key sound and then the hatch sound.
        since = self.driver.tick()
        self.driver.tap(VK.RETURN)
        self.toy.sounds.wait_for_name("POPUPS.WAV", since=since)
        hatch = self.toy.settle()
        self.assertEqual((0, 0, 0), hatch.pixel(0, 0), "the hatch has a black frame")
        self.assertGreaterEqual(len(hatch.colours()), 2)
        names = [c.basename.upper() for c in self.toy.sounds.calls(since) if not c.stop]
        self.assertIn(names[0], KEY_SOUNDS)
        self.assertEqual("POPUPS.WAV", names[-1])

        # Ctrl: the gradient, left to right, no sound of its own.
        since = self.driver.tick()
        self.driver.tap(VK.CONTROL)
        gradient = wait_until(lambda: (lambda s: s if s.pixel(2, 300) != s.pixel(1020, 300) else None)(
            self.toy.settle()), 10)
        self.assertEqual(gradient.pixel(5, 100), gradient.pixel(5, 700), "bands are vertical")
        row = [gradient.pixel(x, 300) for x in range(0, gradient.width, 8)]
        for channel in range(3):
            values = [p[channel] for p in row]
            self.assertTrue(values == sorted(values) or values == sorted(values, reverse=True),
                            f"channel {channel} is not a gradient: {values}")
        right_end = gradient.pixel(gradient.width - 1, 300)
        self.assertTrue(row[0] == (255, 255, 255) or min(right_end) >= 250,
                        f"neither end is white: {row[0]} ... {right_end}")
        names = [c.basename.upper() for c in self.toy.sounds.calls(since) if not c.stop]
        self.assertEqual(1, len(names))
        self.assertIn(names[0], KEY_SOUNDS)

        # Alt: the mosaic with its own sound and no key sound.
        since = self.driver.tick()
        mosaic = self.mosaic_screen()
        names = [c.basename.upper() for c in self.toy.sounds.calls(since) if not c.stop]
        self.assertEqual(["KEY3.WAV"], names)
        self.assertEqual((0, 0, 0), mosaic.pixel(35, 10), "squares have black outlines")
        self.assertGreater(len(mosaic.colours()), 100)

        # Print Screen: nothing at all.
        since = self.driver.tick()
        self.driver.tap(VK.SNAPSHOT)
        after = self.toy.settle()
        self.assertEqual(0, after.differs_from(mosaic))
        self.assertEqual([], self.toy.sounds.calls(since))


class KeySoundsOff(ToyTestCase):
    def test_keywav_zero_silences_key_sounds_only(self):
        toy = self.start_toy(options={"keywav": 0, "otherwav": 1})
        since = self.driver.tick()
        self.driver.tap(VK.letter("A"))
        self.driver.tap(VK.MENU)
        toy.sounds.wait_for_name("KEY3.WAV", since=since)
        toy.settle()
        names = [c.basename.upper() for c in toy.sounds.calls(since) if not c.stop]
        self.assertEqual(["KEY3.WAV"], names, "only the mosaic's sound")
        self.driver.send(toy.frame.hwnd, 5029, 1, 0)
        toy.sounds.wait_for_name("KEY5.WAV", since=since)


if __name__ == "__main__":
    unittest.main()
