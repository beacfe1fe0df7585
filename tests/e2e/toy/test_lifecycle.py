"""Start and end of the toy: one copy, the exit hint, the frame, the lock keys, start-up failures."""

import shutil
import time
import unittest

from toysupport import (EXIT_HINT, MISSING_FILES, MISSING_LIBRARY, NO_INITIAL_INFO, PANE_ID, TITLE, VK,
                        WM_POWERBROADCAST, WM_QUERYENDSESSION, ToyTestCase, test_dll, wait_in_front, wait_until)

WS_CAPTION, WS_THICKFRAME, WS_BORDER, WS_CHILD, WS_VISIBLE = 0x00C00000, 0x00040000, 0x00800000, 0x40000000, 0x10000000
WS_EX_TOPMOST, WS_EX_TOOLWINDOW, WS_EX_CLIENTEDGE = 0x8, 0x80, 0x200
LOCK_KEYS = (VK.CAPITAL, VK.NUMLOCK, VK.INSERT)


class Frame(ToyTestCase):
    def test_frame_covers_the_screen_top_most_without_caption_and_holds_the_surface(self):
        toy = self.start_toy(options={})
        width, height = self.driver.screen_size()
        frame = self.driver.window(toy.frame.hwnd)
        self.assertEqual(TITLE, frame.title)
        self.assertEqual((0, 0, width, height), tuple(frame.rect))
        self.assertTrue(frame.zoomed, "not maximised")
        self.assertEqual(0, frame.style & (WS_CAPTION | WS_THICKFRAME | WS_BORDER))
        self.assertTrue(frame.exstyle & WS_EX_TOPMOST)
        self.assertTrue(frame.exstyle & WS_EX_TOOLWINDOW, "the frame would get a task bar button")
        self.assertFalse(frame.exstyle & WS_EX_CLIENTEDGE)
        panes = self.driver.children(frame.hwnd, id=PANE_ID)
        self.assertEqual(1, len(panes))
        pane = panes[0]
        self.assertEqual(WS_CHILD | WS_VISIBLE, pane.style & (WS_CHILD | WS_VISIBLE | WS_BORDER))
        self.assertEqual(tuple(frame.client), tuple(pane.rect))
        self.assertEqual(frame.hwnd, self.driver.foreground()["foreground"])
        # Log-off and suspend are refused.
        self.assertEqual(0, toy.send_frame(WM_QUERYENDSESSION, 0, 0))
        self.assertEqual(0x424D5144, toy.send_frame(WM_POWERBROADCAST, 0, 0))  # suspend query
        for event in (0x4, 0x7, 0x12, 0xA):
            self.assertEqual(1, toy.send_frame(WM_POWERBROADCAST, event, 0))
        self.assertTrue(toy.program.running())


class ScreenSaver(ToyTestCase):
    """The switch is read by a fresh process each time: a program keeps what it read once."""

    def setUp(self):
        super().setUp()
        before = self.screen_saver()
        self.addCleanup(lambda: self.screen_saver(before))

    def screen_saver(self, set_to=None):
        words = ["screensaver"] + ([] if set_to is None else [int(set_to)])
        return self.session.run_driver(*words, name="screensaver").result(30)["active"]

    def run_toy(self, options, while_running):
        toy = self.start_toy(options=options)
        self.assertEqual(while_running, self.screen_saver())
        self.driver.post(toy.frame.hwnd, 0x0010)  # WM_CLOSE
        self.assertEqual(0, toy.program.wait_exit(15))

    def test_kept_off_while_running_and_put_back_as_the_user_had_it(self):
        for user_setting in (False, True):
            with self.subTest(user_setting=user_setting):
                self.screen_saver(user_setting)
                self.run_toy({"noscreenserver": 1}, while_running=False)
                self.assertEqual(user_setting, self.screen_saver())
                self.run_toy({"noscreenserver": 0}, while_running=user_setting)
                self.assertEqual(user_setting, self.screen_saver(), "the toy changed the user's screen saver")


class ExitHint(ToyTestCase):
    def test_hint_shows_before_the_frame_until_an_options_file_exists(self):
        folder = self.program_folder()
        toy = self.launch(folder=folder)
        hint = wait_in_front(self, toy, lambda d: True)
        self.assertEqual(TITLE, hint.title)
        self.assertEqual(EXIT_HINT.replace("\r", ""), hint.text.replace("\r", ""))
        self.assertEqual("warning", hint.icon)
        frames = [w for w in toy.windows(title=TITLE, visible=True) if w.class_name != "#32770"]
        self.assertEqual([], frames, "the frame came before the hint")
        self.driver.press(hint, 1)
        toy.wait_for_window(title=TITLE)
        toy.kill()

        (folder / "mimitap.dat").write_bytes(b"[CONFIG]\r\n")
        again = self.launch(folder=folder)
        again.wait_for_window(title=TITLE, timeout=20)
        self.assertEqual([], again.dialogs())


