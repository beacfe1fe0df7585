"""The sounds: format PlaySound takes, lengths, loudness and headroom, seamless loops, and that they are
all distinct.

usage: test_sounds.py MEDIA_DIR FFMPEG"""
import cmath
import functools
import hashlib
import math
import re
import subprocess
import sys
import unittest

import mediafiles as mf

MEDIA = mf.media_dir()
FFMPEG = sys.argv.pop(1)
LIMIT = 32768 * 10 ** (-1 / 20)  # -1 dBFS
KEYS = [f'KEY{n}' for n in range(1, 6)]


def load(name):
    return mf.Wave(mf.path(MEDIA, f'WAV/{name}.WAV'))


@functools.cache
def loudness(name):
    """(loudest momentary loudness in LUFS, true peak in dBFS) from ffmpeg's EBU R128 meter, the sound
    followed by 400 ms of silence so that one shorter than the window is measured too."""
    run = subprocess.run([FFMPEG, '-nostdin', '-nostats', '-hide_banner', '-i', mf.path(MEDIA, f'WAV/{name}.WAV'),
                          '-af', 'apad=pad_dur=0.4,ebur128=peak=true', '-f', 'null', '-'],
                         capture_output=True, text=True, check=True)
    momentary = [float(m) for m in re.findall(r'M: *(-?[0-9.]+)', run.stderr)]
    peak = re.search(r'True peak:\s*Peak: *(-?[0-9.]+)', run.stderr)
    if not momentary or not peak:
        raise AssertionError(f'no loudness reading for {name}:\n{run.stderr}')
    return max(momentary), float(peak.group(1))


def figures(names):
    return ', '.join(f'{n} {loudness(n)[0]:.1f} LUFS / {loudness(n)[1]:.1f} dBTP' for n in names)


def rms(samples):
    return math.sqrt(sum(s * s for s in samples) / len(samples))


