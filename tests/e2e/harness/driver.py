"""Python side of mimidrive.exe: one long-lived driver process per session answering commands over
a pipe (a round trip takes a few milliseconds), plus separate processes for the commands that run
alongside others (the key watcher, message boxes, program launches)."""

import json
import os
import select
import subprocess
import time
from pathlib import Path

from .images import Image
from .waiting import wait_until

# SendMessage/PostMessage numbers the tests use often.
WM_CLOSE = 0x0010
WM_COMMAND = 0x0111
WM_SYSCOMMAND = 0x0112
WM_KEYDOWN = 0x0100
WM_KEYUP = 0x0101
WM_CHAR = 0x0102
SC_CLOSE = 0xF060

# Dialog button ids.
IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO = 1, 2, 3, 4, 5, 6, 7

# MessageBox styles (for the driver's own message boxes in self-tests).
MB_OK, MB_OKCANCEL, MB_YESNOCANCEL, MB_YESNO = 0x0, 0x1, 0x3, 0x4
MB_ICONERROR, MB_ICONQUESTION, MB_ICONWARNING, MB_ICONINFORMATION = 0x10, 0x20, 0x30, 0x40

WS_VISIBLE = 0x10000000
WS_EX_TOPMOST = 0x00000008


class DriverError(RuntimeError):
    """The driver refused a command or did not answer."""


