#!/usr/bin/env python3
"""The converter from end to end on the running X display: generated media, the real program, real X input.

converter_e2e.py TONWICK_EXECUTABLE

Runs in $TMPDIR with HOME and the XDG folders pointing into it (cmake/test_sandbox.sh). The program runs from a
copy of its program folder there, so that the settings it writes stay in the test's folder. With
KESTRIN_E2E_SHOTS set to a folder, the screenshots taken on the way are kept there (X window dumps).
"""
import configparser
import itertools
import os
import shutil
import struct
import subprocess
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "support" / "e2e"))
import x_session  # noqa: E402
from x_session import check, run, wait_for, xdo, verdict  # noqa: E402

TMP = Path(os.environ.get("TMPDIR", "/tmp"))
WORK = TMP / "converter-e2e"
PROGRAM = WORK / "program"
MEDIA = WORK / "media"
EXPORT = WORK / "export"
SHOTS = os.environ.get("KESTRIN_E2E_SHOTS")
TITLE = "Tonwick Converter"

# Skin 1's element rectangles (left, top, width, height) of the controls the test uses.
ADD_BUTTON = (16, 40, 28, 28)
SETTINGS_BUTTON = (220, 40, 28, 28)
FILE_LIST = (16, 76, 500, 140)
RANGE_BAR = (16, 226, 500, 34)
# The track inside the range bar (element 18's track rectangle); the range markers (9 x 12) hang below it.
TRACK = (6, 10, 488, 12)
RANGE_MARKER_HEIGHT = 12
PLAY_BUTTON = (120, 262, 80, 26)
FADE_IN = (16, 300, 90, 20)
FADE_OUT = (110, 300, 90, 20)
CONVERT_BUTTON = (420, 366, 96, 32)
LIST_HEADER_HEIGHT = 26
LIST_ROW_HEIGHT = 20

# Output formats in the options dialog's order, with what ffprobe must find: codec, rate, channels.
FORMATS = [
    (".mp3", "mp3", 44100, 2),
    (".wav", "pcm_s16le", 22050, 2),
    (".mmf", "adpcm_yamaha", 8000, 1),
    (".amr", "amr_nb", 8000, 1),
    (".awb", "amr_wb", 16000, 1),
    (".m4r", "aac", 44100, 2),
]


def shown_windows():
    """The visible windows with a name, tooltips left out: a tip shows while the pointer rests on a button."""
    shown = xdo("search", "--onlyvisible", "--name", ".").split()
    return [w for w in shown if "_NET_WM_WINDOW_TYPE_TOOLTIP" not in
            subprocess.run(["xprop", "-id", w, "_NET_WM_WINDOW_TYPE"], capture_output=True, text=True).stdout]


def log_text():
    return x_session.log_text("Tonwick.txt")


def windows_path(path):
    return str(path).replace("/", "\\")


def find_window(name):
    ids = xdo("search", "--onlyvisible", "--name", "^" + name + "$").split()
    return ids[-1] if ids else None


def window_origin(window):
    geometry = {}
    for line in xdo("getwindowgeometry", "--shell", window).splitlines():
        key, _, value = line.partition("=")
        geometry[key] = int(value) if value.isdigit() else value
    return geometry["X"], geometry["Y"]


def click(window, x, y, button=1, double=False):
    ox, oy = window_origin(window)
    xdo("mousemove", ox + x, oy + y)
    time.sleep(0.1)
    xdo("click", "--repeat", 2 if double else 1, button)
    time.sleep(0.3)


