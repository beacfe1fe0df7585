"""End-to-end test harness for ミミタップ under Wine on a virtual X display.

    from harness import E2ETestCase, VK

    class Keys(E2ETestCase):
        def test_space_plays_a_sound(self):
            toy = self.launch()                       # mimitap.exe from a fresh copy of dist/
            frame = toy.wait_for_window()
            since = self.driver.tick()
            self.driver.tap(VK.SPACE)
            call = toy.sounds.wait_for(lambda c: c.started, since=since)
            ...

A newly started program sees every lock key (Caps Lock, Num Lock, Scroll Lock, Insert) as off.
"""

from . import keys as VK
from .driver import Dialog, Driver, DriverError, KeyWatcher, Rect, Window
from .images import Image
from .program import Program
from .session import Session
from .sounds import SoundCall, SoundLog, SoundTraceParser, parse_trace
from .testcase import E2ETestCase
from .waiting import WaitTimeout, wait_for_value, wait_until

__all__ = ["VK", "Dialog", "Driver", "DriverError", "E2ETestCase", "Image", "KeyWatcher", "Program", "Rect",
           "Session", "SoundCall", "SoundLog", "SoundTraceParser", "WaitTimeout", "Window", "parse_trace",
           "wait_for_value", "wait_until"]
