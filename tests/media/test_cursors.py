"""The cursors: CUR structure, the hotspot on the pointer's tip, and an outline that shows on any colour."""
import math
import unittest

import mediafiles as mf

MEDIA = mf.media_dir()
BACKGROUNDS = {'black': (0, 0, 0), 'white': (255, 255, 255), 'red': (255, 0, 0), 'blue': (0, 0, 255),
               'yellow': (255, 255, 0), 'green': (0, 128, 0)}


def load(name):
    return mf.IconFile(mf.path(MEDIA, name))


def luma(r, g, b):
    return 0.299 * r + 0.587 * g + 0.114 * b


def opaque_pixels(f):
    return [(x, y) for y in range(f.height) for x in range(f.width) if f.alpha(x, y) >= 128]


class Structure(unittest.TestCase):
    def test_one_32_bit_32x32_frame(self):
        for name in mf.CURSORS:
            with self.subTest(name):
                cursor = load(name)
                self.assertEqual(cursor.kind, 2)
                self.assertEqual(len(cursor.frames), 1)
                f = cursor.frames[0]
                self.assertEqual((f.width, f.height), (32, 32))

    def test_and_mask_follows_alpha(self):
        for name in mf.CURSORS:
            with self.subTest(name):
                f = load(name).frames[0]
                for y in range(32):
                    for x in range(32):
                        if f.alpha(x, y) == 0:
                            self.assertEqual(f.mask[y][x], 1, (x, y))
                        elif f.alpha(x, y) == 255:
                            self.assertEqual(f.mask[y][x], 0, (x, y))


class Hotspot(unittest.TestCase):
    def test_hotspot_is_on_the_drawing(self):
        for name in mf.CURSORS:
            with self.subTest(name):
                f = load(name).frames[0]
                x, y = f.entry['hotspot']
                self.assertTrue(0 <= x < 32 and 0 <= y < 32)
                self.assertGreaterEqual(f.alpha(x, y), 128, 'hotspot on a transparent pixel')

    def test_hotspot_is_at_an_extreme_point_of_the_shape(self):
        # The tip lies on the shape's convex hull: some direction has (almost) the whole cursor behind it.
        for name in mf.CURSORS:
            with self.subTest(name):
                f = load(name).frames[0]
                hx, hy = f.entry['hotspot']
                pixels = opaque_pixels(f)
                best = min(
                    max(-((px - hx) * math.cos(t) + (py - hy) * math.sin(t)) for px, py in pixels)
                    for t in (2 * math.pi * k / 360 for k in range(360)))
                self.assertLessEqual(best, 1.5, 'hotspot is not at the edge of the pointer')

    def test_hotspot_is_at_a_point_not_along_a_flat_side(self):
        # Around a tip, most of a small disc is empty; on a flat edge about half of it is filled.
        for name in mf.CURSORS:
            with self.subTest(name):
                f = load(name).frames[0]
                hx, hy = f.entry['hotspot']
                disc = [(x, y) for x in range(hx - 8, hx + 9) for y in range(hy - 8, hy + 9)
                        if (x - hx) ** 2 + (y - hy) ** 2 <= 64]
                filled = sum(1 for x, y in disc if 0 <= x < 32 and 0 <= y < 32 and f.alpha(x, y) >= 128)
                self.assertLess(filled / len(disc), 0.4)


class Visibility(unittest.TestCase):
    def test_dark_outline_around_a_light_fill(self):
        for name in mf.CURSORS:
            with self.subTest(name):
                f = load(name).frames[0]
                pixels = set(opaque_pixels(f))
                edge = [(x, y) for x, y in pixels
                        if any((x + dx, y + dy) not in pixels for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))]
                dark_edge = sum(1 for x, y in edge if luma(*f.rgba[y][x][:3]) < 90)
                self.assertGreater(dark_edge / len(edge), 0.8, 'the edge is not dark all round')
                light = sum(1 for x, y in pixels if f.alpha(x, y) == 255 and luma(*f.rgba[y][x][:3]) > 170)
                self.assertGreater(light, 20, 'no light fill')

    def test_shows_on_every_background(self):
        for name in mf.CURSORS:
            f = load(name).frames[0]
            pixels = opaque_pixels(f)
            for ground, colour in BACKGROUNDS.items():
                with self.subTest(f'{name} on {ground}'):
                    standing_out = 0
                    for x, y in pixels:
                        r, g, b, a = f.rgba[y][x]
                        shown = [(c * a + k * (255 - a)) / 255 for c, k in zip((r, g, b), colour)]
                        if math.dist(shown, colour) > 120:
                            standing_out += 1
                    self.assertGreater(standing_out / len(pixels), 0.3)


if __name__ == '__main__':
    unittest.main()
