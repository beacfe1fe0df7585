"""Options through mimiopt.dll: the file beside the program, its reading rule as the toy sees it,
changes without restart, the system check, the sound cues and missing media."""

import shutil
import time
import unittest
from pathlib import Path

from toysupport import (IDM_ABOUT, IDM_SETTINGS, KEY_SOUNDS, MISSING_LIBRARY, PLAY, TITLE, VK, WM_COMMAND,
                        WMU_SETTINGS_CHANGED, WMU_SOUND_CUE, ToyTestCase, run_program_copy, test_dll, wait_in_front,
                        wait_until, write_options)


DRAG_FILE_FOR_INDEX = {0: "DRGICO5", 1: "DRGICO4", 2: "DRGICO10", 3: "DRGICO6", 4: "DRGICO3", 5: "DRGICO7",
                       6: "DRGICO8", 7: "DRGICO1", 8: "DRGICO9", 9: "DRGICO2"}


def index_by_second(seconds):
    """The toy's pick for a calendar second: its generator seeded with the second, one draw mod 10."""
    state = (seconds * 214013 + 2531011) & 0xFFFFFFFF
    return ((state >> 16) & 0x7FFF) % 10


def windows_path(path):
    return "Z:" + str(path).replace("/", "\\")


class OptionsLibrary(ToyTestCase):
    def test_ininfo_without_a_file_gives_the_path_beside_the_program_and_minus_ones(self):
        folder = self.program_folder()
        # The driver program stands in for the toy: the path is built from the running program.
        shutil.copy(self.session.driver_exe, folder / "probe.exe")
        info = run_program_copy(self.session, folder / "probe.exe", ["ininfo", windows_path(folder / "mimiopt.dll")])
        self.assertEqual(0, info["result"])
        self.assertEqual(windows_path(folder / "mimitap.dat").lower(), info["path"].lower())
        self.assertEqual([-1] * 5, info["values"])
        self.assertFalse((folder / "mimitap.dat").exists(), "ininfo created the options file")

    def test_ininfo_reads_each_key_by_the_reading_rule(self):
        folder = self.program_folder()
        (folder / "mimitap.dat").write_bytes(
            b"[config]\r\nNOSCREENSERVER=2\r\nkeywav= 1\r\notherwav=abc\r\ntime=\r\nEndAltF4=Mimitap_IniErrString\r\n")
        shutil.copy(self.session.driver_exe, folder / "probe.exe")
        info = run_program_copy(self.session, folder / "probe.exe", ["ininfo", windows_path(folder / "mimiopt.dll")])
        self.assertEqual([2, 1, 0, 0, -1], info["values"])

    def test_a_program_folder_too_deep_for_the_path_buffer_is_handled_without_overflow(self):
        deep = self.session.tmp_dir
        while len(windows_path(deep)) < 270:
            deep = deep / ("d" * 40)
        deep.mkdir(parents=True, exist_ok=True)
        shutil.copy(self.session.dist_dir / "mimiopt.dll", deep / "mimiopt.dll")
        shutil.copy(self.session.driver_exe, deep / "probe.exe")
        info = run_program_copy(self.session, deep / "probe.exe", ["ininfo", windows_path(deep / "mimiopt.dll")])
        self.assertEqual(0, info["result"])
        self.assertEqual("", info["path"], "a cut path would name another file")
        self.assertTrue(info["terminated"], "the path buffer was not terminated")
        self.assertEqual([-1] * 5, info["values"])

    def test_options_beside_a_program_in_a_folder_the_code_page_cannot_spell(self):
        # Neither code page 932 nor 1252 can spell this folder name in 8 bits.
        folder = self.session.tmp_dir / "玩具José"
        folder.mkdir(exist_ok=True)
        shutil.copy(self.session.dist_dir / "mimiopt.dll", folder / "mimiopt.dll")
        shutil.copy(self.session.driver_exe, folder / "probe.exe")
        write_options(folder, noscreenserver=1, keywav=0, otherwav=2, time=1, endaltf4=0)
        info = run_program_copy(self.session, folder / "probe.exe", ["ininfo", windows_path(folder / "mimiopt.dll")])
        self.assertEqual([1, 0, 2, 1, 0], info["values"], "the options beside the program were not read")
        self.assertEqual("", info["path"], "a mangled path would name another file")
        self.assertTrue(info["terminated"])

    def test_osver_reports_the_windows_family(self):
        dll = windows_path(self.session.dist_dir / "mimiopt.dll")
        self.assertEqual(0, self.driver.osver(dll))
        folder = self.program_folder()
        shutil.copy(self.session.driver_exe, folder / "win98probe.exe")
        self.driver.set_windows_version("win98probe.exe", "win98")
        try:
            info = run_program_copy(self.session, folder / "win98probe.exe", ["osver", dll])
        finally:
            self.driver.set_windows_version("win98probe.exe", None)
        self.assertEqual(1, info["result"])


