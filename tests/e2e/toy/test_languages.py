"""The grown-up's texts follow the user's interface language, whatever the code page: English for a
German interface (as for every language but Japanese), Japanese for a Japanese interface under the
Western code page 1252."""

import unittest

from test_dialogs import drawn_as
from toysupport import ENGLISH, JAPANESE, VK, ToyTestCase, wait_until

OPTIONS_LABELS = {"English": {1001: "Play the other sounds as &well (mouse, effects)",
                              1003: "Keep the &screen saver off while the toy runs"},
                  "Japanese": {1001: "その他の音を鳴らす(&W)", 1003: "ミミタップ起動中はスクリーンセーバーを起動しない(&S)"}}
FONTS = {"English": ("MS Shell Dlg", 8), "Japanese": ("ＭＳ Ｐゴシック", 9)}


class Interface:
    texts, language, interface, code_page = ENGLISH, "English", 0x0407, 1252

    def test_hint_and_options_in_the_interface_language(self):
        system = self.driver.system()
        self.assertEqual((self.interface, self.code_page), (system["ui_language"], system["acp"]))
        program = self.launch(folder=self.program_folder())
        hint = program.wait_for_dialog(timeout=20)
        self.assertEqual(self.texts["EXIT_HINT"].replace("\r", ""), hint.text.replace("\r", ""))
        self.driver.press(hint, 1)
        toy = self.toy_of(program)
        options = toy.grown_up_dialog("S", self.texts["OPTIONS_TITLE"])
        by_id = {b.id: b for b in options.buttons}
        for box, label in OPTIONS_LABELS[self.language].items():
            self.assertEqual(label, by_id[box].text)
            wait_until(lambda: drawn_as(self.driver, by_id[box].rect, label, 16, FONTS[self.language]) > 0.85, 5,
                       message=f"{label} is not drawn whole in its font")
        self.driver.tap(VK.letter("W"))  # the switch's letter toggles it
        wait_until(lambda: self.driver.send(by_id[1001].hwnd, 0x00F0) == 0, 5, message="W did not toggle its switch")
        self.driver.tap(VK.ESCAPE)
        wait_until(lambda: all(d.title != self.texts["OPTIONS_TITLE"] for d in program.dialogs()), 10)


class GermanInterface(Interface, ToyTestCase):
    session_options = {"locale": "de_DE"}


class JapaneseInterfaceWesternCodePage(Interface, ToyTestCase):
    session_options = {"locale": "en_US", "messages": "ja_JP"}
    texts, language, interface, code_page = JAPANESE, "Japanese", 0x0411, 1252


if __name__ == "__main__":
    unittest.main()