class OneCopy(ToyTestCase):
    def test_second_copy_ends_at_once_without_window_message_or_lock_keys(self):
        first = self.start_toy(options={})
        folder = first.program.exe.parent
        with self.session.watch_keys() as watcher:
            second = self.launch(folder=folder)
            self.assertEqual(0, second.wait_exit(15))
            time.sleep(0.3)
            synthesised = [e for e in watcher.seen() if e.vk in LOCK_KEYS]
        self.assertEqual([], synthesised)
        self.assertEqual([], self.driver.dialogs(pid=second.pid))
        self.assertTrue(first.program.running())
        self.assertIsNotNone(self.driver.window(first.frame.hwnd))


class LockKeys(ToyTestCase):
    def close_and_watch(self, toy):
        with self.session.watch_keys() as watcher:
            self.driver.post(toy.frame.hwnd, 0x0010)  # WM_CLOSE
            self.assertEqual(0, toy.program.wait_exit(15))
            time.sleep(0.3)
            return [(e.vk, e.down) for e in watcher.seen() if e.vk in LOCK_KEYS]

    def test_changed_lock_keys_are_put_back_in_order(self):
        toy = self.start_toy(options={})
        for key in (VK.INSERT, VK.NUMLOCK, VK.NUMLOCK, VK.CAPITAL):  # Num Lock back as it was: left alone
            self.driver.tap(key)
        toy.settle()
        events = self.close_and_watch(toy)
        self.assertEqual([(VK.CAPITAL, True), (VK.CAPITAL, False),
                          (VK.INSERT, True), (VK.INSERT, False)], events)
        locks = self.driver.locks()
        self.assertFalse(locks["capslock"] or locks["numlock"] or locks["insert"], locks)


class StartFailures(ToyTestCase):
    def expect_refusal(self, program, text, icon, after_hint=False):
        if after_hint:
            hint = program.wait_for_dialog(timeout=20, predicate=lambda d: "Alt" in d.text)
            self.driver.press(hint, 1)
        box = wait_in_front(self, program, lambda d: "Alt" not in d.text)
        self.assertEqual(TITLE, box.title)
        self.assertEqual(text, box.text.replace("\r", ""))
        self.assertEqual(icon, box.icon)
        self.driver.press(box, 1)
        self.assertEqual(0, program.wait_exit(15))

    def test_missing_cursor_file(self):
        folder = self.program_folder(options={}, remove=["CURSOR/CURSOR3.CUR"])
        program = self.launch(folder=folder)
        self.expect_refusal(program, MISSING_FILES, "information")

    def test_started_from_another_folder_cannot_find_the_cursors(self):
        folder = self.program_folder(options={})
        elsewhere = self.session.tmp_dir / "elsewhere"
        elsewhere.mkdir(exist_ok=True)
        program = self.launch(folder=folder, cwd=elsewhere)
        self.expect_refusal(program, MISSING_FILES, "information")

    def test_missing_options_library(self):
        folder = self.program_folder(options={}, remove=["mimiopt.dll"])
        program = self.launch(folder=folder)
        self.expect_refusal(program, MISSING_LIBRARY, "warning", after_hint=True)

    def test_options_library_without_ininfo(self):
        folder = self.program_folder(options={})
        shutil.copy(test_dll("mimiopt_without_ininfo"), folder / "mimiopt.dll")
        program = self.launch(folder=folder)
        self.expect_refusal(program, NO_INITIAL_INFO, "information", after_hint=True)

    def test_a_library_planted_in_the_current_folder_is_never_loaded(self):
        folder = self.program_folder(options={}, remove=["mimiopt.dll"])
        current = self.session.tmp_dir / "current"
        shutil.rmtree(current, ignore_errors=True)
        shutil.copytree(folder / "CURSOR", current / "CURSOR")
        shutil.copy(test_dll("mimiopt_planted"), current / "mimiopt.dll")
        program = self.launch(folder=folder, cwd=current)
        self.expect_refusal(program, MISSING_LIBRARY, "warning", after_hint=True)
        self.assertFalse((current / "planted-library-loaded.txt").exists())


if __name__ == "__main__":
    unittest.main()
