"""A child's palms on the keyboard never let the child out: smashes that hold the grown-up keys
(Shift+Esc, Alt+F4) among others neither open the grown-up menu nor close the toy, a smash closes
the grown-up menu unchosen, and a minute of random smashing leaves the toy running in front. The
smashed keys still make their sounds; a grown-up's chord still works afterwards. Both keyboard hooks
(Windows NT and 95/98/Me), with Alt+F4 forbidden and allowed.

By hand, the long form:  python3 toy/test_smash.py --minutes 60 [--seed N]"""

import argparse
import random
import sys
import time
import unittest

from toysupport import KEY_SOUNDS, VK, ToyTestCase, wait_until

# Each smash's keys as (key, pressed at ms, released at ms). The modifier lands a moment first, as
# a grown-up's would, so that only the other keys tell the smash from a chord.
SMASHES = {
    "Shift+Z+Esc+X": [(VK.SHIFT, 0, 420), (VK.letter("Z"), 250, 380), (VK.ESCAPE, 270, 390),
                      (VK.letter("X"), 300, 400)],
    "Shift+Esc, X before the Esc release": [(VK.SHIFT, 0, 420), (VK.ESCAPE, 250, 360), (VK.letter("X"), 300, 380)],
    "Alt+F3+F4": [(VK.MENU, 0, 420), (VK.F3, 250, 350), (VK.F4, 270, 360)],
    "Alt+F4+G": [(VK.MENU, 0, 420), (VK.F4, 250, 350), (VK.letter("G"), 300, 380)],
}
# A smash while the grown-up menu is open, one with a key the keyboard hook swallows.
MENU_SMASHES = {"Z+X": [(VK.letter("Z"), 0, 150), (VK.letter("X"), 30, 160)],
                "Windows+S": [(VK.LWIN, 0, 150), (VK.letter("S"), 30, 160)]}

BATCH = 50
WM_CLOSE = 0x0010

# The toddler: six rows of a full keyboard; a palm is one to four neighbouring keys in a row or the
# rows beside it, within 60 ms, held 80-300 ms (one palm in ten leans 0.5-2 s); three smashes in ten
# are both hands, the second landing within 100 ms; about two smashes a second.
ROWS = [
    [VK.ESCAPE] + list(range(VK.F1, VK.F12 + 1)) + [VK.SNAPSHOT, VK.SCROLL, VK.PAUSE],
    [VK.OEM_3] + [VK.letter(c) for c in "1234567890"] + [VK.OEM_MINUS, VK.OEM_PLUS, VK.BACK, VK.INSERT, VK.HOME,
                                                         VK.PRIOR, VK.NUMLOCK, VK.DIVIDE, VK.MULTIPLY, VK.SUBTRACT],
    [VK.TAB] + [VK.letter(c) for c in "QWERTYUIOP"] + [VK.OEM_4, VK.OEM_6, VK.OEM_5, VK.DELETE, VK.END, VK.NEXT,
                                                       VK.NUMPAD7, VK.NUMPAD8, VK.NUMPAD9, VK.ADD],
    [VK.CAPITAL] + [VK.letter(c) for c in "ASDFGHJKL"] + [VK.OEM_1, VK.OEM_7, VK.RETURN, VK.NUMPAD4, VK.NUMPAD5,
                                                          VK.NUMPAD6],
    [VK.LSHIFT] + [VK.letter(c) for c in "ZXCVBNM"] + [VK.OEM_COMMA, VK.OEM_PERIOD, VK.OEM_2, VK.RSHIFT, VK.UP,
                                                      VK.NUMPAD1, VK.NUMPAD2, VK.NUMPAD3],
    [VK.LCONTROL, VK.LWIN, VK.LMENU, VK.NONCONVERT, VK.SPACE, VK.CONVERT, VK.RMENU, VK.RWIN, VK.APPS, VK.RCONTROL,
     VK.LEFT, VK.DOWN, VK.RIGHT, VK.NUMPAD0, VK.DECIMAL],
]


def palm(rng, at):
    row, place, keys, size = rng.randrange(len(ROWS)), rng.random(), [], rng.randint(1, 4)
    held = (500, 2000) if rng.random() < 0.1 else (80, 300)
    while len(keys) < size:
        key = ROWS[row][min(len(ROWS[row]) - 1, int(place * len(ROWS[row])))]
        if key not in [k for k, _, _ in keys]:
            down = at + rng.randint(0, 60)
            keys.append((key, down, down + rng.randint(*held)))
        if rng.random() < 0.7:
            place = min(0.999, max(0.0, place + rng.choice((-1, 1)) / len(ROWS[row])))
        else:
            row = max(0, min(len(ROWS) - 1, row + rng.choice((-1, 1))))
    return keys


