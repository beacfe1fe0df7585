"""The read-me as shipped: UTF-8 with a BOM and CRLF (for every Notepad), with what a parent needs."""
import os
import sys
import unittest

import mediafiles as mf

MEDIA = mf.media_dir()
SOURCE = sys.argv.pop(1) if len(sys.argv) > 1 and not sys.argv[1].startswith('-') else None


class Readme(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        with open(os.path.join(MEDIA, 'mimitap.txt'), 'rb') as f:
            cls.raw = f.read()
        cls.text = cls.raw[3:].decode('utf-8')

    def test_starts_with_a_utf8_bom(self):
        self.assertEqual(self.raw[:3], b'\xef\xbb\xbf')
        self.assertNotEqual(self.raw[3:6], b'\xef\xbb\xbf', 'two BOMs')

    def test_every_line_ends_with_crlf(self):
        self.assertEqual(self.raw.count(b'\n'), self.raw.count(b'\r\n'))
        self.assertEqual(self.raw.count(b'\r'), self.raw.count(b'\r\n'))
        self.assertTrue(self.raw.endswith(b'\r\n'))
        self.assertGreater(self.raw.count(b'\r\n'), 20)

    def test_tells_how_to_leave(self):
        for words in ('Alt+F4', 'Shift+Esc', '設定', 'バージョン情報', '終了して説明ファイルを開く', '終了'):
            self.assertIn(words, self.text)

    def test_names_the_options_and_where_they_are_kept(self):
        for words in ('キーボードを叩いた時に音を鳴らす', 'その他の音を鳴らす', '時計を表示する',
                      'ミミタップ起動中はスクリーンセーバーを起動しない', 'Alt+F4キーで終了する', 'mimitap.dat'):
            self.assertIn(words, self.text)

    def test_names_the_media_folders(self):
        for folder in ('WAV', 'ICON', 'DRAGICON', 'PMENUICO', 'CURSOR', 'BMP'):
            self.assertIn(folder, self.text)

    def test_covers_starting_installing_and_the_keyboard_state(self):
        for words in ('作業フォルダー', 'コピー', '削除', 'Caps Lock', 'Num Lock', 'Insert'):
            self.assertIn(words, self.text)

    @unittest.skipUnless(SOURCE, 'no source given')
    def test_says_what_the_source_says(self):
        with open(SOURCE, encoding='utf-8') as f:
            self.assertEqual(self.text.replace('\r\n', '\n'), f.read())


if __name__ == '__main__':
    unittest.main()
