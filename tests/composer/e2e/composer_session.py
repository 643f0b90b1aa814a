"""What the composer's end-to-end tests share: the program folder and the running program, its window's layout
read from the skin, pictures of the screen, file dialogs, note entry, the range bar and the export."""
import collections
import configparser
import ctypes
import os
import re
import shutil
import struct
import subprocess
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "support" / "e2e"))
import x_session  # noqa: E402
from x_session import check, run, wait_for, xdo  # noqa: E402

TMP = Path(os.environ.get("TMPDIR", "/tmp"))
WORK = TMP / "composer-e2e"
PROGRAM = WORK / "program"
SONGS = WORK / "songs"
EXPORT = WORK / "export"
SHOTS = os.environ.get("KESTRIN_E2E_SHOTS")
TITLE = "Tonwick Composer"
FADE_PERCENT = 10

START = time.monotonic()


def log_text():
    return x_session.log_text("TonwickComposer.txt")


def step(label):
    print("%6.1f s  %s" % (time.monotonic() - START, label), flush=True)


def visible_windows():
    return set(xdo("search", "--onlyvisible", "--name", "").split())


def window_geometry(window):
    geometry = {}
    for line in xdo("getwindowgeometry", "--shell", window).splitlines():
        key, _, value = line.partition("=")
        geometry[key] = int(value) if value.lstrip("-").isdigit() else value
    return geometry.get("X", 0), geometry.get("Y", 0), geometry.get("WIDTH", 0), geometry.get("HEIGHT", 0)


def new_window(before, seconds=20.0, exclude=None):
    """The id of a dialog-sized window shown since `before` was taken (the last one shown), or None."""

    def found():
        fresh = sorted(visible_windows() - before, key=int)
        if exclude is not None:
            fresh = [w for w in fresh if xdo("getwindowname", w) != exclude]
        return [w for w in fresh if min(window_geometry(w)[2:]) >= 40]

    windows = wait_for(found, seconds)
    return windows[-1] if windows else None


def focus(window):
    xdo("windowfocus", "--sync", window)


def pointer():
    values = dict(line.split("=", 1) for line in xdo("getmouselocation", "--shell").splitlines() if "=" in line)
    return int(values["X"]), int(values["Y"])


def move_to(window, x, y):
    ox, oy, _, _ = window_geometry(window)
    xdo("mousemove", "--sync", ox + x, oy + y)


def click(window, x, y):
    # The pointer arrives first, so that the control has seen it before the press.
    move_to(window, x - 1, y)
    move_to(window, x, y)
    time.sleep(0.15)
    xdo("click", 1)


def click_centre(window, rect):
    click(window, rect[0] + rect[2] // 2, rect[1] + rect[3] // 2)


class XImage(ctypes.Structure):
    """The head of Xlib's XImage, as far as the pixels need it."""
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.POINTER(ctypes.c_ubyte)), ("byte_order", ctypes.c_int),
                ("bitmap_unit", ctypes.c_int), ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int), ("bits_per_pixel", ctypes.c_int)]


class Screen:
    """The display's root window, read through Xlib: a screen grab without starting a program each time."""

    def __init__(self):
        x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
        x11.XOpenDisplay.restype = ctypes.c_void_p
        x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x11.XDefaultRootWindow.restype = ctypes.c_ulong
        x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        x11.XGetImage.restype = ctypes.POINTER(XImage)
        x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                                  ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        x11.XDestroyImage.argtypes = [ctypes.POINTER(XImage)]
        self.x11 = x11
        self.display = x11.XOpenDisplay(None)
        if not self.display:
            raise SystemExit("no X display")
        self.root = x11.XDefaultRootWindow(self.display)

    def grey(self, x, y, width, height):
        """One byte a pixel (the green channel), top row first."""
        image = self.x11.XGetImage(self.display, self.root, x, y, width, height, 0xFFFFFFFF, 2)  # ZPixmap
        if not image:
            return b""
        head = image.contents
        step = head.bits_per_pixel // 8
        raw = ctypes.string_at(head.data, head.bytes_per_line * head.height)
        self.x11.XDestroyImage(image)
        # 32 bits a pixel: blue, green, red, pad from the least significant byte, or the reverse.
        green = 1 if head.byte_order == 0 else step - 3
        line = head.bytes_per_line
        rows = [raw[r * line + green:r * line + width * step:step] for r in range(height)]
        return b"".join(rows)


SCREEN = []
def grab(x, y, width, height):
    if not SCREEN:
        SCREEN.append(Screen())
    return SCREEN[0].grey(x, y, width, height)


