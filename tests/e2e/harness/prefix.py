"""The harness's private Wine prefix: made once, reused by every session.

Making it is guarded by a lock file, so two test processes starting at once make it only once, and
is marked finished by a stamp file written last: a prefix without the stamp is half-made (an
interrupted run) and is made again from scratch."""

import argparse
import fcntl
import shutil
import subprocess
import sys
import time
from pathlib import Path

if __package__ in (None, ""):
    sys.path.insert(0, str(Path(__file__).resolve().parents[1]))
    __package__ = "harness"  # noqa: A001

from . import config  # noqa: E402
from .locales import locale_env  # noqa: E402
from .wine import Wine  # noqa: E402

# Bump when the settings below change, so existing prefixes are made again.
RECIPE = 1
STAMP = ".mimitap-prefix"

# Japanese glyphs come from the IPA fonts: linked behind the fonts Windows dialogs and programs
# name, and standing in for the Japanese Windows fonts.
IPA_GOTHIC_LINK = ["ipagp.ttf,IPAPGothic", "ipag.ttf,IPAGothic"]
LINKED_FONTS = ["Tahoma", "Tahoma Bold", "MS Shell Dlg", "MS Shell Dlg 2", "MS UI Gothic", "Segoe UI",
                "Microsoft Sans Serif", "MS Sans Serif", "Arial", "Arial Bold", "Times New Roman",
                "Courier New", "Lucida Sans Unicode", "Verdana", "Meiryo", "Meiryo UI"]
SUBSTITUTES = {
    "MS UI Gothic": "IPAPGothic", "MS Gothic": "IPAGothic", "MS PGothic": "IPAPGothic",
    "MS Mincho": "IPAMincho", "MS PMincho": "IPAPMincho",
    "ＭＳ ゴシック": "IPAGothic", "ＭＳ Ｐゴシック": "IPAPGothic", "ＭＳ 明朝": "IPAMincho",
    "ＭＳ Ｐ明朝": "IPAPMincho", "Meiryo": "IPAPGothic", "Meiryo UI": "IPAPGothic", "メイリオ": "IPAPGothic",
}


def _multi_sz(values):
    data = "".join(v + "\0" for v in values) + "\0"
    return "hex(7):" + ",".join(f"{b:02x}" for b in data.encode("utf-16-le"))


def registry_file():
    """The settings as a .reg file (UTF-16 with BOM, as regedit expects for version 5)."""
    lines = ["Windows Registry Editor Version 5.00", ""]

    def key(name, values):
        lines.append(f"[{name}]")
        for value_name, value in values.items():
            lines.append(f'"{value_name}"={value}')
        lines.append("")

    # Without a window manager Wine must place and size windows itself, or a window maximised
    # after creation can stay smaller than the screen.
    key(r"HKEY_CURRENT_USER\Software\Wine\X11 Driver", {"Managed": '"N"'})
    # A crash ends the program with a backtrace in its log instead of a dialog that waits forever.
    key(r"HKEY_CURRENT_USER\Software\Wine\WineDbg", {"ShowCrashDialog": "dword:00000000"})
    # Only ALSA (and so the null sink the harness configures); no PulseAudio probing.
    key(r"HKEY_CURRENT_USER\Software\Wine\Drivers", {"Audio": '"alsa"'})
    key(r"HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink",
        {name: _multi_sz(IPA_GOTHIC_LINK) for name in LINKED_FONTS})
    key(r"HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes",
        {name: f'"{face}"' for name, face in SUBSTITUTES.items()})
    return "\r\n".join(lines) + "\r\n"


def _wine_version(wine):
    return subprocess.run([wine, "--version"], capture_output=True, text=True, check=False).stdout.strip()


def _stamp_text(wine):
    # A prefix made before Wine's 32-bit half was installed cannot run 32-bit programs: made again.
    halves = "64+32" if (Path(wine).resolve().parent / "wine").is_file() else "64"
    return f"recipe {RECIPE}\n{_wine_version(wine)}\n{halves}\n"


def is_ready(prefix, wine=None):
    stamp = Path(prefix) / STAMP
    return stamp.is_file() and stamp.read_text() == _stamp_text(wine or config.wine_binary())


def ensure_prefix(prefix=None, log_dir=None):
    """Makes the prefix unless a finished one is there. Returns the seconds spent making it."""
    prefix = Path(prefix or config.wine_prefix())
    log_dir = Path(log_dir or config.e2e_dir() / "logs")
    log_dir.mkdir(parents=True, exist_ok=True)
    prefix.parent.mkdir(parents=True, exist_ok=True)
    # Always made in the same locale, whichever session happens to make it.
    wine = Wine(prefix, locale=locale_env("ja_JP", config.e2e_dir() / "locales"))
    with open(prefix.parent / (prefix.name + ".lock"), "w") as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        if is_ready(prefix, wine.wine):
            return 0.0
        started = time.monotonic()
        if prefix.exists():
            wine.end_everything()
            shutil.rmtree(prefix)
        log = log_dir / "prefix.log"
        log.write_bytes(b"")
        # No display: nothing is shown while the prefix is made, and the "updating" phase ends
        # when every process of the new prefix has exited.
        status = wine.run(["wineboot", "--init"], log, timeout=300)
        wine.server("-w", timeout=120)
        if status != 0 or not (prefix / "system.reg").is_file():
            raise RuntimeError(f"wineboot failed ({status}); see {log}")
        reg = prefix / "drive_c" / "mimitap-harness.reg"
        reg.write_bytes(b"\xff\xfe" + registry_file().encode("utf-16-le"))
        status = wine.run(["regedit", "/S", "C:\\mimitap-harness.reg"], log, timeout=120)
        if status != 0:
            raise RuntimeError(f"regedit failed ({status}); see {log}")
        # wineserver writes the registry files when it exits.
        wine.server("-k", timeout=60)
        wine.server("-w", timeout=60)
        reg.unlink()
        (prefix / STAMP).write_text(_stamp_text(wine.wine))
        return time.monotonic() - started


def main():
    parser = argparse.ArgumentParser(description="Make the e2e Wine prefix unless it is there.")
    parser.add_argument("--prefix", type=Path, default=None)
    args = parser.parse_args()
    prefix = args.prefix or config.wine_prefix()
    spent = ensure_prefix(prefix)
    print(f"prefix {prefix} ready" + (f" (made in {spent:.1f} s)" if spent else " (already made)"))


if __name__ == "__main__":
    main()
