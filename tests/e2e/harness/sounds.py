"""PlaySound calls read back from Wine's winmm trace (WINEDEBUG=trace+winmm,+timestamp,+pid).

What Wine 8 writes, per call, on the calling thread:
    651.625:0020:0024:trace:winmm:MULTIMEDIA_PlaySound pszSound='0000000000C93BA0' hmod=0000000000000000 fdwSound=00020003
and, if a player starts, on the player thread (the caller's thread for a synchronous sound):
    651.625:0020:0028:trace:winmm:proc_PlaySound SoundName=L"WAV\\\\KEY1.WAV" !
    651.669:0020:0028:trace:winmm:proc_PlaySound Done playing=L"WAV\\\\KEY1.WAV" => ok!
A stop is a call with pszSound 0 (or SND_PURGE): no player. A call with SND_NOSTOP while a sound
is still playing returns at once: no player either. Players of one process start in the order of
their calls, because each call first waits for the previous sound to end.

A sound played from memory (SND_MEMORY) shows here as its bytes: the toy names it just before the
call, on the calling thread, in a debug line (WINEDEBUG=warn+seh).
"""

import re
import time as clock
from pathlib import Path

from .waiting import wait_until

SND_SYNC = 0x0000
SND_ASYNC = 0x0001
SND_NODEFAULT = 0x0002
SND_MEMORY = 0x0004
SND_LOOP = 0x0008
SND_NOSTOP = 0x0010
SND_PURGE = 0x0040
SND_ALIAS = 0x10000
SND_FILENAME = 0x20000
SND_RESOURCE = 0x40004

_LINE = re.compile(r"^(?:(?P<time>\d+\.\d+):)?(?:(?P<pid>[0-9a-f]{4,8}):)?(?P<tid>[0-9a-f]{4,8}):trace:winmm:"
                   r"(?P<func>\w+) (?P<message>.*)$")
_CALL = re.compile(r"pszSound='(?P<ptr>[0-9A-Fa-f]+|\(nil\))' hmod=\S+ fdwSound=(?P<flags>[0-9A-Fa-f]+)")
_DEBUG_LINE = re.compile(r"^(?:(?P<time>\d+\.\d+):)?(?:(?P<pid>[0-9a-f]{4,8}):)?(?P<tid>[0-9a-f]{4,8}):warn:seh:"
                         r"OutputDebugString[AW] (?P<text>L?\".*\")$")
MEMORY_SOUND = "mimitap: sound from memory "
_START = re.compile(r'^SoundName=(?P<name>L".*"|\S+) !$')
_DONE = re.compile(r'^Done playing=(?P<name>L".*"|\S+) => (?P<ok>ok|ko)!$')


def decode_debugstr(text):
    """Undoes Wine's debugstr_w: L"WAV\\\\KEY1.WAV" -> 'WAV\\KEY1.WAV', \\x3042 -> 'あ'."""
    if text.startswith('L"') and text.endswith('"'):
        text = text[2:-1]
    elif text.startswith('"') and text.endswith('"'):
        text = text[1:-1]
    elif text == "(null)":
        return None
    out = []
    i = 0
    simple = {"n": "\n", "r": "\r", "t": "\t", '"': '"', "\\": "\\"}
    while i < len(text):
        c = text[i]
        if c == "\\" and i + 1 < len(text):
            nxt = text[i + 1]
            if nxt in simple:
                out.append(simple[nxt])
                i += 2
                continue
            if nxt == "x" and re.match(r"[0-9a-fA-F]{4}", text[i + 2: i + 6]):
                out.append(chr(int(text[i + 2: i + 6], 16)))
                i += 6
                continue
            if re.match(r"[0-9a-fA-F]{4}", text[i + 1: i + 5]):
                out.append(chr(int(text[i + 1: i + 5], 16)))
                i += 5
                continue
        out.append(c)
        i += 1
    return "".join(out)


class SoundCall:
    """One PlaySound call.

    name      the sound as the player opened it (None for a stop, or when no player started)
    flags     fdwSound as an int
    time      seconds on the GetTickCount clock when PlaySound was entered
    pid, tid  the calling process and thread
    stop      True for PlaySound(NULL, ...) or SND_PURGE
    started   a player thread ran for it (False for stops and refused SND_NOSTOP calls)
    refused   SND_NOSTOP found another sound still playing
    ended     seconds when the player finished, or None while it plays
    played    True/False as the player reported (False when no audio device could open it)
    """

    def __init__(self, time, pid, tid, flags, pointer):
        self.time, self.pid, self.tid, self.flags, self.pointer = time, pid, tid, flags, pointer
        self.stop = pointer == 0 or bool(flags & SND_PURGE)
        self.name = None
        self.started = False
        self.refused = False
        self.start_time = None
        self.ended = None
        self.played = None
        self.memory_name = None  # the name the toy gave a sound played from memory
        self.player_name = None  # the sound as the player's lines show it

    @property
    def basename(self):
        """The file part of name, whatever separator the program used."""
        return None if self.name is None else re.split(r"[\\/]", self.name)[-1]

    @property
    def tick_ms(self):
        return None if self.time is None else round(self.time * 1000)

    def as_tuple(self):
        """(name, flags, time): name is None for a stop."""
        return self.name, self.flags, self.time

    def __repr__(self):
        state = "stop" if self.stop else ("refused" if self.refused else ("started" if self.started else "pending"))
        return f"SoundCall({self.name!r}, {self.flags:#x}, t={self.time}, {state})"


