#!/usr/bin/env python3
"""Measures the built toy under Wine on this machine and prints the figures (not a test: nothing here
passes or fails on a busy machine). Run after a build: python3 tests/bench/run_benchmarks.py"""

import json
import os
import shutil
import subprocess
import sys
import time
from pathlib import Path

REPO = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(REPO / "tests" / "e2e"))

from harness import Session  # noqa: E402
from harness import config  # noqa: E402


def bench_exe(name="mimibench.exe"):
    return config.build_dir() / "windows-x86_64" / "tests" / "bench" / "windows" / name


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


def end_toys(session):
    """Ends the toys the benchmark program started (they are not the session's own programs)."""
    session.end_programs()
    for process in session.driver.processes():
        if process.exe.lower() == "mimitap.exe":
            session.driver.kill(process.pid, 0)
            session.driver.wait_process(process.pid)


def idle_wakeups(session, program, exe_name, seconds=10):
    """Wake-ups a second of all the program's threads while nobody touches it, once its start is over:
    how often the system put each thread on a processor, the third figure of its schedstat. Wine names
    a program's Linux process after the program."""
    program.wait_for_window(timeout=30)
    time.sleep(3)
    ours = f"WINEPREFIX={session.prefix}".encode()
    pids = subprocess.run(["pgrep", "-x", exe_name], capture_output=True, text=True).stdout.split()
    tasks = [t for pid in pids if ours in Path(f"/proc/{pid}/environ").read_bytes().split(b"\0")
             for t in Path(f"/proc/{pid}/task").glob("*")]

    def scheduled():  # a thread that ended counts no more
        return sum(int(task.joinpath("schedstat").read_text().split()[2]) for task in tasks if task.exists())

    before = scheduled()
    time.sleep(seconds)
    return {"measure": "idle_wakeups", "program": exe_name, "per_second": (scheduled() - before) / seconds}


def windows_path(session, path):
    return "Z:" + str(path).replace("/", "\\")


