"""Self-tests of the e2e harness against Wine's own programs and the driver: if these fail, the
toy's e2e tests cannot be trusted either."""

import subprocess
import unittest

from harness import VK, E2ETestCase, parse_trace
from harness.driver import (IDNO, IDOK, IDYES, MB_ICONERROR, MB_ICONINFORMATION, MB_ICONQUESTION, MB_ICONWARNING,
                            MB_OK, MB_YESNO, WM_CLOSE)
from harness.sounds import (SND_ASYNC, SND_FILENAME, SND_LOOP, SND_MEMORY, SND_NODEFAULT, SND_NOSTOP,
                            SoundTraceParser, decode_debugstr)

WHITE = (255, 255, 255)


class TraceParsing(unittest.TestCase):
    """The winmm trace parser on lines in Wine 8's format (no Wine needed)."""

    def line(self, t, pid, tid, func, message):
        return f"{t:.3f}:{pid:04x}:{tid:04x}:trace:winmm:{func} {message}"

    def call(self, t, pid, tid, pointer, flags):
        return self.line(t, pid, tid, "MULTIMEDIA_PlaySound",
                         f"pszSound='{pointer:016X}' hmod=0000000000000000 fdwSound={flags:08X}")

    def start(self, t, pid, tid, name):
        return self.line(t, pid, tid, "proc_PlaySound", f"SoundName={name} !")

    def done(self, t, pid, tid, name, ok=True):
        return self.line(t, pid, tid, "proc_PlaySound", f"Done playing={name} => {'ok' if ok else 'ko'}!")

    def test_decodes_wine_string_escapes(self):
        self.assertEqual(decode_debugstr(r'L"WAV\\KEY1.WAV"'), "WAV\\KEY1.WAV")
        self.assertEqual(decode_debugstr(r'L"\97f3.wav"'), "音.wav")
        self.assertEqual(decode_debugstr(r'L"say \"hi\""'), 'say "hi"')

    def test_pairs_each_player_with_its_call_and_sees_stops(self):
        flags = SND_FILENAME | SND_ASYNC | SND_NODEFAULT
        text = "\n".join([
            self.call(10.000, 0x20, 0x24, 0x1000, flags),
            self.start(10.001, 0x20, 0x30, r'L"WAV\\A.WAV"'),
            self.done(10.050, 0x20, 0x30, r'L"WAV\\A.WAV"'),
            self.call(10.100, 0x20, 0x24, 0x2000, flags | SND_LOOP),
            self.line(10.100, 0x20, 0x24, "waveOutOpen", "(whatever)"),
            self.start(10.102, 0x20, 0x34, r'L"WAV\\B.WAV"'),
            self.call(10.200, 0x20, 0x24, 0, 0),
            self.done(10.201, 0x20, 0x34, r'L"WAV\\B.WAV"'),
        ])
        calls = parse_trace(text)
        self.assertEqual([(c.name, c.flags) for c in calls],
                         [("WAV\\A.WAV", flags), ("WAV\\B.WAV", flags | SND_LOOP), (None, 0)])
        self.assertEqual([c.started for c in calls], [True, True, False])
        self.assertTrue(calls[2].stop)
        self.assertEqual(calls[0].basename, "A.WAV")
        self.assertAlmostEqual(calls[1].ended, 10.201)

    def test_a_sound_from_memory_takes_the_name_its_thread_gave_just_before(self):
        flags = SND_MEMORY | SND_ASYNC | SND_NODEFAULT
        wave_bytes = r'L"\4952\4646\2a10"'  # "RIFF" and the size, as debugstr_w shows the buffer
        calls = parse_trace("\n".join([
            r'1.000:0020:0024:warn:seh:OutputDebugStringA "mimitap: sound from memory WAV\\KEY1.WAV\n"',
            r'1.000:0020:0028:warn:seh:OutputDebugStringW L"mimitap: sound from memory WAV\\OTHER.WAV\n"',
            self.call(1.001, 0x20, 0x24, 0x1000, flags),
            self.start(1.002, 0x20, 0x30, wave_bytes),
            self.done(1.050, 0x20, 0x30, wave_bytes),
            self.call(1.100, 0x20, 0x24, 0x2000, flags),
            self.start(1.102, 0x20, 0x34, wave_bytes),
        ]))
        self.assertEqual((calls[0].name, calls[0].played), ("WAV\\KEY1.WAV", True))
        self.assertEqual(calls[1].name, decode_debugstr(wave_bytes), "a name is used once, by its own thread")

    def test_nostop_while_playing_is_refused_and_later_players_still_pair(self):
        flags = SND_FILENAME | SND_ASYNC | SND_NODEFAULT
        text = "\n".join([
            self.call(1.0, 0x20, 0x24, 0x1000, flags | SND_LOOP),
            self.start(1.001, 0x20, 0x30, 'L"loop.wav"'),
            self.call(1.1, 0x20, 0x24, 0x2000, flags | SND_NOSTOP),
            self.call(1.2, 0x20, 0x24, 0x3000, flags),
            self.done(1.201, 0x20, 0x30, 'L"loop.wav"'),
            self.start(1.202, 0x20, 0x38, 'L"next.wav"'),
        ])
        calls = parse_trace(text)
        self.assertTrue(calls[1].refused)
        self.assertFalse(calls[1].started)
        self.assertIsNone(calls[1].name)
        self.assertEqual(calls[2].name, "next.wav")

    def test_processes_are_kept_apart(self):
        flags = SND_FILENAME | SND_ASYNC
        parser = SoundTraceParser().feed("\n".join([
            self.call(1.0, 0x20, 0x24, 0x1000, flags),
            self.call(1.0, 0x40, 0x44, 0x1000, flags),
            self.start(1.001, 0x40, 0x48, 'L"second.wav"'),
            self.start(1.002, 0x20, 0x28, 'L"first.wav"'),
        ]))
        self.assertEqual({c.pid: c.name for c in parser.calls}, {0x20: "first.wav", 0x40: "second.wav"})
        self.assertEqual(parser.anomalies, [])


