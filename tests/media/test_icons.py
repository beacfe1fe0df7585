"""The icons: ICO structure every LoadImage reads, frame sizes (large ones too) and order, alpha and mask,
and content."""
import colorsys
import hashlib
import unittest

import mediafiles as mf

MEDIA = mf.media_dir()
SPRINKLED = [f'PMENUICO/PMENU{n}.ICO' for n in range(1, 6)]  # a held key draws these up to 192 pixels square
_cache = {}


def load(name):
    if name not in _cache:
        _cache[name] = mf.IconFile(mf.path(MEDIA, name))
    return _cache[name]


def frame(name, size):
    return next(f for f in load(name).frames if f.width == size)


class Structure(unittest.TestCase):
    def test_32_bit_frames_32_first_and_16_32_48_among_them(self):
        for name in mf.ICONS:
            with self.subTest(name):
                icon = load(name)
                self.assertEqual(icon.kind, 1)
                sizes = [f.width for f in icon.frames]
                self.assertEqual(sizes[0], 32)
                self.assertLessEqual({16, 32, 48}, set(sizes))
                self.assertEqual(len(sizes), len(set(sizes)), 'a size twice')
                for f in icon.frames:
                    self.assertEqual(f.width, f.height)
                    self.assertEqual(f.entry, {'planes': 1, 'bitcount': 32})

    def test_sprinkled_icons_hold_a_frame_as_large_as_they_are_drawn(self):
        # Otherwise the system stretches a small frame into a blurred, blocky picture.
        for name in SPRINKLED:
            with self.subTest(name):
                self.assertGreaterEqual(max(f.width for f in load(name).frames), 192)

    def test_only_the_256_frame_is_png(self):
        # Windows Vista and later expect the 256 frame as PNG; older loaders read DIBs only.
        for name in mf.ICONS:
            for f in load(name).frames:
                with self.subTest(f'{name} {f.width}'):
                    self.assertEqual(f.png, f.width == 256)

    def test_alpha_is_used(self):
        for name in mf.ICONS:
            for f in load(name).frames:
                with self.subTest(f'{name} {f.width}'):
                    alphas = {a for row in f.rgba for *_, a in row}
                    self.assertIn(0, alphas, 'no transparent pixel')
                    self.assertIn(255, alphas, 'no opaque pixel')
                    self.assertGreater(len(alphas), 2, 'no soft edges')

    def test_and_mask_follows_alpha(self):
        # Drawn without alpha blending, the mask alone decides the shape.
        for name in mf.ICONS:
            for f in load(name).frames:
                if f.png:  # a PNG frame has no mask
                    continue
                with self.subTest(f'{name} {f.width}'):
                    for y in range(f.height):
                        for x in range(f.width):
                            a = f.alpha(x, y)
                            if a == 0:
                                self.assertEqual(f.mask[y][x], 1, (x, y))
                            elif a == 255:
                                self.assertEqual(f.mask[y][x], 0, (x, y))


class Content(unittest.TestCase):
    def test_picture_fills_a_fair_part_of_the_frame(self):
        for name in mf.ICONS:
            with self.subTest(name):
                f = frame(name, 32)
                covered = sum(1 for row in f.rgba for *_, a in row if a >= 128) / (32 * 32)
                self.assertGreater(covered, 0.15)
                self.assertLess(covered, 0.95)

    def test_all_frames_show_the_same_picture(self):
        # Every larger frame shrunk to 16 must match the 16 frame's shape, so no frame is another icon's.
        for name in mf.ICONS:
            small = frame(name, 16)
            for big in load(name).frames:
                with self.subTest(f'{name} {big.width}'):
                    k = big.width // 16
                    diff = 0
                    for y in range(16):
                        for x in range(16):
                            mean = sum(big.alpha(k * x + i, k * y + j) for i in range(k) for j in range(k)) / k ** 2
                            diff += abs(mean - small.alpha(x, y))
                    self.assertLess(diff / 256, 15)

    def test_every_icon_is_different(self):
        seen = {}
        for name in mf.ICONS:
            key = hashlib.sha256(repr(frame(name, 32).rgba).encode()).hexdigest()
            if key in seen:
                self.fail(f'{name} is the same as {seen[key]}')
            seen[key] = name

    def test_sparkles_come_in_eight_different_colours(self):
        hues = {}
        for n in range(1, 9):
            f = frame(f'ICON/KIRA{n}.ICO', 48)
            r = g = b = count = 0
            for row in f.rgba:
                for pr, pg, pb, pa in row:
                    h, s, v = colorsys.rgb_to_hsv(pr / 255, pg / 255, pb / 255)
                    if pa == 255 and s > 0.5 and v > 0.5:  # the coloured fill, not outline or highlights
                        r, g, b, count = r + pr, g + pg, b + pb, count + 1
            self.assertGreater(count, 50, f'KIRA{n} has hardly any colour')
            hues[n] = colorsys.rgb_to_hsv(r / count / 255, g / count / 255, b / count / 255)[0] * 360
        for a in range(1, 9):
            for b in range(a + 1, 9):
                with self.subTest(f'KIRA{a} vs KIRA{b}'):
                    gap = abs(hues[a] - hues[b])
                    self.assertGreater(min(gap, 360 - gap), 12)

    def test_mouse_phases_and_directions_differ(self):
        shapes = {n: [[a >= 128 for *_, a in row] for row in frame(f'ICON/CYUU{n}.ICO', 32).rgba]
                  for n in range(1, 5)}

        def overlap(a, b):
            both = sum(p and q for ra, rb in zip(shapes[a], shapes[b]) for p, q in zip(ra, rb))
            either = sum(p or q for ra, rb in zip(shapes[a], shapes[b]) for p, q in zip(ra, rb))
            return both / either

        # Two phases of one direction share the body; the two directions do not line up.
        for same in ((1, 3), (2, 4)):
            self.assertGreater(overlap(*same), 0.7)
            self.assertLess(overlap(*same), 1.0)
        for other in ((1, 2), (3, 4)):
            self.assertLess(overlap(*other), overlap(1, 3))

    def test_mouse_flies_down_left_then_up_right(self):
        # The jet flame (the yellow-orange pixels) trails behind the mouse: up-right of its middle when
        # it flies down-left (1 and 3), down-left of it when it flies up-right (2 and 4).
        for n in range(1, 5):
            with self.subTest(f'CYUU{n}'):
                f = frame(f'ICON/CYUU{n}.ICO', 48)
                body, flame = [], []
                for y, row in enumerate(f.rgba):
                    for x, (r, g, b, a) in enumerate(row):
                        if a < 128:
                            continue
                        body.append((x, y))
                        h, s, v = colorsys.rgb_to_hsv(r / 255, g / 255, b / 255)
                        if 25 <= h * 360 <= 60 and s > 0.5 and v > 0.8:
                            flame.append((x, y))
                self.assertGreater(len(flame), 10, 'no flame')
                dx = sum(x for x, _ in flame) / len(flame) - sum(x for x, _ in body) / len(body)
                dy = sum(y for _, y in flame) / len(flame) - sum(y for _, y in body) / len(body)
                if n % 2:
                    self.assertTrue(dx > 3 and dy < -3, (dx, dy))
                else:
                    self.assertTrue(dx < -3 and dy > 3, (dx, dy))


if __name__ == '__main__':
    unittest.main()