def main():
    quick = "--keys-only" in sys.argv  # start-up and key figures only, without the long effect runs
    results = []
    for width, height in ((1024, 768), (1920, 1080)):
        with Session(name=f"bench-{width}x{height}", screen=(width, height)) as session:
            if quick and width != 1024:
                continue
            results += run_bench(session, "fills", 30)
            if width == 1920:
                # From a program folder, where the effects find their icons.
                results += run_bench(session, "effects", timeout=900, cwd=session.fresh_dist("effects"))
            if width == 1024:
                for clock in (0, 1):  # idle, with the clock hidden and shown
                    folder = session.fresh_dist(f"bench-idle-{clock}")
                    (folder / "mimitap.dat").write_text(f"[CONFIG]\r\nkeywav=1\r\notherwav=1\r\ntime={clock}\r\n")
                    figure = idle_wakeups(session, session.launch(folder=folder, trace_sounds=False), "mimitap.exe")
                    results.append(dict(figure, clock="shown" if clock else "hidden"))
                    session.end_programs()
                bare = session.tmp_dir / "bare-idle"
                bare.mkdir(exist_ok=True)
                shutil.copy(bench_exe("barewindow.exe"), bare / "barewindow.exe")
                program = session.launch(exe=bare / "barewindow.exe", trace_sounds=False)
                results.append(idle_wakeups(session, program, "barewindow.exe"))
                session.end_programs()
                for sounds in (1, 0):
                    folder = session.fresh_dist(f"bench-sounds-{sounds}")
                    (folder / "mimitap.dat").write_text(f"[CONFIG]\r\nkeywav={sounds}\r\notherwav={sounds}\r\n")
                    figures = run_bench(session, "startup", windows_path(session, folder))
                    figures += run_bench(session, "keys", 50)
                    if sounds:
                        figures += run_bench(session, "swallowed", 50)
                        figures += run_bench(session, "busykeys", 50)
                    for figure in figures:
                        figure["sounds"] = "on" if sounds else "off"
                    results += figures
                    end_toys(session)
                # The yardstick: a window that only fills.
                folder = session.tmp_dir / "bare"
                folder.mkdir(exist_ok=True)
                shutil.copy(bench_exe("barewindow.exe"), folder / "barewindow.exe")
                results += run_bench(session, "barestartup", windows_path(session, folder))
                results += run_bench(session, "barekeys", 50)
                session.end_programs()
                # The toy and the bare window in turns, so that both see the same load: start to the
                # first paint on the screen, and key release to fill.
                toy = session.fresh_dist("bench-turns")
                (toy / "mimitap.dat").write_text("[CONFIG]\r\nkeywav=1\r\notherwav=1\r\n")
                programs = [windows_path(session, toy / "mimitap.exe"), windows_path(session, folder / "barewindow.exe")]
                results += run_bench(session, "startframe", 15, *programs, timeout=600)
                end_toys(session)
                results += run_bench(session, "keyrounds", 5, 30, *programs, timeout=900)
                end_toys(session)
    # Key release to fill on each monitor, with one monitor and with two (the second a cover), on the
    # same X server: Xorg with the second monitor unplugged, then plugged in.
    with Session(name="bench-monitors", monitors=2) as session:
        for monitors in (1, 2):
            if monitors == 1:
                session.display.unplug()
            else:
                session.display.plug()
            folder = session.fresh_dist(f"bench-monitors-{monitors}")
            (folder / "mimitap.dat").write_text("[CONFIG]\r\nkeywav=1\r\notherwav=1\r\n")
            run_bench(session, "startup", windows_path(session, folder))  # leaves the toy running
            results += run_bench(session, "monitorkeys", 40)
            end_toys(session)
    dist = config.dist_dir()
    for name in ("mimitap.exe", "mimiopt.dll"):
        results.append({"measure": "size", "file": name, "bytes": (dist / name).stat().st_size})

    bare_keys = next((x for x in results if x["measure"] == "bare_key_release_to_fill"), None)
    bare_start = next((x for x in results if x["measure"] == "bare_startup"), None)

    def in_turns(measure):
        found = [x for x in results if x["measure"] == measure]
        return (found[0], found[1]) if len(found) == 2 else (None, None)

    def against(value, bare_value):
        return f"   {value / bare_value:5.2f} x the bare window" if bare_value and bare_value > 0 else ""

    print(f"\nミミタップ benchmarks ({time.strftime('%Y-%m-%d')}, {os.cpu_count()} cores, Wine on Xvfb)")
    for r in results:
        m = r["measure"]
        if m in ("startup", "bare_startup"):
            who = "bare window" if m == "bare_startup" else f"toy, sounds {r['sounds']}"
            ratio = against(r["frame_ms"], bare_start["frame_ms"]) if m == "startup" and bare_start else ""
            print(f"  start to full-screen ({who:<15}) {r['frame_ms']:8.1f} ms{ratio}")
            ratio = (against(r["working_set_kb"], bare_start["working_set_kb"])
                     if m == "startup" and bare_start else "")
            print(f"  memory after start ({who:<15})  {r['working_set_kb'] / 1024:8.1f} MiB working set, "
                  f"{r['committed_kb'] / 1024:.1f} MiB committed{ratio}")
        elif m in ("key_release_to_fill", "bare_key_release_to_fill"):
            who = "bare window" if m.startswith("bare") else f"toy, sounds {r['sounds']}"
            ratio = "" if m.startswith("bare") or not bare_keys else (
                f"   median {r['median_ms'] / bare_keys['median_ms']:.2f} x, p95 {r['p95_ms'] / bare_keys['p95_ms']:.2f} x"
                " the bare window")
            print(f"  key release to filled screen ({who:<15}) {r['median_ms']:8.2f} ms median, "
                  f"{r['p95_ms']:.2f} ms p95 ({r['samples']} taps){ratio}")
        elif m in ("start_frame", "key_rounds"):
            toy_figure, bare_figure = in_turns(m)
            if r is not toy_figure or bare_figure is None:
                continue
            what = "start to first paint" if m == "start_frame" else "key release to fill"
            key = "painted_ms" if m == "start_frame" else "median_ms"
            print(f"  {what}, in turns with the bare window: toy {toy_figure[key]:.2f} ms, bare "
                  f"{bare_figure[key]:.2f} ms (medians){against(toy_figure[key], bare_figure[key])}")
        elif m == "monitor_key_release_to_fill":
            where = "primary" if r["monitor"] == 0 else f"monitor {r['monitor'] + 1}"
            print(f"  key release to fill, {r['monitors']} monitor(s), on the {where:<9} {r['median_ms']:8.2f} ms median, "
                  f"{r['p95_ms']:.2f} ms p95 ({r['samples']} taps)")
            if r["monitor"] == 0:
                print(f"  idle processor time, {r['monitors']} monitor(s)       {r['idle_cpu_percent']:8.2f} %")
        elif m == "swallowed_key_to_fill":
            print(f"  swallowed key to Space's fill    {r['median_ms']:8.2f} ms median, {r['p95_ms']:.2f} ms p95 "
                  f"({r['samples']} taps)")
        elif m == "key_release_to_fill_during_effect":
            rest = next((x for x in results if x["measure"] == "key_release_to_fill" and x.get("sounds") == "on"), None)
            ratio = f", {r['median_ms'] / rest['median_ms']:.2f} x at rest" if rest and rest["median_ms"] > 0 else ""
            print(f"  key release to fill, hatch scatter running {r['median_ms']:8.2f} ms median, {r['p95_ms']:.2f} ms p95"
                  f"{ratio}")
        elif m == "effect":
            print(f"  {r['effect']:<16} {r['width']}x{r['height']}   {r['step_drawing_ms']:8.3f} ms drawing a step, "
                  f"{r['running_s']:6.1f} s running ({r['steps']} steps)")
        elif m == "idle_wakeups":
            who = "bare window" if r["program"] == "barewindow.exe" else f"toy, clock {r['clock']}"
            print(f"  idle wake-ups, all threads ({who:<17}) {r['per_second']:8.1f} a second")
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
