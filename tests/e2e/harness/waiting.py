"""Event-driven waits: poll a condition with short sleeps until it holds or time runs out."""

import time


class WaitTimeout(AssertionError):
    """A condition did not come true in time (an AssertionError, so unittest reports a failure)."""


def wait_until(predicate, timeout=5.0, interval=0.02, message=None):
    """Returns the first truthy value of predicate(); raises WaitTimeout after `timeout` seconds.

    The interval grows slowly up to 0.1 s so short waits stay fast and long ones stay cheap.
    """
    deadline = time.monotonic() + timeout
    delay = interval
    while True:
        value = predicate()
        if value:
            return value
        remaining = deadline - time.monotonic()
        if remaining <= 0:
            raise WaitTimeout(message or f"condition not met within {timeout:.1f} s")
        time.sleep(min(delay, remaining))
        delay = min(delay * 1.5, 0.1)


def wait_for_value(getter, accept, timeout=5.0, interval=0.02, message=None):
    """Polls getter() until accept(value) holds; returns that value. The last value seen is
    included in the timeout message, which makes failures easier to read."""
    last = [None]

    def check():
        last[0] = getter()
        return accept(last[0])

    try:
        wait_until(check, timeout, interval)
    except WaitTimeout:
        raise WaitTimeout((message or "value not accepted") + f"; last value: {last[0]!r}") from None
    return last[0]


def wait_still(sample, quiet, timeout=5.0, key=lambda value: value, interval=0.05, message=None):
    """Polls sample() until key(sample) has stayed the same for `quiet` seconds; returns the last
    sample. Raises WaitTimeout when it is still changing after `timeout` seconds."""
    deadline = time.monotonic() + timeout
    last = sample()
    since = time.monotonic()
    while time.monotonic() - since < quiet:
        if time.monotonic() >= deadline:
            raise WaitTimeout(message or f"still changing after {timeout:.1f} s")
        time.sleep(interval)
        now = sample()
        if key(now) != key(last):
            since = time.monotonic()
        last = now
    return last