class WineAndDriver(E2ETestCase):
    """The harness against Wine's notepad, message boxes and the driver's own commands."""

    def test_session_runs_in_the_registered_locale(self):
        info = self.driver.system()
        expected = {"ja_JP": (932, "ja-JP"), "en_US": (1252, "en-US")}[self.session.locale]
        self.assertEqual((info["acp"], info["locale"]), expected)

    def test_screen_is_the_requested_size_and_both_readings_agree(self):
        self.assertEqual(self.driver.screen_size(), self.session.screen_size)
        frame = self.session.screenshot()
        self.assertEqual((frame.width, frame.height), self.session.screen_size)
        self.assertEqual(self.driver.clip(), (0, 0, *self.session.screen_size))

    def test_notepad_window_typing_pixels_and_save_prompt(self):
        notepad = self.launch(self.session.system_program("notepad.exe"), cwd=self.session.tmp_dir, trace_sounds=False)
        frame = notepad.wait_for_window(class_name="Notepad")
        edit = self.driver.children(frame.hwnd, class_name="Edit")[0]
        self.assertTrue(frame.client.contains(*edit.client.center))

        self.driver.click(*edit.client.center)
        self.wait_until(lambda: self.driver.foreground()["focus"] == edit.hwnd, message="edit has no focus")
        line = (edit.client.left, edit.client.top, edit.client.right, edit.client.top + 24)

        def inked_width():
            box = self.session.screenshot().crop_rect(line).bounding_box(lambda p: p != WHITE)
            return 0 if box is None else box[2] - box[0]

        self.assertLessEqual(inked_width(), 2, "an empty line shows at most the caret")
        self.driver.type_keys("hello 42")
        self.wait_until(lambda: self.driver.text(edit.hwnd) == "hello 42", message="typed text did not arrive")
        self.wait_until(lambda: inked_width() > 30, message="typed text not drawn")
        # A lock key tapped while the program is in front reaches its own key state.
        self.driver.tap(VK.CAPITAL)
        self.driver.type_keys("x")
        self.driver.tap(VK.CAPITAL)
        self.wait_until(lambda: self.driver.text(edit.hwnd) == "hello 42X", message="Caps Lock not seen")
        # Two independent readings of the screen: Xvfb's memory and GDI through the driver.
        points = [(x, edit.client.top + 8) for x in range(edit.client.left, edit.client.left + 60, 3)]
        frame_now = self.session.screenshot()
        self.assertEqual(self.driver.pixels(points), [frame_now.pixel(x, y) for x, y in points])

        self.driver.post(frame.hwnd, WM_CLOSE)
        prompt = notepad.wait_for_dialog()
        self.assertEqual(prompt.owner, frame.hwnd)
        self.assertTrue(prompt.foreground)
        self.assertIn(IDNO, [b.id for b in prompt.buttons])
        self.driver.press(prompt, IDNO)
        self.assertEqual(notepad.wait_exit(10), 0)

    def test_message_box_text_icon_and_buttons(self):
        cases = [(MB_ICONINFORMATION, "information"), (MB_ICONWARNING, "warning"), (MB_ICONERROR, "error"),
                 (MB_ICONQUESTION, "question"), (0, "none")]
        for flags, icon in cases:
            with self.subTest(icon=icon):
                text = f"アイコン {icon}"
                box = self.session.message_box(text, "見出し", flags | MB_YESNO, name=f"box-{icon}")
                dialog = self.driver.wait_for_dialog(predicate=lambda d: d.text == text)
                self.assertEqual((dialog.title, dialog.icon), ("見出し", icon))
                self.assertEqual(sorted(b.id for b in dialog.buttons), [IDYES, IDNO])
                self.driver.press(dialog, IDNO)
                self.assertEqual(box.result()["result"], IDNO)

    def test_japanese_text_is_drawn_as_glyphs_not_boxes(self):
        crops = []
        for text in ("あいうえお", "かきくけこ"):
            box = self.session.message_box(text, "字", MB_OK, name="glyphs")
            dialog = self.driver.wait_for_dialog(predicate=lambda d, t=text: d.text == t)
            label = next(c for c in dialog.controls if c.class_name == "Static" and c.title == text)
            # The dialog may be listed before it has painted its text.
            crop = self.wait_until(lambda: (lambda c: c if len(c.colours()) > 1 else None)(
                self.session.screenshot().crop_rect(label.rect)), message="label not painted")
            crops.append(crop)
            self.driver.press(dialog, IDOK)
            box.result()
        # Missing glyphs are drawn as identical boxes; real glyphs differ from each other.
        self.assertEqual((crops[0].width, crops[0].height), (crops[1].width, crops[1].height))
        self.assertGreater(crops[0].differs_from(crops[1]), 20)

    def test_key_watcher_sees_injected_keys_in_order(self):
        with self.session.watch_keys() as watcher:
            self.driver.tap(VK.letter("Q"))
            self.driver.tap(VK.F5)
            watcher.wait_for(lambda events: len(events) >= 4)
        seen = [(e.vk, e.down, e.injected) for e in watcher.events]
        self.assertEqual(seen, [(ord("Q"), True, True), (ord("Q"), False, True), (VK.F5, True, True),
                                (VK.F5, False, True)])

    def test_held_key_repeats_then_releases(self):
        first, every, total = 200, 50, 500
        with self.session.watch_keys() as watcher:
            downs = self.driver.hold(VK.letter("H"), total, first, every)
            watcher.wait_for(lambda events: any(not e.down for e in events))
        self.assertEqual(downs, 1 + len(range(first, total, every)))
        self.assertEqual([e.down for e in watcher.events], [True] * downs + [False])

    def test_caps_lock_toggles_and_toggles_back(self):
        before = self.driver.locks()
        self.driver.tap(VK.CAPITAL)
        self.assertEqual(self.driver.locks(), {**before, "capslock": not before["capslock"]})
        self.driver.tap(VK.CAPITAL)
        self.assertEqual(self.driver.locks(), before)

    def test_mouse_moves_exactly(self):
        width, height = self.session.screen_size
        for x, y in [(0, 0), (1, 1), (width // 3, height // 2), (width - 1, height - 1)]:
            self.assertEqual(self.driver.move(x, y), (x, y))

    def test_exit_code_keeps_all_32_bits_and_kill_sets_it(self):
        cmd = self.launch(self.session.system_program("cmd.exe"), cwd=self.session.tmp_dir,
                          args=["/c", "exit", "305419896"], trace_sounds=False)
        self.assertEqual(cmd.wait_exit(15), 305419896)
        notepad = self.launch(self.session.system_program("notepad.exe"), cwd=self.session.tmp_dir, trace_sounds=False)
        notepad.wait_for_window(class_name="Notepad")
        self.assertEqual(notepad.kill(77), 77)

    def test_sound_trace_gives_files_flags_and_stops(self):
        folder = self.session.tmp_dir / "sounds"
        folder.mkdir(exist_ok=True)
        # A non-ASCII name the ANSI code page can carry (PlaySoundA takes ANSI text).
        other = "音.wav" if self.driver.system()["acp"] == 932 else "café.wav"
        for name in ("tone.wav", other):
            subprocess.run(["sox", "-n", "-r", "22050", "-c", "1", "-b", "16", str(folder / name),
                            "synth", "0.3", "sine", "440"], check=True)
        play = SND_FILENAME | SND_ASYNC | SND_NODEFAULT
        loop = play | SND_LOOP
        script = ["playsound", "tone.wav", hex(play), "--wait=100", ";",
                  "playsound", other, hex(loop), "--wait=100", ";",
                  "playsound", "tone.wav", hex(play | SND_NOSTOP), "--wait=50", ";",
                  "playsound", "-", "0", "--wait=50"]
        player = self.launch(self.session.driver_exe, cwd=folder, args=script, name="player")
        self.assertEqual(player.wait_exit(15), 0)
        calls = player.sounds.calls()
        self.assertEqual([(c.name, c.flags) for c in calls],
                         [("tone.wav", 0x20003), (other, 0x2000B), (None, play | SND_NOSTOP), (None, 0)])
        self.assertEqual([c.started for c in calls], [True, True, False, False])
        self.assertTrue(calls[2].refused, "a SND_NOSTOP call while the loop plays starts nothing")
        self.assertTrue(calls[3].stop)
        self.assertEqual([c.time for c in calls], sorted(c.time for c in calls))
        self.assertIsNotNone(calls[1].ended, "the stop ends the loop")
        self.assertEqual(player.sounds.anomalies, [])


if __name__ == "__main__":
    unittest.main(verbosity=2)
