"""The effects end to end: each command starts its effect on a thread of its own, which draws while
the child keeps playing, plays its sound in its mode, stops within a step when asked, and leaves
nothing behind: not when the toy closes in the middle of it, not after a hundred of them."""

import unittest

from toysupport import FILL_COLORS, KEY_SOUNDS, LOOP, PLAY, VK, WM_COMMAND, ToyTestCase, wait_still, wait_until

WM_KEYDOWN = 0x0100
WHITE = (255, 255, 255)
# Command id: the sound the effect plays and its mode.
EFFECTS = {131: ("RMM.WAV", PLAY), 132: ("STAR.WAV", PLAY), 133: ("PON.WAV", PLAY), 134: ("BOM.WAV", LOOP),
           146: ("SYU.WAV", LOOP), 147: ("WWP.WAV", PLAY), 148: ("TEN.WAV", PLAY)}
SHOCKWAVE = 134
LONG_EFFECTS = [c for c in EFFECTS if c != SHOCKWAVE]  # those that run for seconds


class EffectsCase(ToyTestCase):
    def start_effect(self, toy, command):
        self.driver.post(toy.surface.hwnd, WM_COMMAND, command, 0)

    def wake(self):
        """Wine shows what another thread drew once the toy's interface thread runs again: a
        one-pixel move makes it run."""
        x, y = self.driver.cursor()
        self.driver.move(x + 1, y)
        self.driver.move(x, y)

    def screen(self):
        self.wake()
        return self.driver.screenshot()

    def drawing(self, before, timeout=5.0):
        """Waits until the screen differs from `before`; returns the new screen."""
        return wait_until(lambda: (lambda s: s if s.differs_from(before) else None)(self.screen()), timeout,
                          message="the effect drew nothing")

    def still(self, quiet=0.5, timeout=5.0):
        """Waits until nothing is drawn any more for `quiet` seconds; returns the screen."""
        return wait_still(self.screen, quiet, timeout, key=lambda shot: shot.rgb,
                          message="the effect went on drawing after it was asked to stop")

    def centre_cursor(self, toy):
        self.driver.move(*toy.surface.rect.center)


class Effects(EffectsCase):
    def setUp(self):
        super().setUp()
        self.toy = self.start_toy(options={"keywav": 1, "otherwav": 1})
        self.centre_cursor(self.toy)

    def test_each_effect_draws_plays_its_sound_lets_keys_through_and_stops_on_request(self):
        stops = [("right button", lambda: self.driver.button_down("right")),
                 ("F1", lambda: self.driver.key_down(VK.F1)),
                 ("Apps", lambda: self.driver.key_down(VK.APPS))]
        releases = {"right button": lambda: self.driver.button_up("right"), "F1": lambda: self.driver.key_up(VK.F1),
                    "Apps": lambda: self.driver.key_up(VK.APPS)}
        for n, command in enumerate(LONG_EFFECTS):
            name, mode = EFFECTS[command]
            stop_name, stop = stops[n % len(stops)]
            with self.subTest(command=command, sound=name, stop=stop_name):
                self.driver.tap(VK.letter("A"))
                before = self.toy.settle()
                since = self.driver.tick()
                self.start_effect(self.toy, command)
                call = self.toy.sounds.wait_for(lambda c: c.started and c.basename.upper() == name, since=since)
                self.assertEqual(mode, call.flags, f"{name} played in the wrong mode")
                self.drawing(before)

                # A key still answers at once, with its sound and its fill, while the effect draws.
                key_since = self.driver.tick()
                self.driver.tap(VK.letter("B"))
                key = self.toy.sounds.wait_for(lambda c: c.started and c.basename.upper() in KEY_SOUNDS,
                                               since=key_since)
                self.assertIsNotNone(key)
                screen = self.screen()
                common = max(screen.colours().items(), key=lambda item: item[1])
                self.assertIn(common[0], FILL_COLORS, "no key fill under the effect")

                # The stop request: the sound stops, the drawing stays and no more comes.
                stop_since = self.driver.tick()
                stop()
                try:
                    self.toy.sounds.wait_for(lambda c: c.stop, since=stop_since, timeout=5)
                    after = self.still()
                finally:
                    releases[stop_name]()
                self.toy.close_menu()  # the release opens the effects menu
                self.assertGreater(after.differs_from(before), 0, "the drawing did not stay")

    def test_function_keys_that_open_no_menu_do_not_stop_an_effect(self):
        self.start_effect(self.toy, 148)
        since = self.driver.tick()
        self.toy.sounds.wait_for(lambda c: c.started and c.basename.upper() == "TEN.WAV", since=since)
        for key in (VK.F2, VK.F3, VK.F6, VK.F7):
            self.driver.tap(key)
        # Still drawing: the screen keeps changing after those keys' fills.
        first = self.screen()
        self.drawing(first)
        self.driver.key_down(VK.F1)
        self.still()
        self.driver.key_up(VK.F1)
        self.toy.close_menu()

    def test_shockwave_ends_white_at_the_centre_and_leaves_its_rings_when_stopped(self):
        since = self.driver.tick()
        self.start_effect(self.toy, SHOCKWAVE)
        rumble = self.toy.sounds.wait_for(lambda c: c.started and c.basename.upper() == "BOM.WAV", since=since)
        self.assertEqual(LOOP, rumble.flags)
        self.toy.sounds.wait_for(lambda c: c.stop, since=since, timeout=30)
        wiped = self.still()
        self.assertEqual(wiped.width * wiped.height, wiped.count(WHITE), "the shockwave did not end white")

        # A fill that is not white (one in ten is), so that a stop before the first ring cannot
        # pass for the wipe.
        for _ in range(10):
            self.driver.tap(VK.letter("A"))
            self.toy.settle()
            if WHITE not in self.toy.sample():
                break
        self.start_effect(self.toy, SHOCKWAVE)
        self.driver.button_down("right")
        stopped = self.still()
        self.driver.button_up("right")
        self.toy.close_menu()
        self.assertLess(stopped.count(WHITE), stopped.width * stopped.height, "wiped although it was stopped")


    def test_one_request_stops_every_running_effect(self):
        before = self.toy.settle()
        since = self.driver.tick()
        for command in (131, 147):  # both run side by side: the second start does not end the first
            self.start_effect(self.toy, command)
        self.toy.sounds.wait_for(lambda c: c.started and c.basename.upper() == "WWP.WAV", since=since)
        self.drawing(before)
        self.driver.button_down("right")
        self.still()
        self.driver.button_up("right")
        self.toy.close_menu()


