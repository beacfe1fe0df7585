"""What the toy's end-to-end tests share: starting the toy in a fresh program folder, its windows,
the colours it fills with, and its private messages."""

import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1]))

from harness import VK, E2ETestCase, config, wait_until  # noqa: E402,F401
from harness.waiting import wait_for_value, wait_still  # noqa: E402,F401

TITLE = "ミミタップ"
PANE_ID = 59648

WMU_SETTINGS_CHANGED = 5024
WMU_SOUND_CUE = 5029
WM_COMMAND = 0x0111
WM_QUERYENDSESSION = 0x0011
WM_POWERBROADCAST = 0x0218
IDM_SETTINGS, IDM_ABOUT = 32772, 57664

# What a grown-up reads, in the language of the session's user interface (Japanese for ja_JP).
REINSTALL_JA = "\nミミタップが正しくインストールされていない可能性があります。\n再度インストールを行ってください。"
REINSTALL_EN = "\nIt may not be installed correctly.\nPlease install it again."
JAPANESE = {
    "EXIT_HINT": "ミミタップを終了するには Altキーを押しながら F4キーを押してください。\r\n"
                 "Shiftキーを押しながら Escキーを押すと画面左上にメニューが表示されます。",
    "MISSING_FILES": "動作に必要なファイルがありません。" + REINSTALL_JA,
    "MISSING_LIBRARY": "動作に必要なファイル情報が取得できませんでした。" + REINSTALL_JA,
    "NO_INITIAL_INFO": "初期情報の取得ができませんでした。" + REINSTALL_JA,
    "OPTIONS_TITLE": "設定", "ABOUT_TITLE": "バージョン情報",
    "EFFECT_LABELS": ["けしごむ？(&Q)...", "しゃっしゃっしゃっ(&S)", "ダブルコーヒーカップ(&B)", "チュウチュウジェット(&M)",
                      "キラキラ(&C)", "にょりょにょりょ(&L)", "こっちにくる～(&P)", "ドド～ン(&Y)"],
    "MENU": ["設定(&S)...", "バージョン情報(&A)...", "終了して説明ファイル(mimitap.txt)を開く(&R)", "終了(&X)"],
    "OPTIONS": {1000: "キーボードを叩いた時に音を鳴らす(&K)", 1001: "その他の音を鳴らす(&W)", 1002: "時計を表示する(&T)",
                1003: "ミミタップ起動中はスクリーンセーバーを起動しない(&S)", 1004: "Alt+F4キーで終了する(&F)", 1: "OK",
                2: "キャンセル"},
    "GROUPS": {"効果音", "その他"}, "VERSION_LINE": "ミミタップ Version 1.03", "FONT": ("ＭＳ Ｐゴシック", 9),
}
ENGLISH = {
    "EXIT_HINT": "To quit Mimitap (ミミタップ), hold down Alt and press F4.\r\n"
                 "For a menu in the top-left corner, hold down Shift and press Esc.\r\n"
                 "Hold Alt or Shift alone for a moment before the second key.",
    "MISSING_FILES": "A file that Mimitap (ミミタップ) needs is missing." + REINSTALL_EN,
    "MISSING_LIBRARY": "Mimitap (ミミタップ) could not use its options library (mimiopt.dll)." + REINSTALL_EN,
    "NO_INITIAL_INFO": "Mimitap (ミミタップ) could not read its start-up settings." + REINSTALL_EN,
    "OPTIONS_TITLE": "Settings", "ABOUT_TITLE": "About ミミタップ",
    "EFFECT_LABELS": ["S&queaky eraser?...", "&Swish swish swish", "Dou&ble teacups", "Zoo&m-zoom jet",
                      "&Crystal twinkle", "&Loopy loops", "&Peekaboo, here I come", "&Yikes, ka-boom!"],
    "MENU": ["&Settings...", "&About ミミタップ...", "&Read me: quit and open mimitap.txt", "E&xit"],
    "OPTIONS": {1000: "Play a sound for every &key", 1001: "Play the other sounds as &well (mouse, effects)",
                1002: "Show a clock with the date and &time", 1003: "Keep the &screen saver off while the toy runs",
                1004: "Alt+&F4 quits the toy", 1: "OK", 2: "Cancel"},
    "GROUPS": {"Sounds", "Other"}, "VERSION_LINE": "Mimitap (ミミタップ) version 1.03", "FONT": ("MS Shell Dlg", 8),
}
TEXTS = JAPANESE if config.default_locale().startswith("ja") else ENGLISH
EXIT_HINT, MISSING_FILES, MISSING_LIBRARY, NO_INITIAL_INFO, OPTIONS_TITLE, ABOUT_TITLE, EFFECT_LABELS, MENU = (
    TEXTS[k] for k in ("EXIT_HINT", "MISSING_FILES", "MISSING_LIBRARY", "NO_INITIAL_INFO", "OPTIONS_TITLE",
                       "ABOUT_TITLE", "EFFECT_LABELS", "MENU"))

