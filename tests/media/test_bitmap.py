"""The dialog picture: a plain 24-bit Windows BMP of about 106 x 180, portrait, with a real picture in it."""
import unittest

import mediafiles as mf

MEDIA = mf.media_dir()


class DialogBitmap(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.bmp = mf.Bitmap(mf.path(MEDIA, mf.BITMAP))  # raises on a structural fault

    def test_size_and_orientation(self):
        self.assertTrue(100 <= self.bmp.width <= 112, self.bmp.width)
        self.assertTrue(170 <= self.bmp.height <= 190, self.bmp.height)
        self.assertGreater(self.bmp.height, self.bmp.width)

    def test_is_a_picture_not_a_blank(self):
        colours = {p for row in self.bmp.rows for p in row}
        self.assertGreater(len(colours), 100)
        counts = {}
        for row in self.bmp.rows:
            for p in row:
                counts[p] = counts.get(p, 0) + 1
        self.assertLess(max(counts.values()) / (self.bmp.width * self.bmp.height), 0.5)


if __name__ == '__main__':
    unittest.main()
