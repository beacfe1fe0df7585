"""Starts that race each other: the toy allows one copy, so ten copies started at once leave one
frame, and a copy started while the first still shows its exit hint ends without a second hint."""

import threading
import unittest

from toysupport import TITLE, ToyTestCase, wait_until


class StartRaces(ToyTestCase):
    def launch_at_once(self, folder, count):
        """Starts `count` copies of the toy in `folder` from as many threads released together."""
        gate = threading.Barrier(count)
        programs, failures = [None] * count, []

        def start(n):
            try:
                gate.wait()
                programs[n] = self.launch(folder=folder, name=f"race-{n}")
            except Exception as error:  # reported below, on the test's own thread
                failures.append(error)

        threads = [threading.Thread(target=start, args=(n,)) for n in range(count)]
        for t in threads:
            t.start()
        for t in threads:
            t.join(120)
        self.assertEqual([], failures)
        return programs

    def toy_processes(self):
        return [p.pid for p in self.driver.processes() if p.exe.lower() == "mimitap.exe"]

    def frames(self):
        """The toy's frames (its message boxes bear the same title)."""
        return [w for w in self.driver.windows(title=TITLE, visible=True) if w.class_name != "#32770"]

    def test_ten_starts_at_once_leave_one_frame(self):
        folder = self.program_folder(options={"keywav": 1, "otherwav": 1, "time": 0})
        programs = self.launch_at_once(folder, 10)
        wait_until(lambda: sum(p.running() for p in programs) <= 1, 60, message="more than one copy kept running")
        survivors = [p for p in programs if p.running()]
        self.assertEqual(1, len(survivors), "no copy kept running")
        toy = self.toy_of(survivors[0])
        self.assertEqual([0] * 9, [p.wait_exit(5) for p in programs if p is not survivors[0]])
        self.assertEqual([toy.frame.hwnd], [w.hwnd for w in self.frames()])
        self.assertEqual([toy.program.pid], self.toy_processes())
        self.assertEqual([], self.driver.dialogs(), "a copy left a message")

    def test_a_start_during_the_exit_hint_ends_and_leaves_the_one_hint(self):
        folder = self.program_folder()  # no options file: the first copy shows the hint before its frame
        first = self.launch(folder=folder)
        hint = first.wait_for_dialog(timeout=20)
        second = self.launch(folder=folder)
        self.assertEqual(0, second.wait_exit(15))
        self.assertEqual([hint.hwnd], [d.hwnd for d in self.driver.dialogs()], "the second copy showed something")
        self.assertEqual([], self.frames(), "a frame showed before the hint was answered")
        self.driver.press(hint, 1)
        toy = self.toy_of(first)
        self.assertEqual([toy.frame.hwnd], [w.hwnd for w in self.frames()])
        self.assertEqual([first.pid], self.toy_processes())


if __name__ == "__main__":
    unittest.main()