class OptionsInTheToy(ToyTestCase):
    def test_a_changed_file_is_seen_after_the_change_message(self):
        toy = self.start_toy(options={"keywav": 1, "otherwav": 1})
        folder = toy.program.exe.parent
        write_options(folder, keywav=0, otherwav=1)
        since = self.driver.tick()
        self.driver.tap(VK.letter("A"))
        toy.sounds.wait_for(lambda c: not c.stop, since=since)  # not applied until told
        toy.settle()
        self.assertEqual(1, toy.send_frame(WMU_SETTINGS_CHANGED))
        since = self.driver.tick()
        self.driver.tap(VK.letter("A"))
        toy.settle()
        self.assertEqual([], [c for c in toy.sounds.calls(since) if not c.stop])

    def test_sound_cues_play_only_with_other_sounds_on(self):
        toy = self.start_toy(options={"keywav": 1, "otherwav": 1})
        for code, expected in ((0, "POPUPS.WAV"), (1, "KEY5.WAV")):
            toy.settle()
            since = self.driver.tick()
            self.assertEqual(1, toy.send_frame(WMU_SOUND_CUE, code))
            call = toy.sounds.wait_for(lambda c: c.started, since=since)
            self.assertEqual((expected, PLAY), (call.basename.upper(), call.flags))
        toy.settle()
        since = self.driver.tick()
        self.assertEqual(1, toy.send_frame(WMU_SOUND_CUE, 10))
        toy.sounds.wait_for(lambda c: c.stop, since=since)
        toy.settle()
        since = self.driver.tick()
        self.assertEqual(1, toy.send_frame(WMU_SOUND_CUE, 7))
        toy.settle()
        self.assertEqual([], toy.sounds.calls(since))

        write_options(toy.program.exe.parent, keywav=1, otherwav=0)
        toy.send_frame(WMU_SETTINGS_CHANGED)
        toy.settle()
        since = self.driver.tick()
        for code in (0, 1, 10):
            self.assertEqual(1, toy.send_frame(WMU_SOUND_CUE, code))
        toy.settle()
        self.assertEqual([], toy.sounds.calls(since))

    def test_options_and_version_commands_report_a_missing_export(self):
        folder = self.program_folder(options={"keywav": 1, "otherwav": 1})
        shutil.copy(test_dll("mimiopt_without_dialogs"), folder / "mimiopt.dll")
        toy = self.start_toy(folder=folder)
        for command in (IDM_SETTINGS, IDM_ABOUT):
            since = self.driver.tick()
            self.driver.post(toy.frame.hwnd, WM_COMMAND, command, 0)
            box = wait_in_front(self, toy.program, lambda d: True)
            self.assertEqual((TITLE, MISSING_LIBRARY), (box.title, box.text.replace("\r", "")))
            self.driver.press(box, 1)
            toy.settle()
            names = [c.basename.upper() for c in toy.sounds.calls(since) if not c.stop]
            self.assertEqual(["POPUPS.WAV"], names, "opening cue only")
            self.assertTrue(toy.program.running())


class MissingMedia(ToyTestCase):
    def test_without_sounds_the_toy_plays_silently_and_keeps_working(self):
        toy = self.start_toy(options={"keywav": 1, "otherwav": 1}, remove=["WAV"])
        for key in (VK.letter("A"), VK.RETURN, VK.MENU):
            since = self.driver.tick()
            self.driver.tap(key)
            toy.settle()
            calls = [c for c in toy.sounds.calls(since) if not c.stop]
            self.assertTrue(calls, "the toy stopped asking for sounds")
            wait_until(lambda: all(c.ended is not None for c in calls if c.started), 5)
            self.assertEqual([], [c for c in calls if c.played], "a missing file was played")
        self.assertGreater(len(self.driver.screenshot().colours()), 100, "the mosaic was drawn")
        self.assertTrue(toy.program.running())

    def test_a_missing_drag_icon_only_drops_that_icon(self):
        # Drag icons are picked by the second; the pick for any second can be computed, so drag in
        # a second whose icon file is gone, then in one whose file is there.
        gone = {index: DRAG_FILE_FOR_INDEX[index] for index in (1, 3, 5, 7, 9)}
        toy = self.start_toy(options={"keywav": 1, "otherwav": 1},
                             remove=[f"DRAGICON/{name}.ICO" for name in gone.values()])
        for want_missing in (True, False):
            background = toy.settle().pixel(300, 300)
            second = next(t for t in range(int(time.time()) + 1, int(time.time()) + 60)
                          if (index_by_second(t) in gone) == want_missing)
            wait_until(lambda: time.time() >= second + 0.05, 70)
            since = self.driver.tick()
            self.driver.drag([(100, 300 + 100 * want_missing), (400, 300 + 100 * want_missing)], steps=4, gap_ms=5)
            self.assertLess(time.time(), second + 1, "the drag took more than its second")
            drew = toy.settle().bounding_box(lambda p: p != background) is not None
            self.assertEqual(not want_missing, drew, f"second {second}, index {index_by_second(second)}")
            self.assertTrue(any(c.basename and c.basename.upper() == "DRAG.WAV"
                                for c in toy.sounds.calls(since)), "the sound starts either way")
            self.driver.tap(VK.letter("A"))  # a fresh fill for the next round
        self.assertTrue(toy.program.running())

if __name__ == "__main__":
    unittest.main()
