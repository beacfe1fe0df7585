"""The Unix locale a session runs under. Wine takes the ANSI code page from LC_CTYPE (ja_JP.UTF-8
gives code page 932) and the user's locale and interface language from LC_MESSAGES (LC_ALL, when
set, stands for both; LANGUAGE plays no part). A locale missing from the system is compiled once into
the build tree and used through LOCPATH, so no root rights are needed."""

import fcntl
import subprocess
from pathlib import Path

KNOWN = {"ja_JP": "ja_JP.UTF-8", "en_US": "en_US.UTF-8", "de_DE": "de_DE.UTF-8"}


def _installed():
    out = subprocess.run(["locale", "-a"], capture_output=True, text=True, check=False).stdout
    return {line.strip().lower().replace("-", "") for line in out.splitlines()}


def locale_env(short_name, cache_dir, messages=None):
    """Environment variables that put a process into the locale (e.g. 'ja_JP' or 'ja_JP.UTF-8'); with
    `messages`, into that locale's messages (the interface language) and the other's code page."""
    full = KNOWN.get(short_name, short_name)
    if messages:
        env = {"LANG": full, "LC_MESSAGES": KNOWN.get(messages, messages), "LANGUAGE": messages.split(".")[0]}
    else:
        env = {"LANG": full, "LC_ALL": full, "LANGUAGE": full.split(".")[0]}
    names = {env["LANG"], env.get("LC_MESSAGES", full)}
    installed = _installed()
    if all(name.lower().replace("-", "") in installed for name in names):
        return env
    # LOCPATH stands for every locale, so all of them are compiled there.
    cache = Path(cache_dir)
    for name in names:
        _compile(name, cache)
    env["LOCPATH"] = str(cache)
    return env


def _compile(full, cache):
    language, _, charset = full.partition(".")
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
