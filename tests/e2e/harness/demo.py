"""Shows the toy working without a screen: starts it on a private virtual display, presses keys,
clicks, drags and turns the wheel, saves a screenshot after each step, and ends everything.

    python3 tests/e2e/harness/demo.py --dist dist --screenshots screenshots
"""

import argparse
import sys
import time
from pathlib import Path

if __package__ in (None, ""):
    sys.path.insert(0, str(Path(__file__).resolve().parents[1]))
    __package__ = "harness"  # noqa: A001

from . import keys as VK  # noqa: E402
from .session import Session  # noqa: E402
from .waiting import wait_until  # noqa: E402


def _size(text):
    width, _, height = text.partition("x")
    return int(width), int(height)


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--dist", type=Path, default=None, help="program folder (default: dist/)")
    parser.add_argument("--screenshots", type=Path, required=True, help="folder for the PNG screenshots")
    parser.add_argument("--exe", default="mimitap.exe", help="program in the folder (or a full path)")
    parser.add_argument("--size", type=_size, default=(1024, 768), help="screen size, e.g. 1920x1080")
    parser.add_argument("--locale", default="ja_JP", help="ja_JP or en_US")
    parser.add_argument("--also", default="en_US", help="a locale whose grown-up texts are shown too ('' for none)")
    parser.add_argument("--settle", type=float, default=0.4, help="seconds to let drawing finish before a shot")
    args = parser.parse_args(argv)

    out = args.screenshots
    out.mkdir(parents=True, exist_ok=True)
    saved = []

    with Session(name="demo", locale=args.locale, screen=args.size, dist_dir=args.dist) as session:
        driver = session.driver

        def shot(name):
            time.sleep(args.settle)
            path = session.screenshot().save_png(out / f"{len(saved) + 1:02d}-{name}.png")
            saved.append(path)
            print(f"  {path}")

        program = session.launch(args.exe)
        # Until the options have been saved once, the toy first shows how a grown-up leaves.
        hint = program.wait_for_dialog(timeout=30)
        shot("exit-hint")
        driver.press(hint, 1)
        window = program.wait_for_window(timeout=30, predicate=lambda w: w.class_name != "#32770")
        print(f"{args.exe} is running (pid {program.pid}), window {window.rect}")
        shot("started")

        left, top, right, bottom = window.rect
        cx, cy = window.rect.center
        for key in (VK.letter("A"), VK.SPACE, VK.letter("7")):
            driver.tap(key)
        shot("keys")
        for key, name in ((VK.RETURN, "hatch"), (VK.CONTROL, "gradient"), (VK.MENU, "mosaic")):
            driver.tap(key)
            shot(name)

        driver.hold(VK.letter("K"), 1500, first_repeat_ms=250, every_ms=50)
        driver.drag([(left + (right - left) // 5, cy), (cx, top + (bottom - top) // 5),
                     (right - (right - left) // 5, cy)], steps=12)
        shot("sprinkle-and-drag")

        driver.click(cx, cy, button="middle")
        time.sleep(0.6)  # a quick middle click answers when its half-second timer runs out
        shot("middle-click")

        driver.move(cx, cy)
        for _ in range(3):
            driver.wheel(120)
        driver.wheel(-120)
        shot("wheel")

        # The effects menu at the cursor, then two of its effects.
        driver.click(cx, cy, button="right")
        shot("effects-menu")
        driver.tap(VK.letter("S"))
        time.sleep(1.5)
        driver.move(cx + 1, cy)  # shows what the effect's thread drew
        shot("hatch-scatter")
        driver.click(cx, cy, button="right")
        driver.tap(VK.letter("B"))
        for step in range(20):
            driver.move(cx + 200 - step * 20, cy + 100 - step * 10, steps=3)
        shot("twin-orbit")
        driver.key_down(VK.F1)  # a stop request
        driver.key_up(VK.F1)
        driver.tap(VK.ESCAPE)  # the menu that F1's release opened

        # The menu's first item: the picture popup at the cursor, closed again with a key.
        driver.move(cx, cy)
        driver.click(cx, cy, button="right")
        driver.tap(VK.letter("Q"))
        shot("picture-popup")
        driver.tap(VK.ESCAPE)

        about = _grown_up(driver, program, "A", shot)
        shot("version-dialog")
        driver.press(about, 1)
        wait_until(lambda: not any(d.title for d in program.dialogs()), 10)
        driver.tap(VK.letter("A"))  # the child plays on before the grown-up comes back
        time.sleep(args.settle)
        options = _grown_up(driver, program, "S")
        shot("options-dialog")
        # The clock switched on, and confirmed: it shows at once in the bottom-right corner.
        driver.press(options, 1002, click=True)
        driver.press(options, 1, click=True)
        wait_until(lambda: any(d.visible and not d.title for d in program.dialogs()), 10)
        driver.tap(VK.letter("C"))
        shot("clock")

        calls = program.sounds.calls()
        print(f"{len(calls)} PlaySound calls: " + ", ".join(f"{c.basename}/{c.flags:#x}" for c in calls[:12]))
        if program.running():
            program.kill(0)
    if args.also:
        # What a grown-up reads in another language: the hint, the menu and the options.
        with Session(name="demo-" + args.also, locale=args.also, screen=args.size, dist_dir=args.dist) as session:
            driver = session.driver
            program = session.launch(args.exe)
            hint = program.wait_for_dialog(timeout=30)
            shot(f"exit-hint-{args.also}")
            driver.press(hint, 1)
            program.wait_for_window(timeout=30, predicate=lambda w: w.class_name != "#32770")
            time.sleep(args.settle)
            options = _grown_up(driver, program, "S", lambda name: shot(f"{name}-{args.also}"))
            shot(f"options-dialog-{args.also}")
            driver.press(options, 2)
            if program.running():
                program.kill(0)
    print(f"{len(saved)} screenshots in {out}")
    return 0


def _grown_up(driver, program, letter, shot_menu=None):
    """A grown-up's Shift+Esc menu (shot when `shot_menu` is given), then its item `letter`; returns
    the dialog that opens."""
    driver.chord(VK.SHIFT, VK.ESCAPE)
    wait_until(lambda: driver.windows(class_name="#32768", pid=program.pid, visible=True), 10)
    if shot_menu:
        shot_menu("grown-up-menu")
    driver.tap(VK.letter(letter))
    return wait_until(lambda: next((d for d in program.dialogs() if d.title and d.visible), None), 10)


if __name__ == "__main__":
    sys.exit(main())
