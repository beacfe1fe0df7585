"""A long random play session: keys, clicks, drags, wheel turns, effects menus with their effects and
the picture popup, in a seeded order so that a failing run can be played again. Afterwards the toy
still runs, answers a key with its sound and fill, has no menu or popup left open, and holds no
more threads or memory than after its warm-up.

By hand:  python3 toy/soak.py --events 100000 [--seed N]
As a test it plays the short form (about a minute under Wine)."""

import argparse
import random
import sys
import time
import unittest

from toysupport import FILL_COLORS, KEY_SOUNDS, VK, ToyTestCase, wait_until

from harness import wait_for_value

SHORT_EVENTS = 6000
WARM_UP_EVENTS = 300
BATCH_EVENTS = 40
PROGRESS_EVENTS = 10000

WM_KEYDOWN = 0x0100
OPTIONS = {"keywav": 1, "otherwav": 1, "time": 0}

# Keys that answer at once: none of them opens a menu, and none is a grown-up's way out.
PLAIN_KEYS = ([VK.letter(c) for c in "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"]
              + [VK.LEFT, VK.UP, VK.RIGHT, VK.DOWN, VK.RETURN, VK.CONTROL, VK.MENU, VK.SPACE,
                 VK.F2, VK.F3, VK.F6, VK.F7, VK.F10, VK.F11])
MENU_KEYS = [VK.F1, VK.F4, VK.F5, VK.F8, VK.F9, VK.F12]
EFFECT_LETTERS = "SBMCLPY"  # the effects menu's items after the first
POPUP_LETTERS = "QT"        # the first item: the picture popup

# Back within this much of the warm-up's figures once every effect and sound has ended.
THREAD_SLACK = 1
MEMORY_SLACK = 4 * 1024 * 1024
HANDLE_SLACK = 10


class RandomPlay:
    """Plays `count` random events on a running toy. Plain events go to the driver in batches;
    an effects menu is opened, looked at and answered one at a time."""

    def __init__(self, test, toy, rng):
        self.test, self.toy, self.rng = test, toy, rng
        self.driver = test.driver
        self.width, self.height = self.driver.screen_size()
        self.counts = {"menus": 0, "effects": 0, "popups": 0}

    def point(self):
        return self.rng.randrange(self.width), self.rng.randrange(self.height)

    def plain_event(self):
        """The driver commands of one event that opens no menu."""
        kind = self.rng.choices(["key", "click", "drag", "wheel"], weights=[60, 16, 10, 10])[0]
        if kind == "key":
            return [("key", self.rng.choice(PLAIN_KEYS), "tap", "--gap=5")]
        if kind == "click":
            return [("move", *self.point()), ("button", self.rng.choice(["left", "left", "middle"]), "click", "--gap=5")]
        if kind == "wheel":
            return [("wheel", self.rng.choice([120, -120, 240, -240]))]
        path = [self.point() for _ in range(self.rng.randint(2, 4))]
        commands = [("move", *path[0]), ("button", "left", "down")]
        commands += [("move", x, y, "--steps=3", "--gap=5") for x, y in path[1:]]
        return commands + [("button", "left", "up")]

    def play(self, count):
        pending, events = [], 0
        while events < count:
            events += 1
            if self.rng.random() < 0.04:
                self.flush(pending)
                self.menu_event()
                continue
            pending += self.plain_event()
            if len(pending) >= BATCH_EVENTS:
                self.flush(pending)
        self.flush(pending)

    def flush(self, pending):
        if pending:
            self.driver.batch(pending)
            pending.clear()

    def open_menu(self):
        if self.rng.random() < 0.5:
            self.driver.batch([("move", *self.point()), ("button", "right", "down"), ("button", "right", "up")])
        else:
            self.driver.tap(self.rng.choice(MENU_KEYS), gap_ms=5)
        return wait_until(self.toy.menu, 5, message="no effects menu after a right click or a menu key")

    def menu_event(self):
        self.open_menu()
        self.counts["menus"] += 1
        answer = self.rng.random()
        if answer < 0.3:
            self.driver.tap(VK.ESCAPE, gap_ms=5)
        elif answer < 0.5:
            self.driver.tap(VK.letter(self.rng.choice(POPUP_LETTERS)), gap_ms=5)
        else:
            self.driver.tap(VK.letter(self.rng.choice(EFFECT_LETTERS)), gap_ms=5)
            self.counts["effects"] += 1
        wait_until(lambda: self.toy.menu() is None, 5, message="the effects menu stayed open")
        if 0.3 <= answer < 0.5:
            self.popup()

    def popup(self):
        # Keys reach it once it has the focus (a key before that is the frame's).
        popup = wait_until(lambda: next((d for d in self.toy.program.dialogs() if d.foreground), None), 5,
                           message="no picture popup in front")
        self.counts["popups"] += 1
        x, y = popup.rect.center
        commands = [("move", x, y)] + [("wheel", self.rng.choice([120, -120]))
                                       for _ in range(self.rng.randint(0, 3))]
        # (Not the right button: under Wine its release may open the effects menu while the
        # desktop still holds the focus the popup gave up, and no key reaches that menu.)
        way = self.rng.choice(["key", "key", "middle"])
        if way == "key":
            commands.append(("key", self.rng.choice(PLAIN_KEYS), "tap", "--gap=5"))
        else:
            # At the popup whatever happened to the pointer since the move.
            commands.append(("button", way, "click", "--gap=5", f"--at={x},{y}"))
        self.driver.batch(commands)
        wait_until(lambda: not self.toy.program.dialogs(), 5, message=f"the picture popup stayed open after {commands}")


