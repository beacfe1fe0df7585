"""unittest base class for e2e tests: one session per test class, programs ended after each
test, and a failed test's screen and logs kept under <build>/e2e/failures/<Class.test>/."""

import unittest

from .session import Session
from .waiting import wait_until


class E2ETestCase(unittest.TestCase):
    # Overridden by subclasses as needed, e.g. {"screen": (1920, 1080), "audio": "none"}.
    session_options = {}
    session = None

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.session = Session(name=cls.__module__.rsplit(".", 1)[-1] + "." + cls.__name__,
                              **cls.session_options)
        cls.session.start()
        cls.driver = cls.session.driver

    @classmethod
    def tearDownClass(cls):
        if cls.session:
            cls.session.stop()
        super().tearDownClass()

    def setUp(self):
        super().setUp()
        self.addCleanup(self._after_test)

    def _failed(self):
        """Whether this test (or one of its subtests) has failed so far. Cleanups run with the
        outcome's success flag reset, so look at the recorded failures instead."""
        outcome = getattr(self, "_outcome", None)
        if outcome is None:
            return False
        if getattr(outcome, "errors", None):  # Python < 3.11 collects them here first
            return any(exc_info for _, exc_info in outcome.errors)
        result = outcome.result
        recorded = list(getattr(result, "failures", [])) + list(getattr(result, "errors", []))
        return any(test is self or getattr(test, "test_case", None) is self for test, _ in recorded)

    def _after_test(self):
        if self._failed():
            where = self.session.keep_failure(f"{type(self).__name__}.{self._testMethodName}")
            print(f"\n[e2e] kept screen and logs of the failure in {where}")
        self.session.end_programs()

    # --- conveniences ----------------------------------------------------------------------
    def launch(self, *args, **kwargs):
        return self.session.launch(*args, **kwargs)

    def wait_until(self, predicate, timeout=5.0, message=None):
        return wait_until(predicate, timeout, message=message)