PLACES = {}
def grab_window(window, rect=None):
    # The main window never moves: its place is asked once.
    if window not in PLACES:
        PLACES[window] = window_geometry(window)
    ox, oy, width, height = PLACES[window]
    if rect is None:
        rect = (0, 0, width, height)
    return grab(ox + rect[0], oy + rect[1], rect[2], rect[3])


def settled(window, rect=None, seconds=10.0):
    """Waits until two grabs of the rectangle a moment apart are the same; answers the last grab."""
    last = [grab_window(window, rect)]

    def same():
        time.sleep(0.25)
        now = grab_window(window, rect)
        stable = now == last[0]
        last[0] = now
        return stable

    wait_for(same, seconds, 0)
    return last[0]


def keep_shot(window, label):
    if not SHOTS:
        return
    Path(SHOTS).mkdir(parents=True, exist_ok=True)
    ox, oy, width, height = window_geometry(window)
    display = os.environ.get("DISPLAY", ":0")
    subprocess.run(["ffmpeg", "-v", "error", "-y", "-f", "x11grab", "-draw_mouse", "0", "-video_size",
                    "%dx%d" % (width, height), "-i", "%s+%d,%d" % (display, ox, oy), "-frames:v", "1",
                    str(Path(SHOTS) / (label + ".png"))], check=True)


class Skin:
    """The sizes of the skin elements the layout places, read from the program folder's current skin."""

    def __init__(self, program):
        common = configparser.RawConfigParser()
        common.read(program / "common.ini", encoding="utf-8")
        number = common.getint("common", "skin", fallback=1)
        self.folder = program / "skin-com" / ("skin-%d" % number)
        self.ini = configparser.RawConfigParser(strict=False)
        self.ini.read(self.folder / "skin.ini", encoding="utf-8")

    def size(self, element):
        section = "textbtn%02d" % element
        values = [int(v) for v in self.ini.get(section, "position", fallback="0,0,0,0").split(",")]
        return values[2], values[3]

    def w(self, element):
        return self.size(element)[0]

    def h(self, element):
        return self.size(element)[1]

    def caption_height(self):
        """The height of the caption picture (element 0), as the skinned base takes it; 20 without one."""
        name = self.ini.get("textbtn00", "bgimage", fallback="")
        path = self.folder / name
        if not name or not path.is_file():
            return 20
        header = path.read_bytes()[:26]
        return abs(struct.unpack("<i", header[22:26])[0])