def click_centre(window, rect):
    click(window, rect[0] + rect[2] // 2, rect[1] + rect[3] // 2)


def drag(window, x0, y, x1):
    ox, oy = window_origin(window)
    xdo("mousemove", ox + x0 - 2, oy + y)
    time.sleep(0.05)
    xdo("mousemove", ox + x0, oy + y)
    time.sleep(0.1)
    xdo("mousedown", 1)
    for step in range(1, 11):
        xdo("mousemove", ox + x0 + (x1 - x0) * step // 10, oy + y)
        time.sleep(0.05)
    xdo("mouseup", 1)
    time.sleep(0.3)


class Screen:
    """One X window dump of the whole screen (32 bits per pixel, as Xvfb's default visual gives it)."""

    def __init__(self, label):
        data = subprocess.run(["xwd", "-root", "-silent"], check=True, capture_output=True).stdout
        if SHOTS:
            Path(SHOTS).mkdir(parents=True, exist_ok=True)
            (Path(SHOTS) / (label + ".xwd")).write_bytes(data)
        header = struct.unpack(">25I", data[:100])
        header_size, width, height = header[0], header[4], header[5]
        self.bytes_per_line = header[12]
        self.byte_order = header[7]
        self.width, self.height = width, height
        colours = header[19]
        self.pixels = data[header_size + colours * 12:]

    def at(self, x, y):
        offset = y * self.bytes_per_line + x * 4
        raw = self.pixels[offset:offset + 4]
        value = struct.unpack("<I" if self.byte_order == 0 else ">I", raw)[0]
        return value & 0xFFFFFF

    def region(self, x, y, width, height):
        return [self.at(x + i, y + j) for j in range(height) for i in range(width)]


def make_media():
    MEDIA.mkdir(parents=True)
    video = MEDIA / "clip video.mp4"
    run("ffmpeg", "-v", "error", "-y", "-f", "lavfi", "-i", "testsrc=duration=10:size=320x240:rate=25",
        "-f", "lavfi", "-i", "sine=frequency=440:duration=10:sample_rate=44100", "-c:v", "mpeg4", "-c:a", "aac",
        "-shortest", video)
    audio = MEDIA / "Sommerlied für Jürgen.mp3"
    run("ffmpeg", "-v", "error", "-y", "-f", "lavfi", "-i", "sine=frequency=660:duration=20:sample_rate=44100",
        "-ac", "2", "-c:a", "libmp3lame", "-b:a", "128k", audio)
    broken = MEDIA / "kaputt.avi"
    broken.write_bytes(b"RIFF\x10\x00\x00\x00AVI garbage that no demuxer takes" * 20)
    return [video, audio, broken]


def make_program_folder(executable, output_format):
    source = Path(executable).parent
    PROGRAM.mkdir(parents=True, exist_ok=True)
    shutil.copy2(executable, PROGRAM / "tonwick")
    for name in ("common.ini",):
        shutil.copy2(source / name, PROGRAM / name)
    for folder in ("lang", "skin", "help"):
        if (source / folder).is_dir() and not (PROGRAM / folder).exists():
            shutil.copytree(source / folder, PROGRAM / folder)
    EXPORT.mkdir(exist_ok=True)
    ini = configparser.RawConfigParser()
    ini.optionxform = str
    ini.read(PROGRAM / "common.ini", encoding="utf-8")
    ini["common"]["desdir"] = windows_path(EXPORT) + "\\"
    ini["common"]["OutputFormat"] = str(output_format)
    ini["common"]["fidein"] = "0"
    ini["common"]["fideout"] = "0"
    ini["common"]["ApplyFadeFix"] = "0"
    settings = {0: (1, 5, 1), 1: (4, 5, 1), 2: (8, 5, 0), 3: (8, 5, 0), 4: (5, 5, 0), 5: (1, 5, 1)}
    for index, (sample, bitrate, channel) in settings.items():
        section = "format%d" % index
        if not ini.has_section(section):
            ini.add_section(section)
        ini[section]["sample"] = str(sample)
        ini[section]["bitrate"] = str(bitrate)
        ini[section]["channel"] = str(channel)
    with open(PROGRAM / "common.ini", "w", encoding="utf-8") as f:
        ini.write(f, space_around_delimiters=False)


def start_program():
    log = open(WORK / "program-output.txt", "ab")
    process = subprocess.Popen([str(PROGRAM / "tonwick")], cwd=str(WORK), stdout=log, stderr=subprocess.STDOUT)
    window = wait_for(lambda: find_window(TITLE), 30)
    # The window is centred and shown on the first start-up tick, which logs its last start-up step.
    if not window or not wait_for(lambda: "start - 15" in log_text(), 60):
        process.kill()
        raise SystemExit("the converter's window did not appear")
    return process, window


def chosen_and_loaded(path, before):
    """Whether the file was chosen more than before times, its clip shown (logged once its duration is measured)."""
    chosen = "Click file - " + str(path)
    text = log_text()
    return text.count(chosen) > before and "Ringtine from " in text[text.rindex(chosen):]


def add_file(window, path):
    # The new row is put at the top and chosen, which ends the command.
    opened = log_text().count("Click file - " + str(path))
    before = set(shown_windows())
    click_centre(window, ADD_BUTTON)
    dialog = wait_for(lambda: [w for w in shown_windows() if w not in before])
    check(bool(dialog), "the file dialog did not open for " + path.name)
    if not dialog:
        return
    xdo("windowactivate", "--sync", dialog[-1])
    xdo("key", "ctrl+l")
    time.sleep(0.3)
    xdo("type", "--delay", "20", str(path))
    time.sleep(0.3)
    xdo("key", "Return")
    wait_for(lambda: not find_window_id(dialog[-1]), 10)
    check(bool(wait_for(lambda: chosen_and_loaded(path, opened), 60)), "%s was not added" % path.name)


def find_window_id(window):
    return window in xdo("search", "--onlyvisible", "--name", ".").split()


def clip_info(media):
    ini = configparser.RawConfigParser()
    ini.read(Path(os.environ["XDG_RUNTIME_DIR"]) / "kestrin" / "clipinfo" / (media.name + ".mervaneclipinfo"),
             encoding="utf-8")
    if not ini.has_section("mervane"):
        return 0.0, 100.0
    end = float(ini["mervane"].get("time2", "0") or 0)
    return float(ini["mervane"].get("time1", "0") or 0), (100.0 if end <= 0 or end > 100 else end)


def choose_format(window, index):
    before = set(shown_windows())
    click_centre(window, SETTINGS_BUTTON)
    time.sleep(0.5)
    xdo("key", "Down")
    xdo("key", "Return")
    dialog = wait_for(lambda: [w for w in shown_windows() if w not in before])
    check(bool(dialog), "the options dialog did not open")
    if not dialog:
        return
    options = dialog[-1]
    geometry = {}
    for line in xdo("getwindowgeometry", "--shell", options).splitlines():
        key, _, value = line.partition("=")
        geometry[key] = int(value)
    # The dialog template is 240 x 170 dialog units, less (at most) the hidden bit-rate row of 16 units that the rows
    # below it close up; the radios sit at (14 + 74 column, 24 + 16 row), OK 4 units above the bottom at x 116.
    sx, sy = geometry["WIDTH"] / 240.0, geometry["HEIGHT"] / 154.0
    column, row = index % 3, index // 3
    click(options, int((14 + 74 * column + 6) * sx), int((24 + 16 * row + 6) * sy))
    click(options, int((116 + 27) * sx), int(geometry["HEIGHT"] - (4 + 7) * sy))
    wait_for(lambda: not find_window_id(options), 10)


def probe(path):
    out = run("ffprobe", "-v", "error", "-show_entries", "stream=codec_name,sample_rate,channels:format=duration",
              "-of", "default=noprint_wrappers=1", path)
    values = dict(line.split("=", 1) for line in out.splitlines() if "=" in line)
    return values


def smaf_crc16(data):
    crc = 0xFFFF
    for byte in data:
        crc ^= byte << 8
        for _ in range(8):
            crc = ((crc << 1) ^ 0x1021) if crc & 0x8000 else crc << 1
            crc &= 0xFFFF
    return crc ^ 0xFFFF


def check_smaf(path):
    data = path.read_bytes()
    check(len(data) >= 10, path.name + ": too short")
    length = struct.unpack(">I", data[4:8])[0]
    check(length == len(data) - 8, "%s: length field %d, file %d" % (path.name, length, len(data)))
    crc = struct.unpack(">H", data[-2:])[0]
    check(crc == smaf_crc16(data[:-2]), path.name + ": CRC does not match")


def convert(window, label):
    batches = log_text().count("Convert done - ")
    before = set(shown_windows())
    click_centre(window, CONVERT_BUTTON)
    done = wait_for(lambda: [w for w in shown_windows() if w not in before],
                    180, 0.5)
    check(bool(done), label + ": the conversion-done dialog did not appear")
    # The unreadable file fails and the batch goes on: two of the three rows are done.
    ends = log_text().split("Convert done - ")
    check(len(ends) == batches + 2 and ends[-1].startswith("2 of 3"), label + ": the batch did not end 2 of 3")
    time.sleep(0.5)
    Screen(label + "-done")
    if done:
        xdo("windowactivate", "--sync", done[-1])
        xdo("key", "Escape")
        wait_for(lambda: not find_window_id(done[-1]), 10)


def main():
    executable = sys.argv[1]
    media = make_media()
    make_program_folder(executable, 0)
    process, window = start_program()
    try:
        Screen("started")
        for path in media:
            add_file(window, path)
        Screen("files-added")

        # Rows are inserted at the top in the order chosen; the last file added is row 0. The video is row 2.
        video = media[0]
        row_y = FILE_LIST[1] + LIST_HEADER_HEIGHT + 2 * LIST_ROW_HEIGHT + LIST_ROW_HEIGHT // 2
        chosen = log_text().count("Click file - " + str(video))
        click(window, FILE_LIST[0] + 100, row_y)
        check(bool(wait_for(lambda: chosen_and_loaded(video, chosen), 30)), "the video's row was not chosen")
        # The clip: drag the range's end marker in from the right, then switch both fades on.
        marker_y = RANGE_BAR[1] + TRACK[1] + TRACK[3] + RANGE_MARKER_HEIGHT // 2
        track_left = RANGE_BAR[0] + TRACK[0]
        time.sleep(0.5)
        # A drag can start before the pointer's first move is seen over the marker: one more try then. The
        # clip-info file is written when the marker is let go, which a busy machine may take a while to get to.
        for _ in range(2):
            drag(window, track_left + TRACK[2], marker_y, track_left + TRACK[2] * 6 // 10)
            if wait_for(lambda: clip_info(video)[1] < 100.0, 15):
                break
        for rect, logged in ((FADE_IN, "Fade in check"), (FADE_OUT, "Fade out check")):
            count = log_text().count(logged)
            click_centre(window, rect)
            check(bool(wait_for(lambda: log_text().count(logged) > count, 15)), "no " + logged)
        start, end = clip_info(video)
        check(end - start < 100.0, "the clip range did not change: %s..%s" % (start, end))

        # Preview: the position marker moves and a video frame shows in the preview window.
        ox, oy = window_origin(window)
        # The screen's band of the bar, with a margin above: the position marker rides on the bar's top edge. The
        # play button below is left out, as its caption changes.
        still = Screen("preview-0")
        bar = (0, oy + RANGE_BAR[1] - 8, still.width, RANGE_BAR[3] + 8)
        plays = log_text().count("Play - ")
        click_centre(window, PLAY_BUTTON)
        check(bool(wait_for(lambda: log_text().count("Play - ") > plays, 15)), "the play click was not taken")
        # Opening a clip waits for its first picture and sound (and the first one in a fresh home folder for
        # GStreamer's plugin registry), the window standing still meanwhile: the marker moving twice in a row
        # tells playback from one repaint.
        bands = [still.region(*bar)]
        shots = [still]
        taken = itertools.count(1)

        def moved_twice():
            shots[0] = Screen("preview-%d" % next(taken))
            bands.append(shots[0].region(*bar))
            del bands[:-3]
            return len(bands) == 3 and bands[0] != bands[1] != bands[2]

        check(bool(wait_for(moved_twice, 60, 0.3)), "the preview position did not move")
        frame = set(shots[0].region(ox + FILE_LIST[0] + 100, oy + FILE_LIST[1] + 30, 200, 60))
        check(len(frame) > 8, "no video frame in the preview window")
        click_centre(window, PLAY_BUTTON)
        # Stopped, the marker is back at the start.
        check(bool(wait_for(lambda: Screen("stopped").region(*bar) == still.region(*bar), 30)),
              "the preview did not stop")

        for index, (extension, codec, rate, channels) in enumerate(FORMATS):
            if index:
                choose_format(window, index)
            convert(window, "format-%d" % index)
            for path in media:
                out = EXPORT / (path.stem + extension)
                if path.name == "kaputt.avi":
                    check(not out.exists() or out.stat().st_size == 0, "the unreadable file gave " + out.name)
                    continue
                check(out.exists(), "missing output " + out.name)
                if not out.exists():
                    continue
                values = probe(out)
                check(values.get("codec_name") == codec, "%s: codec %s" % (out.name, values.get("codec_name")))
                check(values.get("sample_rate") == str(rate), "%s: rate %s" % (out.name, values.get("sample_rate")))
                check(values.get("channels") == str(channels), "%s: channels %s" % (out.name, values.get("channels")))
                full = 10.0 if path == video else 20.0
                s, e = clip_info(path)
                expected = round(full * (e - s) / 100.0)
                duration = float(values.get("duration", "0") or 0)
                check(abs(duration - expected) <= 1.0, "%s: duration %.2f, clip %d" % (out.name, duration, expected))
                if extension == ".mmf":
                    check_smaf(out)
    finally:
        process.kill()
        process.wait()
    print(log_text()[-30000:])
    return verdict()


if __name__ == "__main__":
    sys.exit(main())