FILL_COLORS = {(128, 128, 192), (255, 128, 128), (0, 255, 0), (128, 64, 64), (255, 0, 0), (255, 255, 255),
               (255, 0, 128), (0, 0, 255), (255, 255, 0), (255, 128, 192)}
WINDOW_COLOR = (255, 255, 255)
KEY_SOUNDS = {f"KEY{i}.WAV" for i in range(1, 6)}

PLAY, PLAY_UNLESS_BUSY, LOOP, LOOP_UNLESS_BUSY = 0x20003, 0x20013, 0x2000B, 0x2001B


def test_dll(name):
    """A stand-in options library built for the tests."""
    return config.build_dir() / "windows-x86_64" / "tests" / "e2e" / "toy" / "dlls" / f"{name}.dll"


def run_program_copy(session, exe, words, name="probe"):
    """Runs a copy of the driver (placed where a test needs a program to be) for one command and
    returns its reply: the options library builds its path from the running program."""
    from harness.driver import OneShot
    return OneShot(session.wine, exe, session.log_dir, [str(w) for w in words], name,
                   cwd=session.tmp_dir).result(30)


def write_options(folder, **options):
    """Writes mimitap.dat with the given keys; no keys writes an empty [CONFIG] section."""
    lines = ["[CONFIG]"] + [f"{key}={value}" for key, value in options.items()]
    (Path(folder) / "mimitap.dat").write_bytes(("\r\n".join(lines) + "\r\n").encode("ascii"))


def wait_in_front(test, program, predicate):
    """Waits for a message box of the program that matches and is top-most and in the foreground,
    and returns it; fails with the box as last seen."""
    last = []

    def find():
        boxes = [d for d in program.dialogs() if d.text and predicate(d)]
        last[:] = boxes
        return next((d for d in boxes if d.topmost and d.foreground), None)

    try:
        return wait_until(find, 20)
    except AssertionError:
        test.fail(f"no such message box above the toy and in the foreground: {last}")


class Toy:
    """A running toy: its program, frame and play surface."""

    def __init__(self, test, program, frame, surface):
        self.test, self.program, self.frame, self.surface = test, program, frame, surface
        self.driver = test.driver

    @property
    def sounds(self):
        return self.program.sounds

    def screen(self):
        return self.driver.screenshot()

    def sample(self):
        """Colours at the centre and near the four corners of the surface, leaving out a corner
        that the clock covers when it shows."""
        r = self.surface.rect
        points = [r.center, (r.left + 5, r.top + 5), (r.right - 6, r.top + 5), (r.left + 5, r.bottom - 6),
                  (r.right - 6, r.bottom - 6)]
        clock = self.clock()
        if clock is not None and clock.visible:
            points = [p for p in points if not clock.rect.contains(*p)]
        return self.driver.pixels(points)

    def clock(self):
        """The clock window (shown or hidden): the dialog the frame owns; None before it exists."""
        return next((w for w in self.driver.windows(class_name="#32770", pid=self.program.pid)
                     if w.owner == self.frame.hwnd), None)

    def menu(self):
        """The toy's open popup menu window (the effects menu, or the grown-up menu), or None."""
        return next(iter(self.driver.windows(class_name="#32768", pid=self.program.pid, visible=True)), None)

    def grown_up_dialog(self, letter, title):
        """Shift+Esc, then the grown-up menu's `letter`; waits for the program's visible dialog `title`."""
        self.driver.chord(VK.SHIFT, VK.ESCAPE)
        wait_until(self.menu, 10, message="no grown-up menu")
        self.driver.tap(VK.letter(letter))
        return wait_until(lambda: next((d for d in self.program.dialogs() if d.title == title and d.visible), None),
                          10, message=f"no {title} dialog")

    def close_menu(self, timeout=5.0):
        """Waits for the menu that a release opens and closes it with Esc."""
        wait_until(self.menu, timeout, message="no menu opened")
        self.driver.tap(VK.ESCAPE)
        wait_until(lambda: self.menu() is None, timeout, message="the menu stayed open after Esc")

    def send_frame(self, message, wparam=0, lparam=0):
        return self.driver.send(self.frame.hwnd, message, wparam, lparam)

    def settle(self, quiet=0.3, timeout=10.0):
        """Waits until the toy has finished answering: no new sound call and the same screen for
        `quiet` seconds; returns that screen."""
        return wait_still(lambda: (self.driver.screenshot(), len(self.sounds.calls())), quiet, timeout,
                          key=lambda shot: (shot[0].rgb, shot[1]),
                          message="the toy kept changing the screen or playing sounds")[0]


