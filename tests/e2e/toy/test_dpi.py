"""The toy at 144 dots per inch (the system's LogPixels): the frame, the fills and the cursor's bounds
still match the screen, and the menu, the options dialog and the clock grow with the text and are not
cut off. (At 96 the other tests run.)"""

import unittest

from toysupport import (EFFECT_LABELS, FILL_COLORS, MENU, OPTIONS_TITLE, TEXTS, VK, WMU_SETTINGS_CHANGED, ToyTestCase,
                        agreement, ink, menu_lines, wait_until, write_options)

from harness import wait_for_value
from harness.images import Image

USER_DPI = (r"HKCU\Control Panel\Desktop", "LogPixels")
CONFIG_DPI = (r"HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts", "LogPixels")
DPI = 144
# The options dialog's outer size at 96 dpi, from its template.
OPTIONS_AT_96 = (410, 241)
# The clock's height at 96 dpi, from its template.
CLOCK_HEIGHT_AT_96 = 36


class HighDpi(ToyTestCase):
    def setUp(self):
        super().setUp()
        for key, name in (USER_DPI, CONFIG_DPI):
            before = self.driver.reg_get(key, name)
            self.addCleanup(self.restore, key, name, before)
            self.driver.reg_set(key, name, "dword", DPI)
        self.assertEqual(DPI, self.session.run_driver("screen", name="dpi").result(30)["dpi"],
                         "the prefix did not take the new resolution")

    def restore(self, key, name, value):
        if value is None:
            self.driver.reg_delete(key, name)
        else:
            self.driver.reg_set(key, name, "dword", value)

    def reference_text(self, text, scale=2, font=None):
        """`text` drawn by a program started at this resolution, in the menu font at `scale` times
        its height or in `font` (face, points)."""
        bmp = self.session.log_dir / "dpi-text.bmp"
        face = [f"--face={font[0]}", f"--points={font[1]}"] if font else []
        self.session.run_driver("drawtext", bmp, text, f"--scale={scale}", *face, name="dpi-text").result(30)
        return ink(Image.load(bmp), (255, 255, 255)), Image.load(bmp).height

    def test_frame_fills_cursor_menu_dialog_and_clock_at_144_dpi(self):
        toy = self.start_toy(options={"keywav": 1, "otherwav": 1, "time": 0, "endaltf4": 0})
        width, height = self.driver.screen_size()
        self.assertEqual((0, 0, width, height), tuple(toy.frame.rect))
        self.assertEqual((0, 0, width, height), tuple(toy.surface.rect))

        # A key fills every pixel, the corners included.
        self.driver.tap(VK.letter("A"))
        toy.settle()
        corners = self.driver.pixels([(0, 0), (width - 1, 0), (0, height - 1), (width - 1, height - 1),
                                      (width // 2, height // 2)])
        self.assertEqual(1, len(set(corners)), f"the fill missed a corner: {corners}")
        self.assertIn(corners[0], FILL_COLORS)

        # The cursor keeps to the screen, less the same margin as at 96 dpi.
        self.assertEqual((0, 0, width - 4, height - 4), tuple(self.driver.clip()))

        # The effects menu: whole on the screen, its labels in the font of this resolution.
        self.driver.move(width // 2, height // 2)
        self.driver.button_down("right")
        self.driver.button_up("right")
        menu = wait_until(toy.menu, 5, message="no menu")
        self.assertTrue(0 <= menu.rect.left and menu.rect.right <= width and 0 <= menu.rect.top
                        and menu.rect.bottom <= height, f"the menu is cut off: {menu.rect}")
        references = [self.reference_text(text) for text in EFFECT_LABELS]
        item_height = references[0][1] - 8 + 4
        self.assertGreaterEqual(menu.rect.height, 8 * item_height, "the items are smaller than their text")
        border = (menu.rect.height - 8 * item_height) // 2

        def agreements():  # of each label with its text, the widest included
            shot = self.driver.screenshot(rect=menu.rect)
            labels = [shot.crop(border + 22, border + i * item_height, menu.rect.width - 22 - 2 * border, item_height)
                      for i in range(8)]
            return [agreement(ink(label, label.pixel(label.width - 1, label.height // 2)), expected)
                    for label, (expected, _) in zip(labels, references)]
        wait_for_value(agreements, lambda values: min(values) > 0.85, 5, message="a label is not drawn whole")
        toy.close_menu()

        # The grown-up menu's items read whole in the menu font of this resolution.
        self.driver.chord(VK.SHIFT, VK.ESCAPE)
        lines, background = menu_lines(self.driver, wait_until(toy.menu, 10, message="no menu"))
        for text, line in zip(MENU, lines):
            self.assertGreater(agreement(ink(line, background), self.reference_text(text, scale=1)[0]), 0.85,
                               f"{text} is not drawn whole")
        toy.close_menu()

        # The options dialog grows with its font, stays on the screen and shows its labels whole.
        dialog = toy.grown_up_dialog("S", OPTIONS_TITLE)
        self.assertTrue(dialog.rect.right <= width and dialog.rect.bottom <= height, f"cut off: {dialog.rect}")
        self.assertGreater(dialog.rect.width, OPTIONS_AT_96[0] * 1.3, "the dialog did not grow with its font")
        for button in dialog.buttons:
            self.assertTrue(dialog.rect.contains(button.rect.left, button.rect.top)
                            and button.rect.right <= dialog.rect.right and button.rect.bottom <= dialog.rect.bottom,
                            f"{button.text} sticks out of the dialog")
        boxes = {b.id: b for b in dialog.buttons}
        for box in range(1001, 1005):  # the first has the focus rectangle
            expected = self.reference_text(TEXTS["OPTIONS"][box], font=TEXTS["FONT"])[0]

            def label_agreement(rect=boxes[box].rect):
                label = self.driver.screenshot(rect=rect)
                label = label.crop(24, 0, label.width - 24, label.height)
                return agreement(ink(label, label.pixel(label.width - 1, 1)), expected)
            wait_for_value(label_agreement, lambda a: a > 0.85, 5, message=f"{TEXTS['OPTIONS'][box]} is not drawn whole")
        self.driver.press(dialog, 2)
        wait_until(lambda: all(d.title != OPTIONS_TITLE for d in toy.program.dialogs()), 10)

        # The clock: in the corner, grown with its font, with text on its face.
        write_options(toy.program.exe.parent, keywav=1, otherwav=1, time=1, endaltf4=0)
        toy.send_frame(WMU_SETTINGS_CHANGED)
        clock = wait_until(lambda: (lambda c: c if c and c.visible else None)(toy.clock()), 5, message="no clock")
        self.assertEqual((width, height), (clock.rect.right, clock.rect.bottom))
        self.assertGreater(clock.rect.height, CLOCK_HEIGHT_AT_96 * 1.3, "the clock did not grow with its font")
        wait_until(lambda: len(set(self.driver.screenshot(rect=clock.rect).colours())) > 2, 5,
                   message="the clock shows no text")

if __name__ == "__main__":
    unittest.main()
