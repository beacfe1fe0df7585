"""A program started in the session's prefix, through the driver's launcher so that its process id
and its full 32-bit exit code are known."""

import json
import subprocess
from pathlib import Path

from .sounds import SoundLog
from .waiting import wait_until
from .wine import SOUND_TRACE


class Program:
    def __init__(self, session, exe, cwd=None, args=(), name=None, trace_sounds=True, at=None):
        self.session = session
        self.exe = Path(exe)
        self.cwd = Path(cwd) if cwd else self.exe.parent
        self.args = list(args)
        self.at = at  # (x, y): the first window's place, as the shell passes it
        self.name = name or self.exe.stem
        logs = session.log_dir
        self.out_path = logs / f"{self.name}.launch"
        self.log_path = logs / f"{self.name}.log"
        self.trace_sounds = trace_sounds
        self.process = None
        self.pid = None
        self.start_tick = None
        self._exit = None
        self.sounds = None

    def start(self, timeout=30.0, again=True):
        self.out_path.write_bytes(b"")
        self.log_path.write_bytes(b"")
        at = [f"--at={self.at[0]},{self.at[1]}"] if self.at else []
        words = [self.session.driver_exe, "launch", self.exe, f"--cwd={self.cwd}", *at, "--", *self.args]
        self.process = self.session.wine.popen(words, stdout=self.out_path, stderr=self.log_path, cwd=self.cwd,
                                               debug=SOUND_TRACE if self.trace_sounds else "-all,err+all")
        started = wait_until(lambda: self._reply("started") or self.process.poll() is not None, timeout,
                             message=f"{self.exe.name} did not start")
        if started is True:
            if again and "failed to map the shared user data" in self.log_path.read_text(errors="replace"):
                return self.start(timeout, again=False)  # Wine could not lay out the new process: once more
            raise RuntimeError(f"{self.exe.name} did not start: {self.out_path.read_text(errors='replace')}")
        self.pid = started["pid"]
        self.start_tick = started["tick"]
        self.sounds = SoundLog(self.log_path, self.pid)
        return self

    def _replies(self):
        text = self.out_path.read_bytes().decode("utf-8", "replace")
        replies = []
        for line in text.splitlines():
            if line.startswith("{"):
                try:
                    replies.append(json.loads(line))
                except json.JSONDecodeError:
                    pass  # a line still being written
        return replies

    def _reply(self, event):
        for r in self._replies():
            if event == "started" and r.get("event") == "started":
                return r
            if event == "ended" and "exit" in r:
                return r
        return None

    # --- lifetime --------------------------------------------------------------------------
    def running(self):
        return self.process is not None and self.process.poll() is None

    def wait_exit(self, timeout=10.0):
        """Waits for the program to end; returns its exit code (all 32 bits, unsigned)."""
        if self._exit is None:
            try:
                self.process.wait(timeout)
            except subprocess.TimeoutExpired:
                raise AssertionError(f"{self.exe.name} still running after {timeout} s") from None
            ended = self._reply("ended")
            if ended is None:
                raise RuntimeError(f"launcher for {self.exe.name} ended without an exit code; see {self.out_path}")
            self._exit = ended["exit"]
        return self._exit

    @property
    def exit_code(self):
        return self._exit if self._exit is not None else (self.wait_exit(0) if not self.running() else None)

    def kill(self, code=1):
        """Ends the program like Task Manager would; returns its exit code."""
        if self.running():
            try:
                self.session.driver.kill(self.pid, code)
            except Exception:  # already gone
                pass
            try:
                return self.wait_exit(10)
            except AssertionError:
                self.process.kill()
                self.process.wait()
        return self._exit

    # --- its windows ---------------------------------------------------------------------
    def windows(self, **filters):
        return self.session.driver.windows(pid=self.pid, **filters)

    def wait_for_window(self, timeout=15.0, class_name=None, title=None, predicate=None):
        """Waits for a visible top-level window of this program (optionally matching) and returns it."""

        def find():
            if not self.running():
                raise AssertionError(f"{self.exe.name} ended (exit {self.wait_exit(1)}) before showing a window")
            for w in self.session.driver.windows(pid=self.pid, class_name=class_name, title=title, visible=True):
                if predicate is None or predicate(w):
                    return w
            return None

        return wait_until(find, timeout, message=f"no window of {self.exe.name} within {timeout} s")

    def dialogs(self):
        return self.session.driver.dialogs(pid=self.pid)

    def wait_for_dialog(self, timeout=10.0, predicate=None):
        return self.session.driver.wait_for_dialog(self.pid, timeout, predicate)