def smashing(rng, seconds):
    """The key presses of `seconds` of smashing; a long lean overlaps the smashes after it."""
    presses, at = [], 0
    while at < seconds * 1000:
        presses += palm(rng, at) + (palm(rng, at + rng.randint(0, 100)) if rng.random() < 0.3 else [])
        at += rng.randint(350, 650)
    return presses


def commands(presses):
    """The driver commands that press and release the keys at their times. A key pressed again
    while down repeats; it goes up at its first release."""
    events, down = [], set()
    for at, action, key in sorted([(d, "down", k) for k, d, _ in presses] + [(u, "up", k) for k, _, u in presses]):
        if action == "up" and key not in down:
            continue
        (down.add if action == "down" else down.discard)(key)
        events.append((at, action, key))
    gaps = [later[0] - now[0] for now, later in zip(events, events[1:])] + [0]
    return [("key", key, action, f"--after={gap}") for (_, action, key), gap in zip(events, gaps)]


class Smash(ToyTestCase):
    minutes = 1.0
    seed = 1

    def assert_playing(self, toy, what):
        self.assertTrue(toy.program.running(), f"{what}: the toy ended")
        front = wait_until(lambda: self.driver.foreground().get("window"), 5, message=f"{what}: nothing in front")
        self.assertEqual(toy.program.pid, front.pid, f"{what}: {front} is in front")
        self.assertIsNone(toy.menu(), f"{what}: a menu is open")

    def test_smashes_never_open_the_grown_up_menu_or_close_the_toy(self):
        for version, endaltf4 in ((None, 0), ("win98", 1)):
            self.driver.set_windows_version("mimitap.exe", version)
            self.addCleanup(self.driver.set_windows_version, "mimitap.exe", None)
            toy = self.start_toy(options={"keywav": 1, "otherwav": 1, "endaltf4": endaltf4})
            for name, presses in SMASHES.items():
                with self.subTest(f"{version or 'NT'}, endaltf4={endaltf4}: {name}"):
                    since = self.driver.tick()
                    self.driver.batch(commands(presses))
                    toy.settle()
                    self.assert_playing(toy, name)
                    played = [c for c in toy.sounds.calls(since) if c.started and c.basename.upper() in KEY_SOUNDS]
                    self.assertTrue(played, f"{name}: the smashed keys made no sound")
            if not endaltf4:
                self.driver.chord(VK.MENU, VK.F4)
                toy.settle()
                self.assert_playing(toy, "Alt+F4 with endaltf4=0")
            for name, presses in MENU_SMASHES.items():
                with self.subTest(f"{version or 'NT'}: {name} in the grown-up menu"):
                    self.driver.chord(VK.SHIFT, VK.ESCAPE)
                    wait_until(toy.menu, 10, message="a grown-up's Shift+Esc opened no menu")
                    self.driver.batch(commands(presses))
                    wait_until(lambda: toy.menu() is None, 10, message=f"{name} left the grown-up menu open")
                    toy.settle()
                    self.assert_playing(toy, name)
            if endaltf4:
                self.driver.chord(VK.MENU, VK.F4)
                self.assertEqual(0, toy.program.wait_exit(15), "a grown-up's Alt+F4 did not close the toy")
            else:
                self.driver.post(toy.frame.hwnd, WM_CLOSE)
                self.assertEqual(0, toy.program.wait_exit(15))

    def test_a_minute_of_smashing_leaves_the_toy_running_in_front(self):
        toy = self.start_toy(options={"keywav": 1, "otherwav": 1, "endaltf4": 1})
        sequence = commands(smashing(random.Random(self.seed), self.minutes * 60))
        started = time.monotonic()
        for first in range(0, len(sequence), BATCH):
            self.driver.batch(sequence[first:first + BATCH])
            self.assertTrue(toy.program.running(), f"the toy ended (seed {self.seed}, {first} key events)")
        print(f"\nsmash: seed {self.seed}, {len(sequence)} key events in {time.monotonic() - started:.0f} s",
              file=sys.stderr)
        # Whatever the child last opened (an effects menu, the picture popup) belongs to the toy.
        front = wait_until(lambda: self.driver.foreground().get("window"), 5, message="nothing in front")
        self.assertEqual(toy.program.pid, front.pid, f"{front} is in front after the smashing")


if __name__ == "__main__":
    parser = argparse.ArgumentParser(add_help=False)
    parser.add_argument("--minutes", type=float, default=Smash.minutes, help="minutes of smashing")
    parser.add_argument("--seed", type=int, default=Smash.seed, help="seed of the smashes")
    options, rest = parser.parse_known_args()
    Smash.minutes, Smash.seed = options.minutes, options.seed
    unittest.main(argv=[sys.argv[0], *rest])
