"""Runs the toy on the display you are looking at ($DISPLAY), in the harness's Wine prefix and
locale, until it ends; then ends every Wine process of the prefix.

    cd tests/e2e && python3 -m harness.run --dist ../../dist [--sounds]
"""

import argparse
import os
import sys
import time
from pathlib import Path

if __package__ in (None, ""):
    sys.path.insert(0, str(Path(__file__).resolve().parents[1]))
    __package__ = "harness"  # noqa: A001

from . import config  # noqa: E402
from .session import Session  # noqa: E402


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--dist", type=Path, default=None, help="program folder (default: dist/); run in place")
    parser.add_argument("--exe", default="mimitap.exe")
    parser.add_argument("--locale", default="ja_JP", help="ja_JP or en_US")
    parser.add_argument("--sounds", action="store_true", help="print each PlaySound call as it happens")
    args = parser.parse_args(argv)
    display = os.environ.get("DISPLAY")
    if not display:
        print("no $DISPLAY: use harness/demo.py to run on a virtual display", file=sys.stderr)
        return 2
    folder = (args.dist or config.dist_dir()).resolve()
    with Session(name="run", locale=args.locale, display=display, dist_dir=folder) as session:
        program = session.launch(args.exe, folder=folder)
        print(f"{args.exe} started (pid {program.pid}); logs in {session.log_dir}")
        shown = 0
        try:
            while program.running():
                time.sleep(0.1)
                if args.sounds:
                    calls = program.sounds.calls()
                    for c in calls[shown:]:
                        what = "(stop)" if c.stop else "(refused)" if c.refused else c.name or "(starting)"
                        print(f"  {c.time:10.3f}  {c.flags:#07x}  {what}")
                    shown = len(calls)
        except KeyboardInterrupt:
            program.kill(1)
        print(f"{args.exe} ended with exit code {program.wait_exit(10)}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
