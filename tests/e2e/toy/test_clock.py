"""The clock in the bottom-right corner: shown only for time=1, drawn every second, and never
keeping the focus from the toy."""

import unittest

from toysupport import VK, WMU_SETTINGS_CHANGED, ToyTestCase, wait_until, write_options

WS_CAPTION, WS_THICKFRAME, WS_BORDER, WS_SYSMENU = 0x00C00000, 0x00040000, 0x00800000, 0x00080000
WS_EX_DLGMODALFRAME, WS_EX_WINDOWEDGE, WS_EX_CLIENTEDGE, WS_EX_STATICEDGE = 0x1, 0x100, 0x200, 0x20000
WM_SYSKEYDOWN = 0x0104
ALT_CONTEXT = 1 << 29 | 1
BLACK = (0, 0, 0)
TEXT_COLOURS = {(0, 255, 0), (255, 255, 0), (255, 255, 255), (255, 128, 255)}
FACE_ID = 1010
# The face's raised edge and the sunken edge inside it, within the control's own edge.
EDGES = 4


class Clock(ToyTestCase):
    def face(self, clock):
        """The clock's face inside its edges, as on the screen now."""
        r = self.driver.children(clock.hwnd, id=FACE_ID)[0].client
        return self.driver.screenshot(rect=(r.left + EDGES, r.top + EDGES, r.right - EDGES, r.bottom - EDGES))

    @staticmethod
    def text_colour(face):
        """The colour of the text on the face: the commonest colour after black, which must
        make up most of the rest, and at least 20 pixels; None when the face shows no text."""
        counts = face.colours()
        black = counts.pop(BLACK, 0)
        if not counts or black < face.width * face.height // 2:
            return None
        colour, pixels = max(counts.items(), key=lambda item: item[1])
        return colour if pixels >= 20 else None

    def assert_focus_with_toy(self, toy, what):
        """The frame is in the foreground and the play surface has the keyboard focus."""
        try:
            wait_until(lambda: (lambda f: f["foreground"] == toy.frame.hwnd and f["focus"] == toy.surface.hwnd)(
                self.driver.foreground()), 5)
        except AssertionError:
            self.fail(f"{what}: the focus stayed away from the toy: {self.driver.foreground()}")

    def activate(self, clock):
        self.driver.activate(clock.hwnd)
        wait_until(lambda: self.driver.foreground()["foreground"] == clock.hwnd, 5,
                   message="the clock could not be activated")

    def assert_clock_showing(self, toy, what):
        clock = toy.clock()
        self.assertIsNotNone(clock, f"{what}: the clock window is gone")
        self.assertTrue(clock.visible, f"{what}: the clock was hidden")
        # Above the frame: its face is on the screen, not the play surface.
        self.assertIn(wait_until(lambda: self.text_colour(self.face(clock)), 3,
                                 message=f"{what}: no clock on the screen"), TEXT_COLOURS)
        return clock

    def test_clock_in_the_corner_ticks_and_hands_clicks_and_keys_to_the_toy(self):
        # Showing the clock at start leaves the frame in front and the focus on the play surface.
        toy = self.start_toy(options={"keywav": 1, "otherwav": 1, "time": 1})
        self.assert_focus_with_toy(toy, "start")
        clock = self.assert_clock_showing(toy, "start")
        width, height = self.driver.screen_size()
        self.assertEqual((width, height), (clock.rect.right, clock.rect.bottom), "not in the bottom-right corner")
        self.assertEqual(0, clock.style & (WS_CAPTION | WS_THICKFRAME | WS_BORDER | WS_SYSMENU), hex(clock.style))
        self.assertEqual(0, clock.exstyle & (WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE
                                             | WS_EX_STATICEDGE), hex(clock.exstyle))
        self.assertEqual(tuple(clock.rect), tuple(clock.client), "the clock has a frame")

        # Every look at the face over more than two seconds shows the text (the face never
        # reaches the screen half drawn), and the face changes from one second to the next.
        first = self.face(clock)
        colour = self.text_colour(first)
        self.assertIn(colour, TEXT_COLOURS)
        # The whole text fits: black margins on both sides, so no digit is cut off.
        text = first.bounding_box(lambda p: p == colour)
        self.assertTrue(text[0] > 0 and text[2] < first.width, f"the text is cut off: {text} in {first.width}")
        seen = [first]

        def two_ticks():
            shot = self.face(clock)
            self.assertEqual(colour, self.text_colour(shot), f"a look at the clock after {len(seen)} changes")
            if shot.differs_from(seen[-1]):
                seen.append(shot)
            return len(seen) >= 3

        wait_until(two_ticks, 5, message="the clock did not change every second")

        # Clicks: the toy keeps the focus and the foreground; a left click stops the sound, a
        # right click does nothing else (on the play surface it would open the effects menu).
        since = self.driver.tick()
        self.driver.click(*clock.rect.center)
        toy.sounds.wait_for(lambda c: c.stop, since=since, timeout=5)
        self.assert_focus_with_toy(toy, "left click")
        stops = [c for c in toy.sounds.calls() if c.stop]
        self.driver.click(*clock.rect.center, button="right")
        self.assert_focus_with_toy(toy, "right click")
        self.assert_clock_showing(toy, "right click")
        self.assertIsNone(toy.menu(), "the right click reached the play surface")
        self.assertEqual(stops, [c for c in toy.sounds.calls() if c.stop], "a right click stopped the sound")

        # Keys that would close a dialog do nothing to the clock but hand the focus back.
        for key in (VK.ESCAPE, VK.RETURN):
            self.activate(clock)
            self.driver.tap(key)
            self.assert_focus_with_toy(toy, VK.name(key))
            self.assert_clock_showing(toy, VK.name(key))
        # Alt+F4 as the clock's queue receives it while Alt is held (a real Alt press would
        # already hand the focus back before F4 could reach the clock).
        self.activate(clock)
        self.driver.post(clock.hwnd, WM_SYSKEYDOWN, VK.F4, ALT_CONTEXT)
        self.assert_focus_with_toy(toy, "Alt+F4")
        self.assert_clock_showing(toy, "Alt+F4")
        self.assertTrue(toy.program.running())

    def test_only_time_1_shows_the_clock_and_a_change_applies_at_once(self):
        toy = self.start_toy(options={"keywav": 1, "otherwav": 1, "time": 2})
        folder = toy.program.exe.parent
        clock = toy.clock()
        self.assertIsNotNone(clock, "time=2: no clock window")
        self.assertFalse(clock.visible, "time=2 showed the clock")

        for value in (1, 0, 1, None):
            options = {"keywav": 1, "otherwav": 1}
            if value is not None:
                options["time"] = value
            write_options(folder, **options)
            self.assertEqual(1, toy.send_frame(WMU_SETTINGS_CHANGED))
            what = f"time={value}" if value is not None else "time missing"
            if value == 1:
                self.assert_clock_showing(toy, what)
            else:
                self.assertFalse(toy.clock().visible, f"{what} showed the clock")
            self.assert_focus_with_toy(toy, what)

        # With other sounds off, a left click on the clock stops nothing: the stop comes from the
        # clock's sound cue, not from a click that reached the play surface.
        write_options(folder, keywav=1, otherwav=0, time=1)
        self.assertEqual(1, toy.send_frame(WMU_SETTINGS_CHANGED))
        clock = self.assert_clock_showing(toy, "otherwav=0")
        toy.settle()  # the frame took the focus back: the clock may take a moment to be above it again
        stops = [c for c in toy.sounds.calls() if c.stop]
        self.driver.click(*clock.rect.center)
        self.assert_focus_with_toy(toy, "left click with otherwav=0")
        toy.settle()
        self.assertEqual(stops, [c for c in toy.sounds.calls() if c.stop], "the click stopped the sound")


if __name__ == "__main__":
    unittest.main()