class EffectsWithoutSounds(EffectsCase):
    def test_effects_run_silently_and_their_end_still_stops_any_sound(self):
        toy = self.start_toy(options={"keywav": 1, "otherwav": 0})
        self.centre_cursor(toy)
        before = toy.settle()
        since = self.driver.tick()
        self.start_effect(toy, 148)
        self.drawing(before)
        # A key sound plays over the effect, and the effect's end cuts it off.
        self.driver.tap(VK.letter("A"))
        key = toy.sounds.wait_for(lambda c: c.started and c.basename.upper() in KEY_SOUNDS, since=since)
        self.driver.post(toy.surface.hwnd, WM_KEYDOWN, VK.F1, 0)
        toy.sounds.wait_for(lambda c: c.stop and c.time >= key.time, since=since)
        self.still()
        played = [c.basename for c in toy.sounds.calls(since) if c.started]
        self.assertEqual([key.basename], played, "an effect played a sound with other sounds off")


class EffectsAndExit(EffectsCase):
    def test_closing_the_toy_while_an_effect_runs_ends_it_promptly_and_cleanly(self):
        width, height = self.driver.screen_size()
        for command in EFFECTS:
            with self.subTest(command=command):
                toy = self.start_toy(options={"keywav": 1, "otherwav": 1})
                self.centre_cursor(toy)
                since = self.driver.tick()
                self.start_effect(toy, command)
                toy.sounds.wait_for(lambda c: c.started and c.basename.upper() == EFFECTS[command][0], since=since)
                self.driver.chord(VK.MENU, VK.F4)
                self.assertEqual(0, toy.program.wait_exit(5), "the toy did not end cleanly")
                self.assertEqual((0, 0, width, height), tuple(self.driver.clip()))

    def test_a_hundred_effects_leave_handles_threads_and_memory_as_they_were(self):
        toy = self.start_toy(options={"keywav": 1, "otherwav": 1})
        self.centre_cursor(toy)
        commands = list(EFFECTS)

        def run(rounds):
            for n in range(rounds):
                command = commands[n % len(commands)]
                since = self.driver.tick()
                self.start_effect(toy, command)
                toy.sounds.wait_for(lambda c: c.started and c.basename.upper() == EFFECTS[command][0], since=since)
                # A menu key's press alone: the stop request without the menu its release asks for.
                self.driver.post(toy.surface.hwnd, WM_KEYDOWN, VK.F1, 0)
                toy.sounds.wait_for(lambda c: c.stop, since=since)
            # Every effect thread has ended: the count is back where it was.
            wait_until(lambda: self.driver.proc_stats(toy.program.pid)["threads"] <= baseline_threads, 5,
                       message="effect threads are still running")
            return self.driver.proc_stats(toy.program.pid)

        baseline_threads = self.driver.proc_stats(toy.program.pid)["threads"]
        warm = run(10)
        done = run(100)
        self.assertGreater(warm["committed"], 0, "no memory figure to compare")
        # Wine reports no handle count; the committed memory shows leaked objects, threads the rest.
        self.assertLessEqual(done["threads"], warm["threads"], f"threads grew: {warm} -> {done}")
        self.assertLess(done["committed"], warm["committed"] + 2 * 1024 * 1024, f"memory grew: {warm} -> {done}")
        self.assertTrue(toy.program.running())


if __name__ == "__main__":
    unittest.main()
