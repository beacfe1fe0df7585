"""The window framework under Wine: runs fwprobe.exe, which drives frames, panes, dialogs, the
message loop, workers and the RAII owners through scripted scenarios, and checks that every check
it is known to make was reported PASS. A check that is missing counts as failed, so a scenario
that stopped early or was skipped cannot pass unnoticed."""

import os
import sys
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1]))

from harness import E2ETestCase, config  # noqa: E402

# Every check fwprobe makes, by scenario.
EXPECTED = {
    "lifecycle": [
        "order.frame-nccreate-first",
        "order.pane-created-inside-frame-create",
        "order.size-lays-out-pane",
        "order.hidden-before-destroyed",
        "order.frame-destroy-before-pane-destroy",
        "order.frame-ncdestroy-last",
        "order.unbound-at-post-ncdestroy",
        "order.frame-deleted-once",
        "order.loop-ended-by-quit",
    ],
    "routing": [
        "route.pane-before-frame",
        "route.frame-only",
        "route.frame-before-app",
        "route.app-only",
        "route.posted-to-pane",
        "route.unknown-goes-nowhere",
        "route.loop-ended-by-quit",
    ],
    "pre_dispatch": [
        "pre.loop-ended-by-quit",
        "pre.pane-hook-consumes",
        "pre.frame-hook-consumes-after-pane",
        "pre.declined-dispatched-once",
        "pre.chain-stops-at-main-window",
        "pre.outsider-not-offered-to-frame",
        "pre.frame-message-not-offered-to-pane",
    ],
    "dialogs": [
        "dialog.loop-ended-by-quit",
        "dialog.timer-end-code",
        "dialog.bound-while-modal-unbound-after",
        "dialog.data-loaded-into-controls",
        "dialog.ok-end-code-and-saved-data",
        "dialog.cancel-end-code-and-unsaved-data",
        "dialog.missing-template",
        "dialog.modal-loop-lets-messages-through",
        "dialog.answer-through-msgresult",
        "dialog.colour-message-answers-brush",
        "dialog.modeless-created",
        "dialog.modeless-tab-moves-focus",
        "dialog.modeless-enter-presses-default-button",
        "dialog.modeless-end-destroys",
    ],
    "pane_sizing": [
        "pane.loop-ended-by-quit",
        "pane.fits-300x200",
        "pane.fits-640x480",
        "pane.fits-narrow-with-wrapped-menu",
        "pane.fits-1000x700",
        "pane.fits-maximized",
        "pane.fits-restored",
        "pane.fits-restored-from-minimized",
        "pane.fits-menu-removed",
        "pane.maximize-took-effect",
        "pane.refused-create-returns-false",
        "pane.refused-create-deleted-once",
        "pane.refused-create-windows-gone",
        "pane.refused-main-frame-cleared",
    ],
    "worker": [
        "worker.runs-on-another-thread",
        "worker.exception-ends-only-the-work",
        "worker.work-released-after-throw",
        "worker.runs-after-a-throw",
        "worker.sound-thread-signals-only-its-own-event",
    ],
    "raii": [
        "raii.held-dc-is-detectable",
        "raii.client-dc-released",
        "raii.paint-scope-ends-paint",
        "raii.selection-guard-restores",
        "raii.owned-gdi-objects-deleted",
        "raii.owned-user-objects-destroyed",
        "raii.owned-kernel-handles-closed",
        "raii.owned-library-freed",
    ],
    "completion": ["probe.completed"],
}

# Checks the platform may be unable to make. Wine keeps no per-process GDI/USER object counts
# (GetGuiResources answers 0); the probe then says so with SKIP and its per-handle checks stand in.
MAY_SKIP = {"raii.gui-object-counts-steady": "GetGuiResources reports 0"}


def probe_exe():
    """fwprobe.exe of the x86_64 cross build: beside the driver's folder unless MIMI_FWPROBE says."""
    override = os.environ.get("MIMI_FWPROBE")
    if override:
        return Path(override)
    return config.driver_exe().parents[1] / "framework" / "probe" / "fwprobe.exe"


def windows_path(path):
    """The path as the probe sees it: Wine maps Z: to the root of the Unix file system."""
    return "Z:" + str(Path(path).resolve()).replace("/", "\\")


class FrameworkProbe(E2ETestCase):
    """One run of the probe; each test method looks at one scenario's results."""

    @classmethod
    def setUpClass(cls):
        exe = probe_exe()
        if not exe.is_file():
            raise FileNotFoundError(f"fwprobe.exe not built: {exe} (build the windows-x86_64 tree)")
        super().setUpClass()
        report = cls.session.tmp_dir / "fwprobe-report.txt"
        try:
            program = cls.session.launch(exe, args=["--out", windows_path(report)], name="fwprobe",
                                         trace_sounds=False)
            # The probe ends itself within 120 s even when a scenario hangs.
            cls.exit_code = program.wait_exit(timeout=180)
        except BaseException:
            cls.session.stop()  # tearDownClass does not run when setUpClass fails
            raise
        cls.lines = report.read_text(encoding="utf-8").splitlines() if report.is_file() else []
        cls.results = {}
        cls.duplicates = []
        for line in cls.lines:
            verdict, _, rest = line.partition(" ")
            if verdict not in ("PASS", "FAIL", "SKIP"):
                continue
            name, _, detail = rest.partition(": ")
            if name in cls.results:
                cls.duplicates.append(name)
            cls.results[name] = (verdict, detail)

    def failures_text(self):
        return "\n".join(line for line in self.lines if line.startswith("FAIL")) or "(no FAIL lines)"

    def assert_all_passed(self, group):
        for name in EXPECTED[group]:
            with self.subTest(check=name):
                verdict, detail = self.results.get(name, ("MISSING", "the probe never reported this check"))
                self.assertEqual("PASS", verdict, f"{name}: {detail}")

    def test_exit_code_counts_no_failures(self):
        self.assertEqual(0, self.exit_code, f"fwprobe exit code {self.exit_code}\n{self.failures_text()}")

    def test_reports_exactly_the_known_checks_once_each(self):
        known = {name for names in EXPECTED.values() for name in names} | set(MAY_SKIP)
        self.assertEqual([], self.duplicates, "checks reported more than once")
        self.assertEqual(set(), set(self.results) - known, "checks this test does not know: add them to EXPECTED")

    def test_lifecycle_message_order(self):
        self.assert_all_passed("lifecycle")

    def test_command_routing(self):
        self.assert_all_passed("routing")

    def test_pre_dispatch_chain(self):
        self.assert_all_passed("pre_dispatch")

    def test_dialogs(self):
        self.assert_all_passed("dialogs")

    def test_pane_sizing_and_refused_creation(self):
        self.assert_all_passed("pane_sizing")

    def test_worker(self):
        self.assert_all_passed("worker")

    def test_raii_owners(self):
        self.assert_all_passed("raii")
        for name, reason in MAY_SKIP.items():
            with self.subTest(check=name):
                verdict, detail = self.results.get(name, ("MISSING", "never reported"))
                if verdict == "SKIP":
                    self.assertIn(reason, detail)
                else:
                    self.assertEqual("PASS", verdict, f"{name}: {detail}")

    def test_probe_ran_to_the_end(self):
        self.assert_all_passed("completion")


if __name__ == "__main__":
    unittest.main()
