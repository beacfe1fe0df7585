"""The toy on a display with two monitors: the frame full-screen on the primary, a cover over the
other monitor showing the play surface's picture scaled to fit, the pointer kept on the primary,
and the monitors unplugged, plugged back and resized while a child plays.

Wine 8 tells no program that the monitors changed: after an XRandR change the system metrics and
EnumDisplayMonitors follow, but no WM_DISPLAYCHANGE reaches a top-level window. So after each change
the test sends the frame the WM_DISPLAYCHANGE that Windows sends, and checks the toy's answer. (Wine
also widens the cursor clip to the whole virtual screen on such a change.)"""

import unittest

from harness import Rect, wait_for_value
from harness.display import ROOT_COLOUR
from toysupport import FILL_COLORS, KEY_SOUNDS, VK, ToyTestCase, wait_until

WM_DISPLAYCHANGE = 0x007E
WS_EX_NOACTIVATE = 0x08000000
WS_EX_TOOLWINDOW = 0x00000080
MENU_CLASS = "#32768"
OPTIONS = {"keywav": 1, "otherwav": 1, "time": 0, "endaltf4": 1}


class TwoMonitors(ToyTestCase):
    session_options = {"monitors": 2}

    def setUp(self):
        # Runs after the failure is kept and the toy ended: the next test starts with both monitors.
        self.addCleanup(self.restore_monitors)
        super().setUp()
        self.display = self.session.display

    def restore_monitors(self):
        self.display.plug()  # on the right, where a test may have put it elsewhere
        self.display.resize_primary(1024, 768)
        self.wine_sees_the_display()

    # --- the display -----------------------------------------------------------------------
    def wine_sees_the_display(self):
        """Waits until Wine reports the monitors the X server has now (this is the harness's part:
        if it fails, the display is at fault, not the toy); returns their Rects, primary first."""
        expected = [tuple(m.rect) for m in self.display.monitors()]
        box = (min(r[0] for r in expected), min(r[1] for r in expected), max(r[2] for r in expected),
               max(r[3] for r in expected))

        def seen():
            found = self.driver.monitors()
            rects = [tuple(m.rect) for m in sorted(found.monitors, key=lambda m: (not m.primary, m.rect.left))]
            return rects, found.count, tuple(found.virtual)

        wait_for_value(seen, lambda value: value == (expected, len(expected), box), 5,
                       message=f"Wine does not see the display's monitors {expected}")
        self.driver.x_origin = self.display.origin
        return [Rect(r) for r in expected]

    def display_changed(self, toy):
        """What Windows sends every top-level window after a change of the monitors."""
        screen = self.driver.call("screen")
        toy.send_frame(WM_DISPLAYCHANGE, screen["bitsperpixel"], screen["width"] | (screen["height"] << 16))

    def root_area(self, rect):
        return self.display.screenshot().crop_rect(self.display.in_x(rect))

    def root_pixel(self, x, y):
        return self.display.screenshot().pixel(x + self.display.origin[0], y + self.display.origin[1])

    def wake(self):
        """Wine shows what another thread drew once the toy's interface thread runs again."""
        x, y = self.driver.cursor()
        self.driver.move(x + 1, y)
        self.driver.move(x, y)

    # --- the toy's windows -----------------------------------------------------------------
    def covers(self, toy):
        """The toy's visible top-level windows with an empty title, besides its clock and menus."""
        clock = toy.clock()
        return [w for w in self.driver.windows(pid=toy.program.pid, visible=True)
                if w.title == "" and w.class_name != MENU_CLASS and (clock is None or w.hwnd != clock.hwnd)]

    def assert_cover(self, toy, monitor):
        """One cover, exactly on the monitor, top-most, not activatable, and the frame in front."""
        found = wait_for_value(lambda: self.covers(toy), lambda covers: [tuple(c.rect) for c in covers] == [monitor],
                               1.0, message=f"no single cover on the monitor {monitor}")
        cover = found[0]
        self.assertTrue(cover.topmost, "the cover is not top-most")
        self.assertEqual(WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, cover.exstyle & (WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW),
                         f"the cover's extended styles are {cover.exstyle:#x}")
        self.assertEqual(toy.frame.hwnd, self.driver.foreground()["foreground"], "the frame is not in front")

    def assert_no_root_shows(self, monitor):
        wait_until(lambda: self.root_area(monitor).count(ROOT_COLOUR) == 0, 1.0,
                   message=f"the bare root window shows on the monitor {monitor}")

    def assert_out_of_reach(self, monitor):
        """The cursor clip lies on the primary monitor and a move onto `monitor` stays in it."""
        clip = self.driver.clip()
        self.assertFalse(clip.contains(*monitor.center), f"the cursor clip {clip} reaches the monitor {monitor}")
        for target in (monitor.center, (monitor.left, monitor.top)):
            where = self.driver.move(*target, anywhere=True)
            self.assertTrue(clip.contains(*where), f"the pointer moved to {target} went to {where}")

    # --- the tests -------------------------------------------------------------------------
    def test_started_from_the_second_monitor_the_play_covers_the_primary_and_the_second_shows_it(self):
        # Started as the shell starts a program from the second monitor, its first window asked for
        # there; with that monitor right of the primary, and left of it at negative coordinates.
        for side, second_rect in (("right", (1024, 0, 1824, 600)), ("left", (-800, 0, 0, 600))):
            with self.subTest(side=side):
                self.display.plug(side)
                primary, second = self.wine_sees_the_display()
                self.assertEqual(((0, 0, 1024, 768), second_rect), (primary, second))
                toy = self.start_toy(options=OPTIONS, at=(second.left + 76, 50))
                self.check_the_second_monitor_shows_the_play(toy, primary, second)
                toy.program.kill()

    def check_the_second_monitor_shows_the_play(self, toy, primary, second):
        self.assertEqual(primary, toy.frame.rect, "the frame does not cover the primary monitor")

        with self.subTest("no bare root window shows on the second monitor"):
            self.assert_no_root_shows(second)
        with self.subTest("the cover"):
            self.assert_cover(toy, second)

        # A fill of a colour the second monitor does not show yet; the root window's grab sees it
        # on the primary.
        before = self.root_pixel(*second.center)
        for _ in range(10):
            since = self.driver.tick()
            self.driver.tap(VK.letter("A"))
            toy.sounds.wait_for(lambda c: c.started and c.basename.upper() in KEY_SOUNDS, since=since)
            fill = wait_until(lambda: (lambda s: s[0] if len(set(s)) == 1 and s[0] in FILL_COLORS else None)(
                toy.sample()), 5, message="no fill of the whole surface after a key")
            if fill != before:
                break
        self.assertEqual(fill, self.root_pixel(*primary.center))
        with self.subTest("a key's fill shows on the second monitor within a second"):
            wait_for_value(lambda: self.root_pixel(*second.center), lambda p: p == fill, 1.0,
                           message=f"the second monitor's centre is not the fill {fill}")

        with self.subTest("an effect shows on the second monitor while it runs"):
            toy.settle()
            self.driver.move(*toy.surface.rect.center)
            self.driver.button_down("right")
            self.driver.button_up("right")
            wait_until(toy.menu, 5, message="no effects menu after a right click")
            since = self.driver.tick()
            self.driver.tap(VK.letter("C"))
            toy.sounds.wait_for(lambda c: c.started and c.basename.upper() not in KEY_SOUNDS, since=since)
            first = self.root_area(second)
            try:
                wait_until(lambda: (self.wake(), self.root_area(second).differs_from(first))[1], 3,
                           message="the second monitor's picture stayed the same while the effect ran")
            finally:
                self.driver.key_down(VK.F1)  # stops the effect; its release opens the menu
                self.driver.key_up(VK.F1)
                toy.close_menu()

        with self.subTest("the pointer cannot reach the second monitor"):
            self.assert_out_of_reach(second)
        with self.subTest("a dropped clip is back once the pointer reaches the cover"):
            clip = self.driver.clip()
            self.driver.clip(release=True)  # as the secure desktop drops it
            self.driver.move(*second.center, anywhere=True)
            wait_for_value(self.driver.clip, lambda now: now == clip, 2, message="the cursor clip is not back")

    def test_monitors_unplugged_plugged_back_and_resized_while_it_plays(self):
        toy = self.start_toy(options=dict(OPTIONS, time=1))
        primary, second = self.wine_sees_the_display()
        clip = self.driver.clip()
        margin = (primary.right - clip.right, primary.bottom - clip.bottom)
        had_cover = bool(self.covers(toy))

        self.display.unplug()
        self.wine_sees_the_display()
        self.display_changed(toy)
        with self.subTest("unplugged: its cover goes within a second"):
            self.assertTrue(had_cover, "there was no cover before the monitor was unplugged")
            wait_for_value(lambda: self.covers(toy), lambda covers: not covers, 1.0,
                           message="a cover stayed with one monitor")

        self.display.plug()
        self.assertEqual([primary, second], self.wine_sees_the_display())
        self.display_changed(toy)
        with self.subTest("plugged back: covered again within a second"):
            self.assert_cover(toy, second)
            self.assert_no_root_shows(second)
        with self.subTest("plugged back: the pointer cannot reach it"):
            self.assert_out_of_reach(second)

        self.display.resize_primary(800, 600)
        primary, second = self.wine_sees_the_display()
        self.assertEqual((0, 0, 800, 600), primary)
        self.display_changed(toy)
        with self.subTest("the primary resized: the frame follows"):
            wait_for_value(lambda: self.driver.window(toy.frame.hwnd).rect, lambda rect: rect == primary, 1.0,
                           message="the frame does not cover the resized primary monitor")
        with self.subTest("the primary resized: the cursor clip follows"):
            wait_for_value(self.driver.clip, lambda clip: clip == (0, 0, primary.right - margin[0],
                                                                   primary.bottom - margin[1]), 1.0,
                           message="the cursor clip does not keep its margins on the resized primary monitor")
        with self.subTest("the primary resized: the clock sits in its bottom-right corner"):
            wait_for_value(lambda: (lambda clock: clock and (clock.rect.right, clock.rect.bottom))(toy.clock()),
                           lambda corner: corner == (primary.right, primary.bottom), 1.0,
                           message="the clock is not in the primary monitor's bottom-right corner")
        with self.subTest("the primary resized: the second monitor, now beside it, is covered"):
            self.assert_cover(toy, second)

        self.driver.chord(VK.MENU, VK.F4)
        self.assertEqual(0, toy.program.wait_exit(15), "Alt+F4 with endaltf4=1")
        area = second.width * second.height
        wait_until(lambda: self.root_area(second).count(ROOT_COLOUR) == area, 1.0,
                   message="something still covers the second monitor after the toy ended")


if __name__ == "__main__":
    unittest.main()
