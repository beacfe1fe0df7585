"""The grown-up's texts follow the user's interface language, whatever the code page: English for a
German interface (as for every language but Japanese), Japanese for a Japanese interface under the
Western code page 1252. Both run from a folder named ミミタップ, as the installer names it, which
that code page cannot spell: the sounds still play. The second's folder lies so deep that even its
short path is too long for the audio stack, which is then given the sounds from memory."""

import unittest

from test_dialogs import drawn_as
from toysupport import ENGLISH, JAPANESE, KEY_SOUNDS, VK, ToyTestCase, wait_until


class GermanInterface(ToyTestCase):
    session_options = {"locale": "de_DE"}
    texts, interface = ENGLISH, 0x0407
    nested = 0  # folders around the program folder

    def test_hint_and_options_in_the_interface_language(self):
        system = self.driver.system()
        self.assertEqual((self.interface, 1252), (system["ui_language"], system["acp"]))
        folder = self.program_folder()
        around = folder.parent.joinpath(*["ふかいフォルダ"] * self.nested)
        around.mkdir(parents=True, exist_ok=True)
        folder = folder.rename(around / "ミミタップ")
        program = self.launch(folder=folder)
        hint = program.wait_for_dialog(timeout=20)
        self.assertEqual(self.texts["EXIT_HINT"].replace("\r", ""), hint.text.replace("\r", ""))
        self.driver.press(hint, 1)
        toy = self.toy_of(program)
        key_sound = toy.sounds.wait_for(lambda c: c.played is not None and c.basename.upper() in KEY_SOUNDS)
        self.assertTrue(key_sound.played, f"the start-up key sound {key_sound.name} did not play")
        self.assertEqual(self.nested > 0, key_sound.memory_name is not None, "played from memory")
        options = toy.grown_up_dialog("S", self.texts["OPTIONS_TITLE"])
        by_id = {b.id: b for b in options.buttons}
        for box in (1001, 1003):
            label = self.texts["OPTIONS"][box]
            self.assertEqual(label, by_id[box].text)
            wait_until(lambda: drawn_as(self.driver, by_id[box].rect, label, 16, self.texts["FONT"]) > 0.85, 5,
                       message=f"{label} is not drawn whole in its font")
        self.driver.tap(VK.letter("W"))  # the switch's letter toggles it
        wait_until(lambda: self.driver.send(by_id[1001].hwnd, 0x00F0) == 0, 5, message="W did not toggle its switch")


class JapaneseInterfaceWesternCodePage(GermanInterface):
    session_options = {"locale": "en_US", "messages": "ja_JP"}
    texts, interface = JAPANESE, 0x0411
    nested = 14


if __name__ == "__main__":
    unittest.main()