class ToyTestCase(E2ETestCase):
    """Starts the toy in a fresh copy of the program folder."""

    def program_folder(self, options=None, remove=()):
        folder = self.session.fresh_dist()
        if options is not None:
            write_options(folder, **options)
        for name in remove:
            path = folder / name
            if path.is_dir():
                import shutil
                shutil.rmtree(path)
            else:
                path.unlink()
        return folder

    def start_toy(self, options=None, remove=(), folder=None, cwd=None, dismiss_hint=True, at=None):
        """Starts the toy and waits for its full-screen frame and its answer to the Space key it
        gives itself at start. `options` None means no options file (the hint appears first); `at`
        (x, y) starts it as the shell does from the monitor holding that point."""
        folder = folder or self.program_folder(options, remove)
        program = self.launch(folder=folder, cwd=cwd, at=at)
        if not (folder / "mimitap.dat").exists() and dismiss_hint:
            hint = program.wait_for_dialog(timeout=20)
            self.driver.press(hint, 1)
        return self.toy_of(program)

    def toy_of(self, program):
        """The started toy once its frame shows and has answered its start-up Space."""
        frame = program.wait_for_window(title=TITLE, timeout=20,
                                        predicate=lambda w: w.rect.width >= self.screen_width())
        # The frame is laid out before its pane follows it: wait for the pane to cover it too.
        surface = wait_until(lambda: next((s for s in self.driver.children(frame.hwnd, id=PANE_ID)
                                           if s.rect.width >= self.screen_width()), None), 10,
                             message="the play surface does not cover the screen")
        toy = Toy(self, program, frame, surface)
        # The Space stroke the toy gives itself at start arrives as a fill of the whole surface.
        wait_until(lambda: len(set(toy.sample())) == 1 and toy.sample()[0] in FILL_COLORS, 10,
                   message="the toy did not answer its start-up Space")
        toy.settle()
        return toy

    def screen_width(self):
        return self.driver.screen_size()[0]

def changes_outside(driver, rect, timeout=3.0):
    """Waits for the screen around `rect` to change (something drawing behind a window there)."""
    width, height = driver.screen_size()
    bands = [(0, 0, rect.left, height), (rect.right, 0, width, height),
             (rect.left, 0, rect.right, rect.top), (rect.left, rect.bottom, rect.right, height)]
    bands = [b for b in bands if b[2] > b[0] and b[3] > b[1]]
    first = [driver.screenshot(rect=b) for b in bands]
    return wait_until(lambda: any(driver.screenshot(rect=b).differs_from(f) for b, f in zip(bands, first)),
                      timeout, message=f"nothing drew around {rect}")


def distance(a, b):
    return sum(abs(p - q) for p, q in zip(a, b))


def ink(image, background):
    """The set of (x, y) nearer the text's colour (the one farthest from `background`) than the
    background, relative to the ink's own top-left corner."""
    pixels = {(x, y): image.pixel(x, y) for y in range(image.height) for x in range(image.width)}
    text = max(pixels.values(), key=lambda p: distance(p, background))
    points = [xy for xy, p in pixels.items() if distance(p, background) > distance(p, text)]
    if not points:
        return set()
    left, top = min(p[0] for p in points), min(p[1] for p in points)
    return {(x - left, y - top) for x, y in points}


def agreement(seen, expected):
    """How far two sets of ink points agree: 1 for the same ink, less for another text, and 0 when
    the ink of one reaches more than two pixels farther right (a text cut off)."""
    if not seen or not expected or abs(max(x for x, _ in seen) - max(x for x, _ in expected)) > 2:
        return 0.0
    return len(seen & expected) / len(seen | expected)


def menu_lines(driver, menu):
    """The grown-up menu's lines of text and their background, once it shows one for each item."""
    return wait_for_value(lambda: text_lines(driver.screenshot(rect=menu.rect)), lambda found: len(found[0]) == len(MENU),
                          5, message="not one line of text for each item of the menu")


def text_lines(image):
    """A menu's lines of text, top to bottom, as images of the full width, and their background (the
    commonest colour): runs of pixel rows with ink, gaps of up to two rows (under a mnemonic's
    underline) included; a separator's line or two is none. The frame's three pixels are left out."""
    image = image.crop(3, 3, image.width - 6, image.height - 6)
    background = max(image.colours(), key=image.count)
    ink_rows = [y for y in range(image.height)
                if any(distance(image.pixel(x, y), background) > 200 for x in range(image.width))]
    runs = []
    for y in ink_rows:
        if runs and y - runs[-1][1] <= 3:
            runs[-1][1] = y
        else:
            runs.append([y, y])
    return [image.crop(0, top, image.width, bottom - top + 1) for top, bottom in runs if bottom - top > 2], background
