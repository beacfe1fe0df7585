"""Generating the media set again from the same sources gives the same bytes (no timestamps, no
unseeded noise), so a rebuild never shows up as a change.

usage: test_reproducible.py MEDIA_DIR MEDIA_SOURCE_DIR CMAKE"""
import filecmp
import os
import subprocess
import sys
import tempfile
import unittest

import mediafiles as mf

MEDIA = mf.media_dir()
SOURCE = sys.argv.pop(1)
CMAKE = sys.argv.pop(1)


class Reproducible(unittest.TestCase):
    def test_second_generation_is_identical(self):
        names = ([f'WAV/{n}.WAV' for n in mf.SOUNDS] + mf.ICONS + mf.CURSORS
                 + [mf.BITMAP, 'mimitap.txt', 'contact-sheet.png'])
        with tempfile.TemporaryDirectory() as tmp:
            out = os.path.join(tmp, 'out')
            for command in ([CMAKE, '-S', SOURCE, '-B', os.path.join(tmp, 'build'), f'-DMIMI_MEDIA_DIR={out}'],
                            [CMAKE, '--build', os.path.join(tmp, 'build'), '-j2']):
                run = subprocess.run(command, capture_output=True, text=True)
                self.assertEqual(run.returncode, 0, run.stdout + run.stderr)
            for name in names:
                with self.subTest(name):
                    self.assertTrue(filecmp.cmp(mf.path(MEDIA, name), mf.path(out, name), shallow=False))


if __name__ == '__main__':
    unittest.main()
