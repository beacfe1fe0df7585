"""A test session: a private display, the shared prefix with its own wineserver, the driver, and
the programs started in it. Start one per test file (setUpClass) and stop it at the end; stopping
ends every Wine process of the prefix and the display, whatever happened before."""

import atexit
import fcntl
import json
import os
import re
import shutil
import signal
import sys
import time
from pathlib import Path, PureWindowsPath

from . import config
from .display import TwoMonitorDisplay, VirtualDisplay
from .driver import Driver, KeyWatcher, OneShot
from .locales import locale_env
from .prefix import ensure_prefix
from .program import Program
from .wine import Wine


def _exit_on_signal():
    """Turns SIGTERM/SIGHUP (ctest's timeout, a closed terminal) into SystemExit, so `finally`
    blocks and atexit handlers end Xvfb and Wine."""
    for sig in (signal.SIGTERM, signal.SIGHUP):
        if signal.getsignal(sig) in (signal.SIG_DFL, None):
            signal.signal(sig, lambda number, frame: sys.exit(128 + number))


def _process_command(pid):
    try:
        return Path(f"/proc/{pid}/cmdline").read_bytes().replace(b"\0", b" ").decode(errors="replace")
    except OSError:
        return ""


class Session:
    def __init__(self, name="e2e", locale=None, screen=(1024, 768), display=None, audio="null",
                 dist_dir=None, driver_exe=None, prefix=None, show_cursor=False, monitors=1, messages=None):
        """display: None starts a private Xvfb of `screen` size; ':N' uses that display instead.
        audio: 'null' (PlaySound succeeds, sound goes nowhere) or 'none' (no audio device).
        show_cursor: draw the pointer into the private display's screen (off: pixels are exactly
        what programs drew).
        monitors: 2 starts a private Xorg with two monitors side by side instead (see
        TwoMonitorDisplay; `screen` and show_cursor do not apply), run by a prefix of its own.
        messages: a locale whose interface language the session takes, with `locale`'s code page."""
        if monitors not in (1, 2) or (monitors == 2 and display):
            raise ValueError("monitors is 1, or 2 on a private display")
        self.monitors = monitors
        self.show_cursor = show_cursor
        self.name = name
        self.locale = locale or config.default_locale()
        self.messages = messages
        self.screen_size = screen
        self.external_display = display
        self.audio = audio
        self.dist_dir = Path(dist_dir or config.dist_dir())
        self.driver_exe = Path(driver_exe or config.driver_exe())
        self.prefix = Path(prefix or (config.monitors_prefix() if monitors == 2 else config.wine_prefix()))
        self.base = config.e2e_dir() / "runs" / name
        self.log_dir = self.base / "logs"
        self.shot_dir = self.base / "screenshots"
        self.tmp_dir = self.base / "tmp"
        self.display = None
        self.wine = None
        self.driver = None
        self.programs = []
        self._lock = None
        self._copies = 0
        self._started = False
        self.timings = {}

    # --- start and stop --------------------------------------------------------------------
    def start(self):
        _exit_on_signal()
        atexit.register(self.stop)
        try:
            self._start()
        except BaseException:
            self.stop()
            raise
        return self

    def _start(self):
        t0 = time.monotonic()
        if not self.driver_exe.is_file():
            raise FileNotFoundError(f"driver not built: {self.driver_exe} (build the project first)")
        shutil.rmtree(self.base, ignore_errors=True)
        for d in (self.log_dir, self.shot_dir, self.tmp_dir):
            d.mkdir(parents=True, exist_ok=True)
        self._acquire_lock()
        self.timings["lock"] = time.monotonic() - t0
        env = locale_env(self.locale, config.e2e_dir() / "locales", self.messages)
        self.timings["prefix"] = ensure_prefix(self.prefix, self.log_dir)
        self.wine = Wine(self.prefix, locale=env, home=config.e2e_dir() / f"home-{self.audio}", audio=self.audio)
        # A wineserver left by an interrupted run would still be bound to an old display.
        self.wine.end_everything()
        t1 = time.monotonic()
        if self.external_display:
            self.display = None
            self.wine.display = self.external_display
        elif self.monitors == 2:
            self.display = TwoMonitorDisplay(self.base)
            self.wine.display = self.display.start()
            self._write_pidfile()
        else:
            self.display = VirtualDisplay(self.base, *self.screen_size, show_cursor=self.show_cursor)
            self.wine.display = self.display.start()
            self._write_pidfile()
        self.timings["display"] = time.monotonic() - t1
        t2 = time.monotonic()
        # The first process starts the wineserver and the desktop; give it files, not pipes.
        self.wine.run([self.driver_exe, "windows"], self.log_dir / "warmup.log", timeout=120)
        self.driver = Driver(self.wine, self.driver_exe, self.log_dir / "driver.log", cwd=self.tmp_dir,
                             screen=self.display).start()
        # Per-program settings a previous test may have left in the shared prefix.
        for exe in ("mimitap.exe", "mimidrive.exe"):
            self.driver.reg_delete(rf"HKCU\Software\Wine\AppDefaults\{exe}")
        self.timings["wine"] = time.monotonic() - t2
        self._started = True

    def stop(self):
        """Ends programs, the driver, every Wine process of the prefix and the display. Safe to
        call more than once."""
        try:
            if self.driver:
                self.driver.close()
                self.driver = None
            if self.wine:
                self.wine.end_everything()
        finally:
            if self.display:
                self.display.stop()
                self.display = None
            self._remove_pidfile()
            shutil.rmtree(self.tmp_dir, ignore_errors=True)
            self._release_lock()
            self._started = False

    def __enter__(self):
        return self.start()

    def __exit__(self, *exc):
        self.stop()
        return False

    # Only one session at a time may use the prefix: they would share one wineserver. (The sessions
    # with two monitors have a prefix, and so a lock and a wineserver, of their own.)
    def _lock_path(self):
        return self.prefix.parent / (self.prefix.name + ".session.lock")

    def _acquire_lock(self, timeout=900):
        self.prefix.parent.mkdir(parents=True, exist_ok=True)
        self._lock = open(self._lock_path(), "w")
        deadline = time.monotonic() + timeout
        while True:
            try:
                fcntl.flock(self._lock, fcntl.LOCK_EX | fcntl.LOCK_NB)
                break
            except BlockingIOError:
                if time.monotonic() > deadline:
                    raise TimeoutError(f"another e2e session holds {self._lock_path()}") from None
                time.sleep(0.2)
        self._kill_stale_display()

    def _release_lock(self):
        if self._lock:
            self._lock.close()
            self._lock = None

    def _server(self):
        """The X server this session starts."""
        return "Xorg" if self.monitors == 2 else "Xvfb"

    def _pidfile(self):
        return self.prefix.parent / (self.prefix.name + f".{self._server().lower()}.pid")

    def _write_pidfile(self):
        # A path of this session's own in the server's command line tells it from any other.
        mark = self.display.config_path if self.monitors == 2 else self.display.fbdir
        self._pidfile().write_text(f"{self.display.pid}\n{mark}\n")

    def _remove_pidfile(self):
        try:
            self._pidfile().unlink()
        except FileNotFoundError:
            pass

    def _kill_stale_display(self):
        """An X server a killed session left behind (we hold the lock, so it is not in use)."""
        try:
            pid_text, mark = self._pidfile().read_text().splitlines()[:2]
            pid = int(pid_text)
        except (OSError, ValueError):
            return
        command = _process_command(pid)
        if self._server() in command and mark in command:
            os.kill(pid, signal.SIGTERM)
        self._remove_pidfile()

    # --- programs --------------------------------------------------------------------------
    def fresh_dist(self, label=None):
        """A private copy of the program folder that a test may change freely."""
        if not (self.dist_dir / "mimitap.exe").is_file():
            raise FileNotFoundError(f"no program folder at {self.dist_dir} (build the dist target first)")
        self._copies += 1
        target = self.tmp_dir / f"{label or 'dist'}-{self._copies}"
        shutil.copytree(self.dist_dir, target)
        return target

    def launch(self, exe="mimitap.exe", folder=None, cwd=None, args=(), name=None, trace_sounds=True, at=None):
        """Starts a program: by default mimitap.exe from a fresh copy of dist/, in that folder.
        `exe` may also be an absolute path of any program, or a Windows one ('C:\\windows\\...')."""
        windows_path = re.match(r"^[A-Za-z]:\\", str(exe))
        if windows_path:
            drive = self.prefix / "dosdevices" / str(exe)[:2].lower()
            exe_path = drive.resolve() / PureWindowsPath(str(exe)[3:]).as_posix()
            cwd = cwd or self.tmp_dir
        else:
            exe_path = Path(exe)
        if not exe_path.is_absolute():
            exe_path = Path(folder or self.fresh_dist()) / exe
        program = Program(self, exe_path, cwd=cwd, args=args,
                          name=name or f"{exe_path.stem}-{len(self.programs) + 1}", trace_sounds=trace_sounds, at=at)
        self.programs.append(program)
        return program.start()

    def system_program(self, name):
        """A program of the prefix's Windows, e.g. system_program('notepad.exe')."""
        for folder in ("windows/system32", "windows"):
            candidate = self.prefix / "drive_c" / folder / name
            if candidate.is_file():
                return candidate
        raise FileNotFoundError(name)

    def end_programs(self):
        """Kills every program this session started that is still running."""
        for p in self.programs:
            if p.running():
                p.kill()

    # --- other processes -------------------------------------------------------------------
    def watch_keys(self, name="keywatch"):
        """A KeyWatcher (use as a context manager)."""
        return KeyWatcher(self.wine, self.driver_exe, self.log_dir, name)

    def run_driver(self, *words, name="oneshot", cwd=None):
        """A driver command in its own process, e.g. one that shows a message box."""
        return OneShot(self.wine, self.driver_exe, self.log_dir, words, name, cwd=cwd or self.tmp_dir)

    def system_flags(self, running=None, sticky=None, filter=None, toggle=None):
        """The screen-saver-running flag and the dwFlags of Sticky Keys, Filter Keys and Toggle Keys
        as a program starting now sees them: {'running', 'sticky', 'filter', 'toggle'} (None where
        the system has no value). Read by a fresh process, because a Wine process keeps what it read
        once. Arguments other than None are set first (Wine 8 stores the running flag, but refuses
        to set the three accessibility records and always reports their flags as 0)."""
        words = [f"--{name}={int(value)}" for name, value in
                 (("running", running), ("sticky", sticky), ("filter", filter), ("toggle", toggle))
                 if value is not None]
        return self.run_driver("sysparams", *words, name="sysparams").result(30)

    def cursor_picture(self):
        """The pointer's picture on this session's display (a CursorPicture; see harness.xcursor)."""
        from .xcursor import cursor_picture
        return cursor_picture(self.wine.display)

    def message_box(self, text, caption="mimidrive", flags=0, name="messagebox"):
        return self.run_driver("messagebox", text, caption, flags, name=name)

    # --- looking ---------------------------------------------------------------------------
    def screenshot(self, name=None):
        """The whole screen now. With a name, also saved as screenshots/<name>.png."""
        if self.display:
            image = self.display.framebuffer()
        else:
            image = self.driver.screenshot()
        if name:
            image.save_png(self.shot_dir / f"{name}.png")
        return image

    def tick(self):
        return self.driver.tick()

    def keep_failure(self, label):
        """Copies what there is to see into e2e/failures/<label>: a screenshot, the windows and
        dialogs, and every log of the session so far."""
        target = config.e2e_dir() / "failures" / label
        shutil.rmtree(target, ignore_errors=True)
        target.mkdir(parents=True)
        try:
            self.screenshot().save_png(target / "screen.png")
        except Exception as e:  # keep going: the logs matter more
            (target / "screen-error.txt").write_text(repr(e))
        if self.driver:
            state = {}
            for key, getter in (("windows", lambda: self.driver.call("windows")),
                                ("dialogs", lambda: self.driver.call("dialogs")),
                                ("foreground", lambda: self.driver.call("foreground")),
                                ("clip", lambda: self.driver.call("clip"))):
                try:
                    state[key] = getter()
                except Exception as e:
                    state[key] = repr(e)
            (target / "state.json").write_text(json.dumps(state, indent=1, ensure_ascii=False))
        shutil.copytree(self.log_dir, target / "logs", dirs_exist_ok=True)
        if self.shot_dir.exists():
            shutil.copytree(self.shot_dir, target / "screenshots", dirs_exist_ok=True)
        return target
