"""The Unix locale a session runs under. Wine takes the Windows locale and the ANSI code page from
it (ja_JP.UTF-8 gives code page 932). A locale missing from the system is compiled once into the
build tree and used through LOCPATH, so no root rights are needed."""

import fcntl
import subprocess
from pathlib import Path

KNOWN = {"ja_JP": "ja_JP.UTF-8", "en_US": "en_US.UTF-8"}


def _installed():
    out = subprocess.run(["locale", "-a"], capture_output=True, text=True, check=False).stdout
    return {line.strip().lower().replace("-", "") for line in out.splitlines()}


def locale_env(short_name, cache_dir):
    """Environment variables that put a process into the locale (e.g. 'ja_JP' or 'ja_JP.UTF-8')."""
    full = KNOWN.get(short_name, short_name)
    env = {"LANG": full, "LC_ALL": full, "LANGUAGE": full.split(".")[0]}
    if full.lower().replace("-", "") in _installed():
        return env
    language, _, charset = full.partition(".")
    cache = Path(cache_dir)
    cache.mkdir(parents=True, exist_ok=True)
    target = cache / full
    with open(cache / ".lock", "w") as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        if not (target / "LC_CTYPE").exists():
            result = subprocess.run(["localedef", "-i", language, "-f", charset or "UTF-8", str(target)],
                                    capture_output=True, text=True, check=False)
            if not (target / "LC_CTYPE").exists():
                raise RuntimeError(f"cannot build locale {full}: {result.stderr.strip()}\n"
                                   f"install it instead: sed -i 's/^# *{full} /{full} /' /etc/locale.gen"
                                   f" && locale-gen")
    env["LOCPATH"] = str(cache)
    return env