class Layout:
    """Where the main window's layout puts the controls the test uses, for a window of width W, height H."""

    # The toolbar left to right: element, gap before it.
    TOOLBAR = [(60, 0), (61, 0), (62, 0), (65, 10), (64, 0), (63, 0), (79, 10), (80, 0), (81, 0)]

    def __init__(self, skin, width, height):
        self.s = skin
        self.W, self.H = width, height
        c = skin.caption_height()
        self.toolbar_top = 10 + c
        self.toolbar = {}
        x = 10
        for element, gap in self.TOOLBAR:
            x += gap
            self.toolbar[element] = (x, self.toolbar_top, skin.w(element), skin.h(element))
            x += skin.w(element)
        status = height - 30
        self.export = (width - skin.w(16) - 10, status - 10 - skin.h(16), skin.w(16), skin.h(16))
        self.lower_toggle = (width // 2 - skin.w(84) // 2, status - 10 - skin.h(84), skin.w(84), skin.h(84))
        self.close = (width - 1 - skin.w(40), 1, skin.w(40), skin.h(40))
        bottom = self.export[1]
        y1 = bottom - 5 - skin.h(26)
        y2 = y1 - 10 - skin.h(32)
        y3 = y2 - 10 - skin.h(30)
        y4 = y3 - 20 - skin.h(37)
        slider = width // 2 - 290 + skin.w(37) + 10
        toggles = slider + skin.w(29) + 10
        self.fade_in = (toggles, y4 - 5, skin.w(27), skin.h(27))
        self.fade_out = (toggles, y4 + skin.h(27), skin.w(28), skin.h(28))
        self.view_top = skin.h(60) + c + 34

    def range_track(self, lower_panel):
        """The range bar's track in window coordinates (x, width) and the row of its range markers."""
        anchor = self.fade_out[1] - self.s.h(28) if lower_panel else self.export[1]
        top = anchor - 10 - self.s.h(18)
        left, _, width, height = [int(v) for v in self.s.ini.get("textbtn18", "fntcolor").split(",")]
        # The bar stretches its track by as much as the bar is wider than its picture.
        bar_width = self.W - 30 - self.s.w(47)
        track_width = bar_width - (self.s.w(18) - width)
        marker_row = top + int(self.s.ini.get("textbtn18", "fntcolor").split(",")[1]) + height + self.s.h(20) // 2
        return 10 + left, track_width, marker_row

    def view(self, lower_panel):
        """The score view's rectangle: below the marker bar, above the range bar."""
        anchor = self.fade_out[1] - self.s.h(28) if lower_panel else self.export[1]
        range_top = anchor - 10 - self.s.h(18)
        return (170, self.view_top, self.W - 250, range_top - 30 - self.view_top)


def staff_lines(window, view):
    """The screen rows (window coordinates) of the staff lines in the score view, grouped five to a staff."""
    x, y, width, height = view
    band = (x + width // 4, y, width // 2, height)
    pixels = settled(window, band)
    rows = []
    for row in range(band[3]):
        line = pixels[row * band[2]:(row + 1) * band[2]]
        if sum(1 for p in line if p < 128) > band[2] * 0.6:
            rows.append(row + y)
    # Adjacent rows are one thick line.
    lines = [r for i, r in enumerate(rows) if i == 0 or rows[i - 1] != r - 1]
    staves = []
    i = 0
    while i + 4 < len(lines):
        five = lines[i:i + 5]
        gaps = [b - a for a, b in zip(five, five[1:])]
        if max(gaps) - min(gaps) <= 2 and min(gaps) >= 4:
            staves.append(five)
            i += 5
        else:
            i += 1
    return staves


def dump_notes(songtool, path):
    lines = run(songtool, "dump", path).splitlines()
    return collections.Counter(line for line in lines if line.startswith("note "))


def make_program_folder(executable):
    source = Path(executable).parent
    PROGRAM.mkdir(parents=True)
    shutil.copy2(executable, PROGRAM / "kestrin")
    for name in ("common.ini", "kestrin.ini"):
        shutil.copy2(source / name, PROGRAM / name)
    for folder in ("lang", "lan", "skin-com", "help-com"):
        if (source / folder).is_dir():
            shutil.copytree(source / folder, PROGRAM / folder)
    for font in source.glob("*.ttf"):
        shutil.copy2(font, PROGRAM / font.name)
    EXPORT.mkdir()
    SONGS.mkdir()
    ini = configparser.RawConfigParser()
    ini.optionxform = str
    ini.read(PROGRAM / "common.ini", encoding="utf-8")
    ini["common"]["desdir"] = str(EXPORT).replace("/", "\\") + "\\"
    ini["common"]["fidetime"] = str(FADE_PERCENT)
    ini["common"]["fidein"] = "0"
    ini["common"]["fideout"] = "0"
    with open(PROGRAM / "common.ini", "w", encoding="utf-8") as f:
        ini.write(f, space_around_delimiters=False)


def start_program():
    log = open(WORK / "program-output.txt", "ab")
    # The synthesizer plays unheard: no sound server and no sound card for the program.
    silence = WORK / "no-sound.conf"
    silence.write_text("")
    os.environ["ALSA_CONFIG_PATH"] = str(silence)
    os.environ["PULSE_SERVER"] = "unix:" + str(WORK / "no-sound-server")
    process = subprocess.Popen([str(PROGRAM / "kestrin")], cwd=str(WORK), stdout=log, stderr=subprocess.STDOUT)
    window = wait_for(lambda: (xdo("search", "--onlyvisible", "--name", "^%s$" % TITLE).split() or [None])[-1], 90)
    if not window:
        process.kill()
        process.wait()
        print("exit status", process.returncode)
        print((WORK / "program-output.txt").read_text(errors="replace")[-3000:])
        print(log_text()[-3000:])
        raise SystemExit("the composer's window did not appear")
    settled(window)
    return process, window


def choose_file(button_window, rect, path, saving, discard=False):
    """Presses a toolbar button that opens a file dialog, and gives the dialog the path. With `discard`, the save
    question about the open song comes first and is answered No."""
    before = visible_windows()
    click_centre(button_window, rect)
    if discard and not answer_no(before):
        return False
    dialog = new_window(before)
    if not check(bool(dialog), "no file dialog for " + path.name):
        return False
    # The dialog lists its folder before it takes keys. A tooltip may have shown over it meanwhile: the
    # dialog is the largest new window.
    time.sleep(1.0)
    fresh = [w for w in visible_windows() - before if min(window_geometry(w)[2:]) >= 40]
    dialog = max(fresh or [dialog], key=lambda w: window_geometry(w)[2] * window_geometry(w)[3])
    focus(dialog)
    if saving:
        xdo("key", "ctrl+a")
    else:
        # The location entry may already show (a Save dialog leaves it): a path typed there replaces it.
        xdo("key", "ctrl+l")
        time.sleep(0.2)
        xdo("key", "ctrl+a")
    time.sleep(0.2)
    xdo("type", "--delay", "10", str(path))
    time.sleep(0.2)
    xdo("key", "Return")
    return check(bool(wait_for(lambda: dialog not in visible_windows(), 30)), "the file dialog stayed open")


def answer_no(before):
    """Answers No to the save question shown since `before` was taken; adds it to `before`."""
    question = new_window(before)
    if not check(bool(question), "no save question"):
        return False
    before.add(question)
    focus(question)
    time.sleep(0.3)
    xdo("key", "alt+n")
    return check(bool(wait_for(lambda: question not in visible_windows(), 15)), "the save question stayed")


def drag(window, x0, y, x1):
    """Presses at (x0, y), moves in steps to (x1, y) and releases."""
    move_to(window, x0 - 1, y)
    move_to(window, x0, y)
    time.sleep(0.2)
    xdo("mousedown", 1)
    for i in range(1, 11):
        move_to(window, x0 + (x1 - x0) * i // 10, y)
        time.sleep(0.05)
    xdo("mouseup", 1)
    time.sleep(0.3)


def mark_range(window, layout, start, end):
    """Drags the range bar's end marker, then its start marker, to percentages of the song; answers the range
    shown afterwards (start, end, duration in seconds), from the log."""
    left, width, row = layout.range_track(lower_panel=False)
    lines = len(range_lines())
    drag(window, left + width, row, left + width * end // 100)
    drag(window, left, row, left + width * start // 100)
    if not check(bool(wait_for(lambda: len(range_lines()) >= lines + 2, 15)), "the range bar did not move"):
        return 0, 0, 0
    shown = range_lines()[-1]
    return seconds(*shown[0:3]), seconds(*shown[3:6]), seconds(*shown[6:9])


def export_ringtone(window, layout, ringtone, label):
    """The Export button, then the post-export dialog's "close and continue"; answers whether it was written."""
    written = ringtone.stat().st_mtime_ns if ringtone.exists() else 0
    before = visible_windows()
    click_centre(window, layout.export)
    # The progress dialog shows on the way; the post-export dialog once the ringtone is written.
    dialog = wait_for(lambda: ringtone.exists() and ringtone.stat().st_mtime_ns != written and
                      new_window(before, 0, exclude="Exporting"), 120, 0.3)
    if not check(bool(dialog), "the export did not end with the post-export dialog (%s)" % label):
        return False
    keep_shot(dialog, "export-done-" + label)
    _, _, dw, dh = window_geometry(dialog)
    # Template 263 is 230 x 120 dialog units: "close and continue" (radio 1202), then the go-on button.
    sx, sy = dw / 230.0, dh / 120.0
    click(dialog, int(26 * sx), int(92 * sy))
    click(dialog, int(192 * sx), int(109 * sy))
    return check(bool(wait_for(lambda: dialog not in visible_windows(), 30)), "the post-export dialog stayed")


def range_lines():
    return re.findall(r"Ringtine from (\d\d):(\d\d):(\d\d) to (\d\d):(\d\d):(\d\d) Duration is "
                      r"(\d\d):(\d\d):(\d\d)", log_text())


def seconds(h, m, s):
    return int(h) * 3600 + int(m) * 60 + int(s)


def enter_notes(window, view, count):
    """Clicks `count` notes high above the first staff, where the score shows nothing; answers how many clicks
    changed the score there."""
    staves = staff_lines(window, view)
    if not check(bool(staves), "no staff lines found in the score view"):
        return 0
    top, spacing = staves[0][0], staves[0][1] - staves[0][0]
    y = top - 3 * spacing
    entered = 0
    for i in range(count):
        x = view[0] + view[2] * (45 + 12 * i) // 100
        # The band around the click: the insertion cross follows the pointer there before the press.
        band = (x - 40, y - 3 * spacing, 80, 6 * spacing)
        move_to(window, x - 1, y)
        move_to(window, x, y)
        before = settled(window, band)
        xdo("click", 1)
        if wait_for(lambda: grab_window(window, band) != before, 15):
            entered += 1
    return entered