class Rect(tuple):
    """(left, top, right, bottom) in screen coordinates."""

    __slots__ = ()

    def __new__(cls, values):
        return super().__new__(cls, tuple(values))

    left = property(lambda self: self[0])
    top = property(lambda self: self[1])
    right = property(lambda self: self[2])
    bottom = property(lambda self: self[3])
    width = property(lambda self: self[2] - self[0])
    height = property(lambda self: self[3] - self[1])
    center = property(lambda self: ((self[0] + self[2]) // 2, (self[1] + self[3]) // 2))

    def contains(self, x, y):
        return self[0] <= x < self[2] and self[1] <= y < self[3]


class Record:
    """A JSON object from the driver with attribute access; rectangles become Rect."""

    RECTS = ("rect", "client", "clip", "workarea", "virtual")

    def __init__(self, data):
        for key, value in data.items():
            if key in self.RECTS and isinstance(value, list):
                value = Rect(value)
            setattr(self, key, value)
        self._data = data

    def __repr__(self):
        fields = ", ".join(f"{k}={v!r}" for k, v in self._data.items() if k != "controls")
        return f"{type(self).__name__}({fields})"


class Window(Record):
    """hwnd, class, title, style, exstyle, rect, client, parent, owner, id, visible, topmost,
    enabled, iconic, zoomed, pid, tid."""

    @property
    def class_name(self):
        return getattr(self, "class")


class Dialog(Record):
    """A #32770 window: hwnd, title, text, icon ('information', 'warning', 'error', 'question',
    'application', 'none' or 'unknown'), buttons, controls, owner, topmost, foreground, pid, rect."""

    def __init__(self, data):
        super().__init__(data)
        self.buttons = [Record(b) for b in data.get("buttons", [])]
        self.controls = [Window(c) for c in data.get("controls", [])]

    def button(self, text=None, id=None):
        """The button whose id matches, or whose text matches ignoring '&' accelerators."""
        for b in self.buttons:
            if id is not None and b.id == id:
                return b
            if text is not None and b.text.replace("&", "") == text.replace("&", ""):
                return b
        raise LookupError(f"no button {text or id} in {[b.text for b in self.buttons]}")


class Driver:
    """The long-lived driver. Every method is one command and one reply line."""

    def __init__(self, wine, exe, log_path, cwd=None, debug="-all", screen=None):
        self.wine = wine
        self.exe = Path(exe)
        self.log_path = Path(log_path)
        self.cwd = cwd
        self.debug = debug
        self.process = None
        self._buffer = b""
        self.screen = screen  # a VirtualDisplay, if the session owns one: screenshots read it directly
        self.x_origin = (0, 0)  # where X has Wine's (0, 0): the primary monitor's corner

    # --- the process ---------------------------------------------------------------------
    def start(self, timeout=60):
        if not self.exe.is_file():
            raise FileNotFoundError(f"driver not built: {self.exe}")
        self.process = self.wine.popen([self.exe, "serve"], stdout=subprocess.PIPE, stderr=self.log_path,
                                       stdin=subprocess.PIPE, cwd=self.cwd, debug=self.debug)
        self._buffer = b""
        self.call("system", timeout=timeout)
        return self

    def close(self):
        if not self.process:
            return
        try:
            if self.process.poll() is None:
                self.process.stdin.write(b"exit\n")
                self.process.stdin.flush()
                self.process.wait(5)
        except (OSError, subprocess.TimeoutExpired):
            self.process.kill()
            self.process.wait()
        for stream in (self.process.stdin, self.process.stdout):
            try:
                stream.close()
            except OSError:
                pass
        self.process = None

    def _read_line(self, timeout):
        fd = self.process.stdout.fileno()
        deadline = time.monotonic() + timeout
        while b"\n" not in self._buffer:
            remaining = deadline - time.monotonic()
            if remaining <= 0 or not select.select([fd], [], [], remaining)[0]:
                return None
            chunk = os.read(fd, 65536)
            if not chunk:
                raise DriverError(f"driver exited (status {self.process.poll()}); see {self.log_path}")
            self._buffer += chunk
        line, self._buffer = self._buffer.split(b"\n", 1)
        return line

    def call(self, *words, timeout=15.0):
        """Runs one command; returns the reply as a dict or raises DriverError."""
        if not self.process or self.process.poll() is not None:
            raise DriverError("driver is not running")
        text = "\t".join(str(w) for w in words)
        if "\n" in text:
            raise ValueError("a command word cannot contain a newline")
        self.process.stdin.write(text.encode() + b"\n")
        self.process.stdin.flush()
        line = self._read_line(timeout)
        if line is None:
            # A hung command leaves the protocol out of step: start a fresh driver.
            self.process.kill()
            self.process.wait()
            self.start()
            raise DriverError(f"no answer to {words[0]} within {timeout} s")
        reply = json.loads(line)
        if not reply.get("ok"):
            raise DriverError(f"{words[0]}: {reply.get('error')}")
        return reply

    # The pipes hold 64 KiB each way: a batch of this many short commands fits in either.
    BATCH_LIMIT = 500

    def batch(self, commands, timeout=60.0):
        """Runs a list of commands (each a sequence of words) written all at once, then reads
        their replies in order: a long run of input costs one round trip instead of one per
        command. Returns the replies; raises DriverError for the first refused command."""
        if len(commands) > self.BATCH_LIMIT:
            raise ValueError(f"at most {self.BATCH_LIMIT} commands in one batch")
        if not self.process or self.process.poll() is not None:
            raise DriverError("driver is not running")
        lines = []
        for words in commands:
            text = "\t".join(str(w) for w in words)
            if "\n" in text:
                raise ValueError("a command word cannot contain a newline")
            lines.append(text.encode() + b"\n")
        self.process.stdin.write(b"".join(lines))
        self.process.stdin.flush()
        deadline = time.monotonic() + timeout
        replies = []
        for words in commands:
            line = self._read_line(max(0.0, deadline - time.monotonic()))
            if line is None:
                self.process.kill()
                self.process.wait()
                self.start()
                raise DriverError(f"batch: no answer to {words[0]} within {timeout} s")
            replies.append(json.loads(line))
        # Every reply is read before any failure is raised, so the next command stays in step.
        for words, reply in zip(commands, replies):
            if not reply.get("ok"):
                raise DriverError(f"batch: {words[0]}: {reply.get('error')}")
        return replies

    # --- windows -------------------------------------------------------------------------
    @staticmethod
    def _filters(title=None, class_name=None, pid=None, id=None, visible=False):
        words = []
        if title is not None:
            words.append(f"--title={title}")
        if class_name is not None:
            words.append(f"--class={class_name}")
        if pid is not None:
            words.append(f"--pid={pid}")
        if id is not None:
            words.append(f"--id={id}")
        if visible:
            words.append("--visible")
        return words

    def windows(self, title=None, class_name=None, pid=None, visible=False):
        """Top-level windows, filtered by exact title, class name, process id, visibility."""
        reply = self.call("windows", *self._filters(title, class_name, pid, None, visible))
        return [Window(w) for w in reply["windows"]]

    def children(self, hwnd, class_name=None, id=None, visible=False):
        """All descendants of a window, e.g. children(frame, id=59648) for the view pane."""
        reply = self.call("children", hwnd, *self._filters(None, class_name, None, id, visible))
        return [Window(w) for w in reply["windows"]]

    def window(self, hwnd):
        """The window now, or None once it is destroyed."""
        reply = self.call("window", hwnd)
        return Window(reply["window"]) if reply["exists"] else None

    def foreground(self):
        """{'foreground', 'active', 'focus', 'capture'} handles, and 'window' (a Window) if any."""
        reply = self.call("foreground")
        if "window" in reply:
            reply["window"] = Window(reply["window"])
        return reply

    def text(self, hwnd):
        """The window's text through WM_GETTEXT (works for edit controls of other programs)."""
        return self.call("text", hwnd)["text"]

    def send(self, hwnd, message, wparam=0, lparam=0, timeout_ms=5000):
        """SendMessage; returns the result. Raises DriverError if the window did not answer."""
        reply = self.call("send", hwnd, message, wparam, lparam, f"--timeout={timeout_ms}",
                          timeout=timeout_ms / 1000 + 10)
        if not reply["delivered"]:
            raise DriverError(f"message {message:#x} not delivered (error {reply.get('lasterror')})")
        return reply["result"]

    def post(self, hwnd, message, wparam=0, lparam=0):
        return self.call("post", hwnd, message, wparam, lparam)["posted"]

    def activate(self, hwnd):
        return self.call("activate", hwnd)

    # --- screen --------------------------------------------------------------------------
    def screen_size(self):
        reply = self.call("screen")
        return reply["width"], reply["height"]

    def clip(self, release=False):
        """The cursor clip (the whole screen when nothing clips it), after dropping it if `release`."""
        return Rect(self.call("clip", *(["release"] if release else []))["clip"])

    def key_held(self, vk):
        return self.call("keystate", vk)["down"]

    def threads(self, pid):
        """{tid: priority} of a process's threads."""
        return {t["tid"]: t["priority"] for t in self.call("threads", pid)["threads"]}

    def monitors(self):
        """The monitors as the system reports them: a Record with count (SM_CMONITORS), virtual
        (the virtual screen's Rect) and monitors (Records with rect, workarea, primary)."""
        reply = self.call("monitors")
        found = Record(reply)
        found.monitors = [Record(m) for m in reply["monitors"]]
        return found

    def cursor(self):
        reply = self.call("cursor")
        return reply["x"], reply["y"]

    def cursor_info(self):
        """{'showing', 'handle', 'x', 'y'} of the cursor shown now. Under Wine another program's
        cursor handle cannot be read further; Session.cursor_picture() reads its picture."""
        return self.call("cursorinfo")

    def show_cursor(self, path):
        """A small top-most window of the driver under the pointer wears this cursor file until
        the next call; None takes it away. For Session.cursor_picture() to learn a file's picture."""
        self.call("showcursor", "-" if path is None else path)

    def pixels(self, points):
        """Colours [(r, g, b), ...] at [(x, y), ...], all read from one copy of the screen."""
        words = [v for p in points for v in p]
        return [tuple(c) for c in self.call("pixels", *words)["pixels"]]

    def pixel(self, x, y):
        return self.pixels([(x, y)])[0]

    def screenshot(self, path=None, rect=None):
        """The screen (or a rect) through GDI as the driver sees it; saved as PNG if path ends so."""
        target = Path(path) if path else self.log_path.parent / "driver-shot.bmp"
        bmp = target.with_suffix(".bmp")
        words = ["screenshot", bmp]
        if rect:
            left, top, right, bottom = rect
            words += [left, top, right - left, bottom - top]
        self.call(*words)
        image = Image.load(bmp)
        if target.suffix.lower() == ".png":
            image.save_png(target)
            bmp.unlink()
        return image

    def draw_text(self, text, scale=1, face=None, points=9):
        """`text` as DrawTextW draws it, black on white, in the system's menu font at `scale` times
        its height, or in the font `face` of `points` points (an ampersand underlines the next letter)."""
        bmp = self.log_path.parent / "driver-text.bmp"
        self.call("drawtext", bmp, text, f"--scale={scale}", *([f"--face={face}", f"--points={points}"] if face else []))
        return Image.load(bmp)

    # --- input ---------------------------------------------------------------------------
    def key_down(self, vk):
        self.call("key", vk, "down")

    def key_up(self, vk):
        self.call("key", vk, "up")

    def chord(self, modifier, vk, lead_ms=250):
        """A grown-up's chord: the modifier held down for a moment, a tap of the key, the modifier up."""
        self.batch([("key", modifier, "down", f"--after={lead_ms}"), ("key", vk, "tap"), ("key", modifier, "up")])

    def tap(self, vk, gap_ms=20):
        """Press and release a key (virtual-key code)."""
        self.call("key", vk, "tap", f"--gap={gap_ms}")

    def hold(self, vk, ms, first_repeat_ms=500, every_ms=33):
        """Hold a key for `ms` with typematic repeats: repeated key-downs, then one key-up.
        Returns the number of key-down events sent."""
        reply = self.call("key", vk, "hold", f"--ms={ms}", f"--first={first_repeat_ms}", f"--every={every_ms}",
                          timeout=ms / 1000 + 15)
        return reply["downs"]

    def type_keys(self, text, gap_ms=20):
        """Taps the keys for letters, digits and spaces (letters arrive lower-case)."""
        for ch in text:
            if ch == " ":
                self.tap(0x20, gap_ms)
            elif ch.isascii() and ch.isalnum():
                self.tap(ord(ch.upper()), gap_ms)
            else:
                raise ValueError(f"no key for {ch!r}")

    def move(self, x, y, steps=1, gap_ms=10, anywhere=False):
        """Absolute mouse move (in `steps` even steps from where the cursor is); returns the
        cursor position afterwards. anywhere: (x, y) on the virtual screen, so on any monitor
        (in one step); otherwise on the primary monitor."""
        words = ["--virtual"] if anywhere else [f"--steps={steps}", f"--gap={gap_ms}"]
        reply = self.call("move", x, y, *words, timeout=steps * gap_ms / 1000 + 15)
        self._warp_x_pointer(reply["x"], reply["y"])
        return reply["x"], reply["y"]

    def _warp_x_pointer(self, x, y):
        """Injected input moves Wine's cursor but not the X pointer; when a window move or a menu
        grabs the pointer, X reports where its pointer was left and the cursor jumps there. Wine's
        origin is the primary monitor's corner, at `x_origin` in X's coordinates."""
        if self.wine.display:
            x, y = x + self.x_origin[0], y + self.x_origin[1]
            subprocess.run(["xdotool", "mousemove", str(x), str(y)], env={**os.environ, "DISPLAY": self.wine.display},
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=False, timeout=10)

    def button_down(self, button="left"):
        self.call("button", button, "down")

    def button_up(self, button="left"):
        self.call("button", button, "up")

    def click(self, x=None, y=None, button="left", gap_ms=20):
        options = [f"--gap={gap_ms}"]
        if x is not None:
            self.move(x, y)
            # The press and release carry the point too: Wine may warp the pointer after a menu closes.
            options.append(f"--at={x},{y}")
        self.call("button", button, "click", *options)

    def drag(self, points, button="left", steps=4, gap_ms=10):
        """Press at the first point, move through the others, release at the last."""
        (x0, y0), rest = points[0], points[1:]
        self.move(x0, y0)
        self.button_down(button)
        for x, y in rest:
            self.move(x, y, steps=steps, gap_ms=gap_ms)
        self.button_up(button)

    def wheel(self, delta):
        """Turn the wheel; positive is away from the user (120 per notch)."""
        self.call("wheel", delta)

    def locks(self):
        """The system-wide toggle state: {'capslock', 'numlock', 'scrolllock', 'insert'} as bools.

        A program keeps its own copy: one started after a lock key was turned on still sees it
        off; a lock key tapped while the program is in front is seen by it."""
        reply = self.call("locks")
        return {k: reply[k] for k in ("capslock", "numlock", "scrolllock", "insert")}

    # --- dialogs -------------------------------------------------------------------------
    def dialogs(self, pid=None, hidden=False):
        words = ["dialogs"]
        if pid is not None:
            words.append(f"--pid={pid}")
        if hidden:
            words.append("--hidden")
        return [Dialog(d) for d in self.call(*words)["dialogs"]]

    def press(self, dialog, button_id, click=False):
        """Press a dialog button (by id) as a click on it would."""
        hwnd = getattr(dialog, "hwnd", dialog)
        words = ["press", hwnd, button_id] + (["--click"] if click else [])
        return self.call(*words)["posted"]

    def wait_for_dialog(self, pid=None, timeout=10.0, predicate=None):
        def find():
            for d in self.dialogs(pid):
                if predicate is None or predicate(d):
                    return d
            return None

        return wait_until(find, timeout, message=f"no dialog (pid {pid}) within {timeout} s")

    # --- processes, libraries, registry ---------------------------------------------------
    def processes(self):
        return [Record(p) for p in self.call("processes")["processes"]]

    def proc_stats(self, pid):
        """{'handles', 'threads', 'committed', 'working_set'} of a running process. Wine reports no
        handle count (0); 'committed' is the process's committed memory (PagefileUsage)."""
        return self.call("procstats", pid)

    def kill(self, pid, code=1):
        return self.call("kill", pid, code)["terminated"]

    def wait_process(self, pid, timeout_ms=10000):
        """{'running': bool, 'exit': code if ended}."""
        return self.call("waitprocess", pid, f"--ms={timeout_ms}", timeout=timeout_ms / 1000 + 10)

    def suspend_thread(self, tid):
        """Suspends a thread of any process (e.g. a program's interface thread: its windows' tid)."""
        return self.call("thread", tid, "suspend")["previous"]

    def resume_thread(self, tid):
        return self.call("thread", tid, "resume")["previous"]

    def crash(self, pid, timeout_ms=10000):
        """Makes the process die of an unhandled exception (a thread of its own jumps to address
        0); waits for its end. {'ended': bool, 'exit': code (0xC0000005 unless a filter changes it)}."""
        return self.call("crash", pid, f"--ms={timeout_ms}", timeout=timeout_ms / 1000 + 10)

    def ininfo(self, dll):
        """Calls the library's ininfo(char[256], int*, int*, int*, int*, int*).
        Returns a Record with result, path (UTF-8, decoded from the ANSI code page), path_hex,
        terminated, values (5 ints; the value `unwritten` marks one the library left alone)."""
        return Record(self.call("ininfo", dll))

    def osver(self, dll):
        return self.call("osver", dll)["result"]

    def playsound(self, path, flags, wait_ms=0):
        """PlaySoundA(path or None, NULL, flags); returns its result."""
        return self.call("playsound", "-" if path is None else path, flags, f"--wait={wait_ms}")["result"]

    def system(self):
        """acp, oemcp, user_lcid, system_lcid, ui_language, locale, version, tick, pid, cwd."""
        return self.call("system")

    def tick(self):
        """GetTickCount now, the clock of the sound trace's timestamps (milliseconds)."""
        return self.call("system")["tick"]

    def chdir(self, path):
        return self.call("cd", path)["cwd"]

    def reg_set(self, key, name, kind, data):
        """kind is 'sz', 'dword' or 'multi_sz' (a list for multi_sz)."""
        if isinstance(data, (list, tuple)):
            data = "|".join(data)
        self.call("regset", key, name, kind, data)

    def reg_get(self, key, name):
        reply = self.call("regget", key, name)
        return reply.get("value") if reply["exists"] else None

    def reg_delete(self, key, name=None):
        return self.call("regdelete", key, *([name] if name is not None else []))["deleted"]

    def set_windows_version(self, exe_name, version):
        """Per-program Windows version Wine reports, e.g. ('mimitap.exe', 'win98'); None resets."""
        key = rf"HKCU\Software\Wine\AppDefaults\{exe_name}"
        if version is None:
            self.reg_delete(key, "Version")
        else:
            self.reg_set(key, "Version", "sz", version)


class OneShot:
    """A driver command in a process of its own (for commands that block, like a message box).
    Its output goes to a file; result() waits for the reply."""

    def __init__(self, wine, exe, log_dir, words, name, cwd=None, debug="-all", stdin=subprocess.DEVNULL):
        log_dir = Path(log_dir)
        self.out = log_dir / f"{name}.out"
        self.err = log_dir / f"{name}.err"
        self.out.write_bytes(b"")
        self.process = wine.popen([exe, *words], stdout=self.out, stderr=self.err, stdin=stdin, cwd=cwd,
                                  debug=debug)

    def lines(self):
        text = self.out.read_bytes().decode("utf-8", "replace")
        return [json.loads(line) for line in text.splitlines() if line.strip().startswith("{")]

    def running(self):
        return self.process.poll() is None

    def result(self, timeout=15.0):
        try:
            self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            raise DriverError(f"{self.out.stem} still running after {timeout} s") from None
        replies = self.lines()
        if not replies:
            raise DriverError(f"{self.out.stem} printed nothing (exit status {self.process.returncode}); "
                              f"see {self.err}")
        return replies[-1]

    def kill(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()


class KeyWatcher:
    """A low-level keyboard hook in its own process: sees every key event the system delivers,
    including keys a program synthesises with keybd_event/SendInput, in order.

        with session.watch_keys() as watcher:
            ...
        watcher.events  -> [Record(vk, scan, down, injected, extended, flags, time, message)]
    """

    def __init__(self, wine, exe, log_dir, name="keywatch", max_ms=600000):
        self._shot = None
        self._args = (wine, exe, log_dir, ["watchkeys", f"--ms={max_ms}", "--stdin"], name)
        self.events = []

    def start(self, timeout=15.0):
        wine, exe, log_dir, words, name = self._args
        self._shot = OneShot(wine, exe, log_dir, words, name, stdin=subprocess.PIPE)
        wait_until(lambda: any(r.get("ready") for r in self._shot.lines()) or not self._shot.running(),
                   timeout, message="key watcher did not start")
        if not self._shot.running():
            raise DriverError(f"key watcher ended early; see {self._shot.err}")
        return self

    def seen(self):
        """Key events so far (the watcher keeps running)."""
        return [Record(r) for r in self._shot.lines() if r.get("event") == "key"]

    def wait_for(self, predicate, timeout=5.0):
        """Waits until predicate(list of events so far) holds; returns the events."""
        found = []

        def check():
            events = self.seen()
            if predicate(events):
                found.append(events)
                return True
            return False

        wait_until(check, timeout, message="expected key events did not arrive")
        return found[0]

    def stop(self, timeout=10.0):
        if self._shot is None:
            return self.events
        try:
            self._shot.process.stdin.write(b"\n")
            self._shot.process.stdin.close()
        except OSError:
            pass
        self._shot.result(timeout)
        self.events = self.seen()
        self._shot = None
        return self.events

    def __enter__(self):
        return self.start()

    def __exit__(self, *exc):
        self.stop()
        return False