class Soak(ToyTestCase):
    events = SHORT_EVENTS
    seed = 1

    def stop_effects_and_settle(self, toy):
        """A menu key's press alone asks every running effect to stop; then nothing draws or plays."""
        self.driver.post(toy.surface.hwnd, WM_KEYDOWN, VK.F1, 0)
        toy.settle(quiet=1.0, timeout=30)

    def test_random_play_leaves_the_toy_running_answering_and_as_lean_as_after_warm_up(self):
        toy = self.start_toy(options=OPTIONS)
        pid = toy.program.pid
        play = RandomPlay(self, toy, random.Random(self.seed))
        play.play(WARM_UP_EVENTS)
        self.stop_effects_and_settle(toy)
        before = self.driver.proc_stats(pid)

        started, since = time.monotonic(), self.driver.tick()
        for done in range(0, self.events, PROGRESS_EVENTS):
            play.play(min(PROGRESS_EVENTS, self.events - done))
            if self.events > PROGRESS_EVENTS:  # the long form shows how it goes
                now = self.driver.proc_stats(pid)
                print(f"soak: {done + PROGRESS_EVENTS} events, {time.monotonic() - started:.0f} s, "
                      f"threads {now['threads']}, committed {now['committed'] / 1048576:.1f} MiB", file=sys.stderr)
        seconds = time.monotonic() - started
        sounds = sum(1 for c in toy.sounds.calls(since) if c.started)

        self.assertTrue(toy.program.running(), f"the toy ended (exit {toy.program.exit_code})")
        self.assertEqual([], self.driver.dialogs(pid=pid), "a popup or message box stayed open")
        self.assertIsNone(toy.menu(), "a menu stayed open")
        self.stop_effects_and_settle(toy)
        # Every effect's thread has ended, and what effects and sounds opened is closed again.
        after = wait_for_value(lambda: self.driver.proc_stats(pid),
                               lambda s: (s["threads"] <= before["threads"] + THREAD_SLACK
                                          and s["handles"] <= before["handles"] + HANDLE_SLACK), 15,
                               message=f"threads or handles stayed above {before}")
        print(f"\nsoak: seed {self.seed}, {self.events} events in {seconds:.1f} s "
              f"({self.events / seconds:.0f}/s; {play.counts['menus']} menus, {play.counts['effects']} effects, "
              f"{play.counts['popups']} popups, {sounds} sounds); threads {before['threads']} -> {after['threads']}, "
              f"handles {before['handles']} -> {after['handles']}, "
              f"committed {before['committed'] / 1048576:.1f} -> {after['committed'] / 1048576:.1f} MiB",
              file=sys.stderr)
        self.assertGreater(before["committed"], 0, "no memory figure to compare")
        self.assertGreater(before["handles"], 0, "no handle count to compare")
        self.assertLess(after["committed"], before["committed"] + MEMORY_SLACK, f"memory grew: {before} -> {after}")

        # It still answers: the Alt key's mosaic, then a letter's sound and one fill over it all.
        self.driver.tap(VK.MENU)
        wait_until(lambda: len(self.driver.screenshot().colours()) > 100, 5, message="Alt drew no mosaic")
        since = self.driver.tick()
        self.driver.tap(VK.letter("A"))
        toy.sounds.wait_for(lambda c: c.started and c.basename.upper() in KEY_SOUNDS, since=since)
        wait_until(lambda: (lambda s: len(set(s)) == 1 and s[0] in FILL_COLORS)(toy.sample()), 5,
                   message="the letter filled nothing")
        # Only the frame shows: no menu, popup or other window of the toy is left.
        self.assertEqual([toy.frame.hwnd], [w.hwnd for w in self.driver.windows(pid=pid, visible=True)])
        self.assertTrue(toy.program.running())


if __name__ == "__main__":
    parser = argparse.ArgumentParser(add_help=False)
    parser.add_argument("--events", type=int, default=SHORT_EVENTS, help="events after the warm-up")
    parser.add_argument("--seed", type=int, default=Soak.seed, help="seed of the random order")
    options, rest = parser.parse_known_args()
    Soak.events, Soak.seed = options.events, options.seed
    unittest.main(argv=[sys.argv[0], *rest])
