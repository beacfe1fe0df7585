"""Private X displays on free display numbers: Xvfb with its screen readable as a file, and Xorg with
two monitors side by side that can be unplugged, plugged back and resized."""

import os
import re
import select
import shutil
import signal
import subprocess
import time
from collections import namedtuple
from pathlib import Path

from . import config
from .driver import Rect
from .images import Image


def start_x_server(command, log_path, timeout=15.0):
    """Starts an X server (`command` without a display number) and returns (process, ':N').
    -displayfd makes the server pick a free display itself and tell us which, so parallel runs
    never race for a number."""
    label = Path(command[0]).name
    read_end, write_end = os.pipe()
    log = open(log_path, "wb")
    try:
        process = subprocess.Popen(
            [command[0], "-displayfd", str(write_end), *command[1:]],
            pass_fds=(write_end,), stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT,
            start_new_session=True)
    finally:
        os.close(write_end)
        log.close()
    try:
        number = b""
        deadline = time.monotonic() + timeout
        while not number.endswith(b"\n"):
            remaining = deadline - time.monotonic()
            if remaining <= 0 or not select.select([read_end], [], [], remaining)[0]:
                raise RuntimeError(f"{label} did not report a display number; see {log_path}")
            chunk = os.read(read_end, 16)
            if not chunk:
                raise RuntimeError(f"{label} exited; see {log_path}")
            number += chunk
    except BaseException:
        end_x_server(process)
        raise
    finally:
        os.close(read_end)
    return process, ":" + number.decode().strip()


def end_x_server(process):
    if process and process.poll() is None:
        process.send_signal(signal.SIGTERM)
        try:
            process.wait(5)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait(5)


class VirtualDisplay:
    def __init__(self, workdir, width=1024, height=768, depth=24, show_cursor=False):
        """Without show_cursor the pointer is not drawn, so the framebuffer holds exactly what
        programs drew (as a GDI screenshot does)."""
        self.workdir = Path(workdir)
        self.width, self.height, self.depth = width, height, depth
        self.show_cursor = show_cursor
        self.process = None
        self.name = None

    def start(self, timeout=15.0):
        self.workdir.mkdir(parents=True, exist_ok=True)
        self.fbdir = self.workdir / "framebuffer"
        shutil.rmtree(self.fbdir, ignore_errors=True)
        self.fbdir.mkdir()
        self.process, self.name = start_x_server(
            [config.xvfb_binary(), "-screen", "0", f"{self.width}x{self.height}x{self.depth}", "-nolisten", "tcp",
             "-fbdir", str(self.fbdir), "-noreset", *([] if self.show_cursor else ["-nocursor"])],
            self.workdir / "xvfb.log", timeout)
        return self.name

    @property
    def pid(self):
        return self.process.pid if self.process else None

    def framebuffer(self):
        """The whole screen as it is now, read straight from Xvfb's memory-mapped file."""
        return Image.from_xwd((self.fbdir / "Xvfb_screen0").read_bytes())

    def stop(self):
        end_x_server(self.process)
        self.process = None


# The root window's colour on the display with two monitors: what a monitor shows where no window
# covers it; a colour programs hardly ever draw.
ROOT_COLOUR = (60, 138, 95)

XORG_CONFIG = """\
Section "Device"
  Identifier "D0"
  Driver "dummy"
  VideoRam 256000
EndSection
Section "Monitor"
  Identifier "M0"
  HorizSync 5.0-1000.0
  VertRefresh 5.0-200.0
EndSection
Section "Screen"
  Identifier "S0"
  Device "D0"
  Monitor "M0"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Virtual {width} {height}
  EndSubSection
EndSection
Section "ServerFlags"
  Option "AutoAddDevices" "false"
EndSection
"""

_MONITOR_LINE = re.compile(r"^\s*\d+:\s+\+?(\*?)(\S+)\s+(\d+)/\d+x(\d+)/\d+\+(-?\d+)\+(-?\d+)")


# A monitor as the X server lists it: its XRandR output, its Rect, whether it is the primary.
Monitor = namedtuple("Monitor", "output rect primary")


