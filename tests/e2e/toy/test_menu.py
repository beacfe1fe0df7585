"""The effects menu: where and when it opens, what it looks like, and how letters and other keys
answer while it is open."""

import unittest

from toysupport import EFFECT_LABELS, VK, ToyTestCase, agreement, changes_outside, ink, wait_for_value, wait_until

WMU_SHOW_EFFECTS_MENU = 5025
ITEMS = 8
WHITE = (255, 255, 255)
LABELS = EFFECT_LABELS
MENU_KEYS = [VK.APPS] + [VK.F1 + n - 1 for n in (1, 4, 5, 8, 9, 12, 13, 16, 17, 20, 21, 24)]



class EffectsMenu(ToyTestCase):
    def setUp(self):
        super().setUp()
        self.toy = self.start_toy(options={"keywav": 1, "otherwav": 1})
        self.at = (400, 300)
        self.driver.move(*self.at)

    def open_by(self, press, release):
        press()
        release()
        return wait_until(self.toy.menu, 5, message="no menu opened")

    def test_releases_open_it_at_the_cursor_and_letters_choose_their_effect(self):
        right = (lambda: self.driver.button_down("right"), lambda: self.driver.button_up("right"))
        openers = {"right button": right}
        for key in MENU_KEYS:
            openers[VK.name(key)] = (lambda k=key: self.driver.key_down(k), lambda k=key: self.driver.key_up(k))
        for name, (press, release) in openers.items():
            with self.subTest(name):
                # (Under Wine the pointer may jump to the middle when a menu closes: put it back.)
                self.driver.move(*self.at)
                menu = self.open_by(press, release)
                x, y = menu.rect.center
                self.assertLessEqual(abs(x - self.at[0]) + abs(y - self.at[1]), 2, f"not centred on the cursor: {menu}")
                self.assertEqual(self.toy.frame.hwnd, menu.owner, "the menu belongs to the toy's frame")
                self.toy.close_menu()

        # With Alt held a menu key's release opens nothing.
        for key in (VK.F5, VK.F8, VK.APPS):
            self.driver.key_down(VK.MENU)
            self.driver.tap(key)
            self.driver.key_up(VK.MENU)
            self.toy.settle()
            self.assertIsNone(self.toy.menu(), f"Alt+{VK.name(key)} opened the menu")

        # "Y" chooses the shockwave; "5" closes the menu and starts nothing.
        self.open_by(*right)
        since = self.driver.tick()
        self.driver.tap(VK.letter("Y"))
        self.toy.sounds.wait_for(lambda c: c.started and c.basename.upper() == "BOM.WAV", since=since, timeout=5)
        self.toy.sounds.wait_for(lambda c: c.stop, since=since, timeout=30)
        self.open_by(*right)
        since = self.driver.tick()
        self.driver.tap(VK.letter("5"))
        wait_until(lambda: self.toy.menu() is None, 5, message="5 left the menu open")
        self.toy.settle()
        started = [c.basename for c in self.toy.sounds.calls(since) if c.started]
        self.assertFalse(set(started) & {"RMM.WAV", "STAR.WAV", "PON.WAV", "BOM.WAV", "SYU.WAV", "WWP.WAV", "TEN.WAV"},
                         f"5 started an effect: {started}")

        # No menu while the left button is held.
        self.driver.button_down("left")
        self.driver.button_down("right")
        self.driver.button_up("right")
        self.toy.settle()
        self.assertIsNone(self.toy.menu(), "a menu opened with the left button held")
        self.driver.button_up("left")

    def test_opening_stops_the_sound_and_moving_the_selection_redraws_the_items(self):
        since = self.driver.tick()
        self.driver.post(self.toy.surface.hwnd, 0x0111, 146, 0)  # the bouncing icon, with its looping sound
        self.toy.sounds.wait_for(lambda c: c.started and c.basename.upper() == "SYU.WAV", since=since)
        opened = self.driver.tick()
        self.driver.post(self.toy.surface.hwnd, WMU_SHOW_EFFECTS_MENU)
        menu = wait_until(self.toy.menu, 5, message="no menu opened")
        self.toy.sounds.wait_for(lambda c: c.stop, since=opened, timeout=5)

        # The effect goes on drawing behind the open menu.
        changes_outside(self.driver, menu.rect)

        shot = self.driver.screenshot(rect=menu.rect)
        before = set(shot.colours())
        # Each label reads whole as its text: it is drawn as the platform draws that text in the
        # doubled menu font, underlined letter included, and its characters are glyphs, not the
        # placeholder of a character the font lacks.
        references = [self.driver.draw_text(label, scale=2) for label in LABELS]
        item_height = references[0].height - 8 + 4  # the text's height and the item's 4 pixels more
        border = (menu.rect.height - ITEMS * item_height) // 2
        for i, label in enumerate(LABELS):
            with self.subTest(label=label):
                drawn = shot.crop(border + 22, border + i * item_height, menu.rect.width - 22 - 2 * border, item_height)
                background = drawn.pixel(drawn.width - 1, drawn.height // 2)
                seen = ink(drawn, background)
                expected = ink(references[i], WHITE)
                self.assertTrue(expected, "the platform drew no ink for the label")
                agrees = agreement(seen, expected)
                self.assertGreater(agrees, 0.85, f"the label is not drawn whole as its text ({agrees:.2f})")
        missing = ink(self.driver.draw_text("\ue000\ue001", scale=2), WHITE)
        for char in sorted(set("".join(LABELS)) - set("(&)?.QSBMCLPY ,!-")):
            self.assertNotEqual(missing, ink(self.driver.draw_text(char * 2, scale=2), WHITE),
                                f"{char} has no glyph in the menu font")

        rows = [menu.rect.top + (2 * i + 1) * menu.rect.height // (2 * ITEMS) for i in range(ITEMS)]
        self.driver.tap(VK.DOWN)
        self.driver.tap(VK.DOWN)
        # The items are redrawn while the effect plays on: judge a picture once it is drawn whole.
        def judge(shot):
            highlight = max(set(shot.colours()) - before, key=shot.count, default=None)
            background = shot.pixel(menu.rect.width - 4, rows[0] - menu.rect.top)
            lit = [i for i, y in enumerate(rows) if shot.pixel(menu.rect.width - 4, y - menu.rect.top) == highlight]
            bare = [i for i, y in enumerate(rows)
                    if len(set(shot.crop(2, y - menu.rect.top - 8, 18, 16).colours()) - {background, highlight}) <= 1]
            return {"selected": lit, "without a picture": bare}

        # The second item is the one drawn selected, and every item shows its picture at the
        # left, 16 pixels square.
        wait_for_value(lambda: judge(self.driver.screenshot(rect=menu.rect)),
                       lambda seen: seen == {"selected": [1], "without a picture": []}, 5,
                       message="moving the selection did not draw the second item selected, every item with its picture")
        self.toy.close_menu()


if __name__ == "__main__":
    unittest.main()
