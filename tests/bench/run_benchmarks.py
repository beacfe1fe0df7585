#!/usr/bin/env python3
"""Measures the built toy under Wine on this machine and prints the figures (not a test: nothing here
passes or fails on a busy machine). Run after a build: python3 tests/bench/run_benchmarks.py"""

import json
import os
import sys
import time
from pathlib import Path

REPO = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(REPO / "tests" / "e2e"))

from harness import Session  # noqa: E402
from harness import config  # noqa: E402


def bench_exe():
    return config.build_dir() / "windows-x86_64" / "tests" / "bench" / "windows" / "mimibench.exe"


def run_bench(session, *args, timeout=300, cwd=None):
    program = session.launch(exe=bench_exe(), cwd=cwd or session.tmp_dir, args=[str(a) for a in args],
                             trace_sounds=False)
    program.wait_exit(timeout)
    figures = []
    for path in (program.out_path, program.log_path):
        for line in path.read_text(errors="replace").splitlines():
            if line.startswith("{") and '"measure"' in line:
                figures.append(json.loads(line))
    return figures


def windows_path(session, path):
    return "Z:" + str(path).replace("/", "\\")


def main():
    results = []
    for width, height in ((1024, 768), (1920, 1080)):
        with Session(name=f"bench-{width}x{height}", screen=(width, height)) as session:
            results += run_bench(session, "fills", 30)
            if width == 1920:
                # From a program folder, where the effects find their icons.
                results += run_bench(session, "effects", timeout=900, cwd=session.fresh_dist("effects"))
            if width == 1024:
                folder = session.fresh_dist("bench")
                (folder / "mimitap.dat").write_text("[CONFIG]\r\nkeywav=1\r\notherwav=1\r\n")
                results += run_bench(session, "startup", windows_path(session, folder))
                results += run_bench(session, "keys", 50)
                results += run_bench(session, "swallowed", 50)
                results += run_bench(session, "busykeys", 50)
                session.end_programs()
    dist = config.dist_dir()
    for name in ("mimitap.exe", "mimiopt.dll"):
        results.append({"measure": "size", "file": name, "bytes": (dist / name).stat().st_size})

    print(f"\nミミタップ benchmarks ({time.strftime('%Y-%m-%d')}, {os.cpu_count()} cores, Wine on Xvfb)")
    for r in results:
        m = r["measure"]
        if m == "startup":
            print(f"  start to full-screen frame       {r['frame_ms']:8.1f} ms")
            print(f"  memory after start               {r['working_set_kb'] / 1024:8.1f} MiB working set, "
                  f"{r['committed_kb'] / 1024:.1f} MiB committed")
        elif m == "key_release_to_fill":
            print(f"  key release to filled screen     {r['median_ms']:8.2f} ms median, {r['p95_ms']:.2f} ms p95 "
                  f"({r['samples']} taps)")
        elif m == "swallowed_key_to_fill":
            print(f"  swallowed key to Space's fill    {r['median_ms']:8.2f} ms median, {r['p95_ms']:.2f} ms p95 "
                  f"({r['samples']} taps)")
        elif m == "key_release_to_fill_during_effect":
            rest = next((x for x in results if x["measure"] == "key_release_to_fill"), None)
            ratio = f", {r['median_ms'] / rest['median_ms']:.2f} x at rest" if rest and rest["median_ms"] > 0 else ""
            print(f"  key release to fill, hatch scatter running {r['median_ms']:8.2f} ms median, {r['p95_ms']:.2f} ms p95"
                  f"{ratio}")
        elif m == "effect":
            print(f"  {r['effect']:<16} {r['width']}x{r['height']}   {r['step_drawing_ms']:8.3f} ms drawing a step, "
                  f"{r['running_s']:6.1f} s running ({r['steps']} steps)")
        elif m == "size":
            print(f"  size of {r['file']:<24} {r['bytes'] / 1024:8.1f} KiB")
        elif m.endswith("_fill"):
            print(f"  {m:<16} {r['width']}x{r['height']:<6}   {r['median_ms']:8.2f} ms median, "
                  f"{r['p95_ms']:.2f} ms p95")
        else:
            print(f"  {r}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