class TwoMonitorDisplay:
    """Xorg with the dummy video driver on a free display number: a primary monitor (output
    DUMMY0) and a second one (DUMMY1) to its right, each an XRandR output, which Wine reports as a
    monitor. The second can be unplugged and plugged back (also on the left) and the primary
    resized while programs run. Xvfb cannot place two monitors side by side; Xorg needs root.

    Wine's (0, 0) is the primary's corner, at `origin` in X's coordinates: the monitors are given in
    Wine's coordinates, and `in_x` turns a Rect into X's, as the screenshots have them.

    After every change the server is asked for its monitors (`xrandr --listmonitors`): until a
    client makes it probe afresh, Wine keeps reading the old layout."""

    PRIMARY, SECOND = "DUMMY0", "DUMMY1"

    def __init__(self, workdir, primary=(1024, 768), second=(800, 600)):
        self.workdir = Path(workdir)
        self.primary_size = tuple(primary)
        self.second_size = tuple(second)
        self.second_plugged = False
        self.origin = (0, 0)
        self.process = None
        self.name = None
        self._modes = set()
        self._output_modes = set()

    def start(self, timeout=15.0):
        self.workdir.mkdir(parents=True, exist_ok=True)
        self.config_path = self.workdir / "xorg.conf"
        self.config_path.write_text(XORG_CONFIG.format(width=self.primary_size[0] + self.second_size[0],
                                                       height=max(self.primary_size[1], self.second_size[1])))
        # -sharevts -novtswitch: the server shares the machine's console and never switches it.
        self.process, self.name = start_x_server(
            [config.xorg_binary(), "-config", str(self.config_path), "-noreset", "-nolisten", "tcp",
             "-sharevts", "-novtswitch", "-logfile", str(self.workdir / "xorg.log")],
            self.workdir / "xorg.out", timeout)
        try:
            self._tool("xsetroot", "-solid", "#{:02x}{:02x}{:02x}".format(*ROOT_COLOUR))
            self.resize_primary(*self.primary_size)
            self.plug()
        except BaseException:
            self.stop()
            raise
        return self.name

    @property
    def pid(self):
        return self.process.pid if self.process else None

    def stop(self):
        end_x_server(self.process)
        self.process = None

    # --- the monitors ----------------------------------------------------------------------
    def _tool(self, *words):
        env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
        env["DISPLAY"] = self.name
        words = [str(w) for w in words]
        done = subprocess.run(words, env=env, stdin=subprocess.DEVNULL, capture_output=True, timeout=20,
                              check=False)
        if done.returncode != 0:
            raise RuntimeError(f"{' '.join(words)} failed ({done.returncode}): "
                               f"{done.stderr.decode(errors='replace').strip()}")
        return done.stdout

    def _mode(self, output, width, height):
        """A 60 Hz mode of that size, made once and offered on `output`; returns its name."""
        name = f"{width}x{height}_mimi"
        if name not in self._modes:
            htotal, vtotal = width + 224, height + 24
            clock = f"{htotal * vtotal * 60 / 1e6:.2f}"
            self._tool("xrandr", "--newmode", name, clock, width, width + 32, width + 112, htotal,
                       height, height + 3, height + 7, vtotal, "-hsync", "+vsync")
            self._modes.add(name)
        if (output, name) not in self._output_modes:
            self._tool("xrandr", "--addmode", output, name)
            self._output_modes.add((output, name))
        return name

    def monitors(self):
        """The monitors the server has now, primary first, in Wine's coordinates; asking also makes it probe afresh."""
        found = []
        for line in self._tool("xrandr", "--listmonitors").decode().splitlines():
            match = _MONITOR_LINE.match(line)
            if match:
                star, output, width, height, x, y = match.groups()
                x, y, width, height = int(x), int(y), int(width), int(height)
                found.append(Monitor(output, Rect((x, y, x + width, y + height)), star == "*"))
        found.sort(key=lambda m: not m.primary)
        self.origin = (found[0].rect.left, found[0].rect.top) if found else (0, 0)
        dx, dy = self.origin
        return [m._replace(rect=Rect((m.rect.left - dx, m.rect.top - dy, m.rect.right - dx, m.rect.bottom - dy)))
                for m in found]

    def in_x(self, rect):
        """A Rect in Wine's coordinates as X has it."""
        dx, dy = self.origin
        return Rect((rect[0] + dx, rect[1] + dy, rect[2] + dx, rect[3] + dy))

    def unplug(self):
        """Takes the second monitor away; returns the monitors left."""
        self._tool("xrandr", "--output", self.SECOND, "--off")
        self.second_plugged = False
        return self.monitors()

    def plug(self, side="right"):
        """Plugs the second monitor back in, to the right or left of the primary; returns the monitors."""
        mode = self._mode(self.SECOND, *self.second_size)
        self._tool("xrandr", "--output", self.PRIMARY, "--primary", "--output", self.SECOND, "--mode", mode,
                   f"--{side}-of", self.PRIMARY)
        self.second_plugged = True
        return self.monitors()

    def resize_primary(self, width, height):
        """Gives the primary monitor another size; a plugged second monitor stays to its right.
        Returns the monitors."""
        mode = self._mode(self.PRIMARY, width, height)
        words = ["xrandr", "--output", self.PRIMARY, "--mode", mode, "--pos", "0x0", "--primary"]
        if self.second_plugged:
            words += ["--output", self.SECOND, "--right-of", self.PRIMARY]
        self._tool(*words)
        self.primary_size = (width, height)
        return self.monitors()

    # --- looking --------------------------------------------------------------------------
    def screenshot(self):
        """The whole X root window, every monitor in it, as it is now (about 0.2 s)."""
        return Image.from_ppm(self._tool("import", "-silent", "-window", "root", "-depth", "8", "ppm:-"))

    framebuffer = screenshot
