"""Running Wine processes in the harness's prefix, on the harness's display, in its locale.

Every Wine process writes stdout/stderr to files: Wine's background processes inherit them, and a
pipe they hold would never reach end-of-file."""

import os
import subprocess
from pathlib import Path

from . import config

# Mono and Gecko are never wanted; winemenubuilder would write desktop entries into $HOME.
DLL_OVERRIDES = "mscoree,mshtml=;winemenubuilder.exe=d"
QUIET = "-all"
# Every PlaySound call with its time (seconds of GetTickCount) and process, the names of the sounds the
# toy plays from memory (its debug lines), the shell's notes on calls it only pretends to carry out,
# plus real errors.
SOUND_TRACE = "-all,err+all,trace+winmm,warn+seh,fixme+shell,+timestamp,+pid"

# An ALSA sink that accepts sound and throws it away, so PlaySound succeeds as on a PC with
# speakers and a playing sound occupies the player for a while.
ALSA_NULL_SINK = "pcm.!default { type null }\nctl.!default { type hw card 0 }\n"


class Wine:
    def __init__(self, prefix, display=None, locale=None, home=None, audio="null"):
        self.prefix = Path(prefix)
        self.display = display
        self.locale = dict(locale or {})
        self.home = Path(home) if home else None
        self.audio = audio
        self.wine = config.wine_binary()
        self.wineserver = config.wineserver_binary()
        if audio not in ("null", "none"):
            raise ValueError("audio is 'null' or 'none'")
        if self.home:
            self.home.mkdir(parents=True, exist_ok=True)
            asoundrc = self.home / ".asoundrc"
            if audio == "null":
                asoundrc.write_text(ALSA_NULL_SINK)
            elif asoundrc.exists():
                asoundrc.unlink()

    def env(self, debug=QUIET, extra=None):
        env = {k: v for k, v in os.environ.items()
               if k not in ("DISPLAY", "WAYLAND_DISPLAY", "LOCPATH", "LC_ALL", "LANGUAGE", "WINEDEBUG")}
        env.update(self.locale)
        env["WINEPREFIX"] = str(self.prefix)
        env["WINEDLLOVERRIDES"] = DLL_OVERRIDES
        env["WINEDEBUG"] = debug
        if self.display:
            env["DISPLAY"] = self.display
        if self.home:
            env["HOME"] = str(self.home)
        if extra:
            env.update(extra)
        return env

    def popen(self, args, stdout, stderr=None, stdin=subprocess.DEVNULL, cwd=None, debug=QUIET, extra_env=None):
        """Starts `wine64 args...`; stdout/stderr are paths (appended to) or open files."""
        out = open(stdout, "ab") if isinstance(stdout, (str, Path)) else stdout
        err = open(stderr, "ab") if isinstance(stderr, (str, Path)) else (stderr or subprocess.STDOUT)
        try:
            return subprocess.Popen([self.wine, *map(str, args)], stdin=stdin, stdout=out, stderr=err,
                                    cwd=str(cwd) if cwd else None, env=self.env(debug, extra_env))
        finally:
            if out is not stdout:
                out.close()
            if err is not stderr and err is not subprocess.STDOUT:
                err.close()

    def run(self, args, log, timeout=60, cwd=None, debug=QUIET):
        """Runs to completion with output appended to `log`; returns the exit status."""
        process = self.popen(args, stdout=log, stderr=subprocess.STDOUT, cwd=cwd, debug=debug)
        try:
            return process.wait(timeout)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()
            raise

    def server(self, *flags, timeout=30):
        """wineserver with flags, e.g. server('-k') ends every process of the prefix."""
        return subprocess.run([self.wineserver, *flags], env=self.env(), stdin=subprocess.DEVNULL,
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=timeout,
                              check=False).returncode

    def end_everything(self):
        """Ends every Wine process of the prefix and waits until the server is gone."""
        self.server("-k", timeout=30)
        try:
            self.server("-w", timeout=30)
        except subprocess.TimeoutExpired:
            pass