def spectrum(samples, size=4096):
    """Magnitudes of a Hann-windowed FFT of the first `size` samples (zero-padded)."""
    frame = list(samples[:size]) + [0] * max(0, size - len(samples))
    data = [complex(v * (0.5 - 0.5 * math.cos(2 * math.pi * i / size)), 0) for i, v in enumerate(frame)]
    j = 0
    for i in range(1, size):  # bit-reversal permutation
        bit = size >> 1
        while j & bit:
            j ^= bit
            bit >>= 1
        j |= bit
        if i < j:
            data[i], data[j] = data[j], data[i]
    length = 2
    while length <= size:
        step = cmath.exp(-2j * math.pi / length)
        for start in range(0, size, length):
            w = 1
            for k in range(length // 2):
                a, b = data[start + k], data[start + k + length // 2] * w
                data[start + k], data[start + k + length // 2] = a + b, a - b
                w *= step
        length *= 2
    return [abs(v) for v in data[:size // 2]]


class Format(unittest.TestCase):
    def test_every_sound_is_16_bit_mono_pcm_at_a_standard_rate(self):
        for name in mf.SOUNDS:
            with self.subTest(name):
                wave = load(name)  # raises on any structural fault
                self.assertIn(wave.rate, (22050, 44100))

    def test_lengths(self):
        for name in mf.SOUNDS:
            with self.subTest(name):
                low, high = (0.5, 2.0) if name in mf.LOOPS else (0.1, 1.5)
                self.assertGreaterEqual(load(name).seconds, low)
                self.assertLessEqual(load(name).seconds, high)


class Level(unittest.TestCase):
    def test_no_sample_above_minus_1_dbfs(self):
        for name in mf.SOUNDS:
            with self.subTest(name):
                peak = max(abs(s) for s in load(name).samples)
                self.assertLessEqual(peak, LIMIT)

    def test_true_peak_at_most_minus_1_dbfs(self):
        # Between the samples the reconstructed wave can rise above them; the meter oversamples.
        loud = [n for n in mf.SOUNDS if loudness(n)[1] > -1]
        self.assertEqual(loud, [], figures(mf.SOUNDS))

    def test_loud_enough_to_hear(self):
        # A sound levelled to near silence would be a broken generation step, not a design.
        quiet = [n for n in mf.SOUNDS if loudness(n)[0] < -30]
        self.assertEqual(quiet, [], figures(mf.SOUNDS))

    def test_the_five_keys_are_within_3_lu(self):
        levels = [loudness(n)[0] for n in KEYS]
        self.assertLessEqual(max(levels) - min(levels), 3, figures(KEYS))

    def test_all_sounds_are_within_10_lu(self):
        levels = [loudness(n)[0] for n in mf.SOUNDS]
        self.assertLessEqual(max(levels) - min(levels), 10, figures(mf.SOUNDS))

    def test_one_shots_start_and_end_quietly(self):
        # A sound that starts or stops at full level clicks; the loops are checked at their seam instead.
        for name in mf.SOUNDS:
            if name in mf.LOOPS:
                continue
            with self.subTest(name):
                s = load(name).samples
                self.assertLess(abs(s[0]), 0.05 * 32768)
                self.assertLess(abs(s[-1]), 0.05 * 32768)


class Loops(unittest.TestCase):
    def test_seam_jump_is_no_bigger_than_the_sounds_own_steps(self):
        for name in mf.LOOPS:
            with self.subTest(name):
                s = load(name).samples
                steps = sorted(abs(b - a) for a, b in zip(s, s[1:]))
                typical = steps[int(0.99 * (len(steps) - 1))]
                jump = abs(s[0] - s[-1])
                self.assertLessEqual(jump, 1.5 * typical + 2, f'seam jump {jump}, 99th percentile step {typical}')

    def test_no_fade_at_the_seam(self):
        # Fading both ends to silence avoids a click but leaves a gap every time the loop comes round.
        for name in mf.LOOPS:
            with self.subTest(name):
                wave = load(name)
                edge = wave.rate // 50  # 20 ms
                whole = rms(wave.samples)
                self.assertGreater(rms(wave.samples[:edge]), 0.3 * whole)
                self.assertGreater(rms(wave.samples[-edge:]), 0.3 * whole)

    def test_slope_continues_across_the_seam(self):
        # The second difference across the seam must look like the ones inside the sound: a waveform
        # that is continuous but kinked at the seam still buzzes on every repeat.
        for name in mf.LOOPS:
            with self.subTest(name):
                s = load(name).samples
                curves = sorted(abs(s[i + 1] - 2 * s[i] + s[i - 1]) for i in range(1, len(s) - 1))
                typical = curves[int(0.99 * (len(curves) - 1))]
                seam = max(abs(s[0] - 2 * s[-1] + s[-2]), abs(s[1] - 2 * s[0] + s[-1]))
                self.assertLessEqual(seam, 1.5 * typical + 2)


class Distinct(unittest.TestCase):
    def test_no_two_sounds_are_the_same(self):
        seen = {}
        for name in mf.SOUNDS:
            digest = hashlib.sha256(repr(load(name).samples).encode()).hexdigest()
            if digest in seen:
                self.fail(f'{name} is the same as {seen[digest]}')
            seen[digest] = name

    def test_the_five_keys_sound_different(self):
        # Compared by spectrum: different notes or timbres give clearly different spectra.
        spectra = {}
        for n in range(1, 6):
            wave = load(f'KEY{n}')
            skip = wave.rate // 100
            spectra[n] = spectrum(wave.samples[skip:])
        for a in range(1, 6):
            for b in range(a + 1, 6):
                with self.subTest(f'KEY{a} vs KEY{b}'):
                    x, y = spectra[a], spectra[b]
                    cosine = sum(p * q for p, q in zip(x, y)) / math.sqrt(sum(p * p for p in x) * sum(q * q for q in y))
                    self.assertLess(cosine, 0.8)


if __name__ == '__main__':
    unittest.main()