class SoundTraceParser:
    """Turns trace lines into SoundCalls; feed it lines as the log grows."""

    def __init__(self):
        self.calls = []
        self.anomalies = []
        self._awaiting = {}  # pid -> calls whose player has not started yet, in call order
        self._playing = {}   # pid -> calls whose player started and has not finished
        self._named = {}     # (pid, tid) -> the name of the sound that thread plays from memory next

    def _busy(self, pid):
        return bool(self._awaiting.get(pid)) or bool(self._playing.get(pid))

    def feed_line(self, line):
        m = _LINE.match(line.strip())
        if not m:
            self._feed_debug_line(line)
            return
        time = float(m["time"]) if m["time"] else None
        pid = int(m["pid"], 16) if m["pid"] else None
        tid = int(m["tid"], 16)
        func, message = m["func"], m["message"]
        if func == "MULTIMEDIA_PlaySound":
            c = _CALL.search(message)
            if not c:
                return
            pointer = 0 if c["ptr"] == "(nil)" else int(c["ptr"], 16)
            call = SoundCall(time, pid, tid, int(c["flags"], 16), pointer)
            if call.flags & SND_MEMORY and not call.flags & SND_FILENAME:
                call.memory_name = self._named.pop((pid, tid), None)
            if not call.stop:
                if call.flags & SND_NOSTOP and self._busy(pid):
                    call.refused = True
                else:
                    self._awaiting.setdefault(pid, []).append(call)
            self.calls.append(call)
        elif func == "proc_PlaySound":
            s = _START.match(message)
            if s:
                waiting = self._awaiting.get(pid)
                if not waiting:
                    self.anomalies.append(f"player without a call: {line.strip()}")
                    return
                call = waiting.pop(0)
                call.player_name = decode_debugstr(s["name"])
                call.name = call.memory_name or call.player_name
                call.started = True
                call.start_time = time
                self._playing.setdefault(pid, []).append(call)
                return
            d = _DONE.match(message)
            if d:
                name = decode_debugstr(d["name"])
                for call in self._playing.get(pid, []):
                    if call.player_name == name:
                        call.ended = time
                        call.played = d["ok"] == "ok"
                        self._playing[pid].remove(call)
                        return
                self.anomalies.append(f"end without a start: {line.strip()}")

    def _feed_debug_line(self, line):
        m = _DEBUG_LINE.match(line.strip())
        text = decode_debugstr(m["text"]) if m else None
        if text and text.startswith(MEMORY_SOUND):
            pid = int(m["pid"], 16) if m["pid"] else None
            self._named[(pid, int(m["tid"], 16))] = text[len(MEMORY_SOUND):].rstrip("\n")

    def feed(self, text):
        for line in text.splitlines():
            self.feed_line(line)
        return self


def parse_trace(text):
    """All PlaySound calls in a trace text, in call order."""
    return SoundTraceParser().feed(text).calls


class SoundLog:
    """The sound calls of one program, read from its trace file as it grows."""

    def __init__(self, path, pid=None):
        self.path = Path(path)
        self.pid = pid
        self._parser = SoundTraceParser()
        self._offset = 0
        self._partial = b""

    def refresh(self):
        if not self.path.exists():
            return
        with open(self.path, "rb") as f:
            f.seek(self._offset)
            data = f.read()
        self._offset += len(data)
        data = self._partial + data
        lines = data.split(b"\n")
        self._partial = lines.pop()
        for line in lines:
            self._parser.feed_line(line.decode("utf-8", "replace"))

    def calls(self, since=None, include_stops=True):
        """Calls so far (of this program's process when pid is known). `since` is a GetTickCount
        value in ms (e.g. from driver.tick()): only calls made at or after it."""
        self.refresh()
        result = []
        for c in self._parser.calls:
            if self.pid is not None and c.pid is not None and c.pid != self.pid:
                continue
            if since is not None and c.time is not None and c.time * 1000 < since - 1:
                continue
            if not include_stops and c.stop:
                continue
            result.append(c)
        return result

    def started(self, since=None):
        """Calls for which a player ran: the sounds a child would hear begin."""
        return [c for c in self.calls(since) if c.started]

    @property
    def anomalies(self):
        self.refresh()
        return list(self._parser.anomalies)

    def wait_for(self, predicate, timeout=5.0, since=None):
        """Waits for the first call (made at/after `since`) that satisfies predicate; returns it."""

        def find():
            for c in self.calls(since):
                if predicate(c):
                    return c
            return None

        return wait_until(find, timeout, message=f"no matching PlaySound call in {self.path}")

    def wait_for_name(self, basename, timeout=5.0, since=None):
        """Waits until a player started a sound with this file name (case-insensitive)."""
        wanted = basename.lower()
        return self.wait_for(lambda c: c.started and c.basename and c.basename.lower() == wanted, timeout, since)

    def wait_quiet(self, quiet=0.3, timeout=5.0):
        """Waits until no new call has arrived for `quiet` seconds; returns all calls."""
        last = [len(self.calls()), clock.monotonic()]

        def settled():
            n = len(self.calls())
            now = clock.monotonic()
            if n != last[0]:
                last[0], last[1] = n, now
            return now - last[1] >= quiet

        wait_until(settled, timeout, message="sound calls kept coming")
        return self.calls()
