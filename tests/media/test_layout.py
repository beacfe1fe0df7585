"""The media folders hold exactly the files the program opens by name, and the contact sheet is clean."""
import os
import struct
import unittest

import mediafiles as mf

MEDIA = mf.media_dir()


class Layout(unittest.TestCase):
    def test_folders_hold_exactly_the_expected_files(self):
        expected = {f'WAV/{n}.WAV' for n in mf.SOUNDS} | set(mf.ICONS) | set(mf.CURSORS) | {mf.BITMAP}
        found = set()
        for folder in mf.FOLDERS:
            for name in os.listdir(os.path.join(MEDIA, folder)):
                found.add(f'{folder}/{name}')
        self.assertEqual(found, expected)  # spelling and case included: the program asks for these names

    def test_readme_and_contact_sheet_are_there(self):
        for name in ('mimitap.txt', 'contact-sheet.png'):
            self.assertTrue(os.path.isfile(os.path.join(MEDIA, name)), name)


class ContactSheet(unittest.TestCase):
    def test_is_a_png_without_dates(self):
        with open(os.path.join(MEDIA, 'contact-sheet.png'), 'rb') as f:
            data = f.read()
        self.assertEqual(data[:8], b'\x89PNG\r\n\x1a\n')
        pos, chunks = 8, []
        while pos < len(data):
            length, kind = struct.unpack_from('>I4s', data, pos)
            chunks.append((kind, data[pos + 8:pos + 8 + length]))
            pos += 12 + length
        self.assertEqual(chunks[0][0], b'IHDR')
        self.assertEqual(chunks[-1][0], b'IEND')
        kinds = [k for k, _ in chunks]
        self.assertNotIn(b'tIME', kinds)
        for kind, body in chunks:
            if kind in (b'tEXt', b'zTXt', b'iTXt'):
                self.assertNotIn(b'date', body.split(b'\0')[0], 'a timestamp would change every build')
        width, height = struct.unpack_from('>II', chunks[0][1])
        # Two copies (white and black) of 34 labelled tiles and the 180-pixel-high bitmap.
        self.assertGreater(width, 400)
        self.assertGreater(height, 2 * 180)


if __name__ == '__main__':
    unittest.main()
