"""A private X display (Xvfb) on a free display number, with its screen readable as a file."""

import os
import select
import shutil
import signal
import subprocess
import time
from pathlib import Path

from . import config
from .images import Image


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
        read_end, write_end = os.pipe()
        log = open(self.workdir / "xvfb.log", "wb")
        try:
            # -displayfd makes Xvfb pick a free display itself and tell us which, so parallel
            # runs never race for a number.
            self.process = subprocess.Popen(
                [config.xvfb_binary(), "-displayfd", str(write_end), "-screen", "0",
                 f"{self.width}x{self.height}x{self.depth}", "-nolisten", "tcp", "-fbdir", str(self.fbdir),
                 "-noreset", *([] if self.show_cursor else ["-nocursor"])],
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
                    raise RuntimeError("Xvfb did not report a display number; see " + str(self.workdir / "xvfb.log"))
                chunk = os.read(read_end, 16)
                if not chunk:
                    raise RuntimeError("Xvfb exited; see " + str(self.workdir / "xvfb.log"))
                number += chunk
        except BaseException:
            self.stop()
            raise
        finally:
            os.close(read_end)
        self.name = ":" + number.decode().strip()
        return self.name

    @property
    def pid(self):
        return self.process.pid if self.process else None

    def framebuffer(self):
        """The whole screen as it is now, read straight from Xvfb's memory-mapped file."""
        return Image.from_xwd((self.fbdir / "Xvfb_screen0").read_bytes())

    def stop(self):
        if self.process and self.process.poll() is None:
            self.process.send_signal(signal.SIGTERM)
            try:
                self.process.wait(5)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait(5)
        self.process = None
