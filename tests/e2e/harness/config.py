"""Where things are. CMake passes every location through the environment; running by hand, the
defaults assume the repository layout with a build tree in build/."""

import os
import shutil
from pathlib import Path

REPO_ROOT = Path(__file__).resolve().parents[3]


def _path(variable, default):
    value = os.environ.get(variable)
    return Path(value) if value else Path(default)


def dist_dir():
    return _path("MIMI_DIST_DIR", REPO_ROOT / "dist")


def build_dir():
    return _path("MIMI_E2E_BUILD_DIR", REPO_ROOT / "build")


def driver_exe():
    return _path("MIMI_DRIVER", build_dir() / "windows-x86_64" / "tests" / "e2e" / "driver" / "mimidrive.exe")


def wine_prefix():
    return _path("MIMI_WINEPREFIX", build_dir() / "wineprefix")


def monitors_prefix():
    """The prefix of the sessions on the display with two monitors: a prefix of their own, so their
    wineserver (and Wine's desktop, which belongs to one display) is never the Xvfb sessions'."""
    shared = wine_prefix()
    return _path("MIMI_MONITORS_WINEPREFIX", shared.parent / (shared.name + "-monitors"))


def default_locale():
    """ja_JP unless the test was registered for another locale."""
    return os.environ.get("MIMI_E2E_LOCALE", "ja_JP")


def e2e_dir():
    """Logs, screenshots and kept failures of the e2e tests."""
    return build_dir() / "e2e"


def _first_existing(candidates):
    for c in candidates:
        if c and Path(c).is_file() and os.access(c, os.X_OK):
            return str(c)
    return None


def wine_binary():
    found = _first_existing([os.environ.get("MIMI_WINE"), "/usr/lib/wine/wine64", shutil.which("wine64"),
                             shutil.which("wine")])
    if not found:
        raise FileNotFoundError("wine64 not found (install the wine64 package or set MIMI_WINE)")
    return found


def wineserver_binary():
    wine = Path(wine_binary())
    found = _first_existing([os.environ.get("MIMI_WINESERVER"), wine.parent / "wineserver",
                             "/usr/lib/wine/wineserver", shutil.which("wineserver")])
    if not found:
        raise FileNotFoundError("wineserver not found (set MIMI_WINESERVER)")
    return found


def xvfb_binary():
    found = _first_existing([os.environ.get("MIMI_XVFB"), shutil.which("Xvfb")])
    if not found:
        raise FileNotFoundError("Xvfb not found (install the xvfb package)")
    return found


def xorg_binary():
    found = _first_existing([os.environ.get("MIMI_XORG"), shutil.which("Xorg")])
    if not found:
        raise FileNotFoundError("Xorg not found (install xserver-xorg-core and xserver-xorg-video-dummy)")
    return found
