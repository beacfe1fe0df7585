"""The play surface answers the mouse: the drag trail, fills from button combinations, the wheel."""

import time
import unittest

from toysupport import LOOP_UNLESS_BUSY, PLAY, VK, ToyTestCase, wait_until


class MouseAnswers(ToyTestCase):
    def setUp(self):
        super().setUp()
        self.toy = self.start_toy(options={"keywav": 1, "otherwav": 1})

    def test_drag_leaves_a_trail_with_a_looping_sound_until_release(self):
        before = self.toy.settle()
        background = before.pixel(300, 300)
        since = self.driver.tick()
        self.driver.move(100, 400)
        self.driver.button_down("left")
        self.driver.move(700, 400, steps=12, gap_ms=20)
        calls = self.toy.sounds.calls(since)
        self.assertTrue(calls, "no sound while dragging")
        self.assertTrue(all(c.flags == LOOP_UNLESS_BUSY and (c.name is None or c.basename.upper() == "DRAG.WAV")
                            for c in calls if not c.stop), calls)
        self.assertEqual(1, len([c for c in calls if c.started]), "the drag loop restarted")
        self.driver.button_up("left")
        self.toy.sounds.wait_for(lambda c: c.stop, since=since)
        after = self.toy.settle()
        # Icons are drawn with their top-left corner at the cursor along the path.
        trail = after.bounding_box(lambda p: p != background)
        self.assertIsNotNone(trail, "no icons were drawn")
        left, top, right, bottom = trail
        self.assertGreaterEqual(left, 100)
        self.assertGreaterEqual(top, 400)
        self.assertGreater(right, 600)
        self.assertLessEqual(bottom, 400 + 48)

    def test_right_press_while_left_held_gives_the_gradient(self):
        self.driver.move(500, 300)
        self.driver.button_down("left")
        since = self.driver.tick()
        self.driver.button_down("right")
        self.toy.sounds.wait_for(lambda c: c.stop, since=since)  # the right press stops the drag sound
        self.driver.button_up("right")
        self.driver.button_up("left")
        shot = self.toy.settle()
        self.assertNotEqual(shot.pixel(2, 700), shot.pixel(1020, 700), "no gradient")
        self.assertEqual(shot.pixel(2, 700), shot.pixel(2, 10))

    def test_quick_middle_click_gives_the_hatch_after_half_a_second(self):
        self.driver.move(500, 300)
        since = self.driver.tick()
        self.driver.click(button="middle")
        clicked = time.monotonic()
        call = self.toy.sounds.wait_for_name("POPUPS.WAV", since=since)
        self.assertGreaterEqual(time.monotonic() - clicked, 0.3, "the hatch came before the timer")
        self.assertEqual(PLAY, call.flags)
        shot = self.toy.settle()
        self.assertEqual((0, 0, 0), shot.pixel(0, 0))

    def test_held_middle_button_gives_the_mosaic(self):
        self.driver.move(500, 300)
        since = self.driver.tick()
        self.driver.button_down("middle")
        self.toy.sounds.wait_for_name("KEY3.WAV", since=since, timeout=5)
        self.driver.button_up("middle")
        shot = self.toy.settle()
        self.assertGreater(len(shot.colours()), 100)
        self.assertFalse(any(c.basename and c.basename.upper() == "POPUPS.WAV" for c in self.toy.sounds.calls(since)))

    def test_wheel_stops_sound_and_scrolls_the_same_way_within_a_second(self):
        since = self.driver.tick()
        self.driver.tap(VK.MENU)  # a mosaic to see the movement
        self.toy.sounds.wait_for_name("KEY3.WAV", since=since)
        for delta, d in ((120, -10), (-120, 10)):
            with self.subTest(delta=delta):
                # Two steps early in one second scroll the same way: twice (d, 0) or twice (d, d).
                before = self.toy.settle()
                wait_until(lambda: time.time() % 1 < 0.2, 2)
                since = self.driver.tick()
                self.driver.wheel(delta)
                self.driver.wheel(delta)
                after = self.toy.settle()
                stops = [c for c in self.toy.sounds.calls(since) if c.stop]
                self.assertEqual(2, len(stops), "each wheel step stops the sound")
                self.assertIn(self.movement(before, after, 2 * d), ((2 * d, 0), (2 * d, 2 * d)))

    @staticmethod
    def movement(before, after, d):
        for move in ((d, 0), (d, d)):
            dx, dy = move
            if all(before.pixel(x - dx, y - dy) == after.pixel(x, y) for x, y in
                   ((300, 300), (517, 211), (640, 480), (123, 650))):
                return move
        return None


class MouseSoundsOff(ToyTestCase):
    def test_otherwav_zero_silences_drag_and_fill_sounds(self):
        toy = self.start_toy(options={"keywav": 1, "otherwav": 0})
        since = self.driver.tick()
        self.driver.drag([(200, 200), (400, 200)])
        self.driver.tap(VK.MENU)
        self.driver.send(toy.frame.hwnd, 5029, 0, 0)
        toy.settle()
        started = [c for c in toy.sounds.calls(since) if not c.stop]
        self.assertEqual([], started)
        shot = self.driver.screenshot()
        self.assertGreater(len(shot.colours()), 100, "the mosaic is still drawn")


if __name__ == "__main__":
    unittest.main()
