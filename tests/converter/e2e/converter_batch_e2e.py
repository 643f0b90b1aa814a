#!/usr/bin/env python3
"""The converter's batches from end to end on the running X display: the list after a multi-row removal, rows of
one title, files whose names differ only in case, a cancelled row over an older output, the progress row, fades on
many channels and high rates.

converter_batch_e2e.py TONWICK_EXECUTABLE

Runs in the sandbox of cmake/test_sandbox.sh, as converter_e2e.py does, whose helpers it uses.
"""
import struct
import subprocess
import sys
import time

import converter_e2e as c
from x_session import check, run, wait_for, xdo, verdict

REMOVE_BUTTON = (48, 40, 28, 28)
# Skin 1's progress row: the batch's count and percent (element 43).
PROGRESS = (16, 390, 160, 18)


def tone(path, frequency, seconds, *encode):
    run("ffmpeg", "-v", "error", "-y", "-f", "lavfi", "-i",
        "sine=frequency=%d:duration=%d:sample_rate=44100" % (frequency, seconds), *encode, path)
    return path


def frequency(path):
    """The pitch of a pure tone, from the zero crossings of its decoded mono sound."""
    pcm = subprocess.run(["ffmpeg", "-v", "error", "-i", str(path), "-f", "s16le", "-ac", "1", "-ar", "44100", "-"],
                         capture_output=True).stdout
    values = struct.unpack("<%dh" % (len(pcm) // 2), pcm[:len(pcm) // 2 * 2])
    crossings = sum(1 for a, b in zip(values, values[1:]) if (a < 0) != (b < 0))
    return crossings / 2.0 / (len(values) / 44100.0) if values else 0.0


def peaks(path, second):
    """The loudest sample in the 20 ms from the given second of the decoded mono sound."""
    pcm = subprocess.run(["ffmpeg", "-v", "error", "-i", str(path), "-f", "s16le", "-ac", "1", "-ar", "44100", "-"],
                         capture_output=True).stdout
    first = int(second * 44100) * 2
    values = struct.unpack("<%dh" % 882, pcm[first:first + 1764]) if len(pcm) >= first + 1764 else [0]
    return max(abs(v) for v in values)


def row_point(row):
    return c.FILE_LIST[0] + 100, c.FILE_LIST[1] + c.LIST_HEADER_HEIGHT + row * c.LIST_ROW_HEIGHT + \
        c.LIST_ROW_HEIGHT // 2


def click_row(window, row, modifier=None):
    if modifier:
        xdo("keydown", modifier)
    c.click(window, *row_point(row))
    if modifier:
        xdo("keyup", modifier)


def remove_all(window, rows):
    """Selects the rows from the first to the last with a shift-click and removes them."""
    removed = c.log_text().count("Remove files - ")
    click_row(window, 0)
    if rows > 1:
        click_row(window, rows - 1, "shift")
    c.click_centre(window, REMOVE_BUTTON)
    check(bool(wait_for(lambda: c.log_text().count("Remove files - ") > removed, 15)), "the remove click was lost")
    check(("Remove files -  %d" % rows) in c.log_text(), "not all %d rows were selected for removal" % rows)


def new_windows(before):
    return [w for w in c.shown_windows() if w not in before]


def close_done_dialog(before, label):
    done = wait_for(lambda: new_windows(before), 300, 0.5)
    check(bool(done), label + ": the conversion-done dialog did not appear")
    if done:
        xdo("windowactivate", "--sync", done[-1])
        xdo("key", "Escape")
        wait_for(lambda: done[-1] not in new_windows(before), 10)


def convert(window, label):
    before = set(c.shown_windows())
    c.click_centre(window, c.CONVERT_BUTTON)
    close_done_dialog(before, label)


def alive(process, label):
    return check(process.poll() is None, label + ": the converter died")


def main():
    executable = sys.argv[1]
    media = c.MEDIA
    media.mkdir(parents=True)
    first = tone(media / "first.wav", 500, 2)
    second = tone(media / "second.wav", 600, 2)
    song_mp3 = tone(media / "song.mp3", 440, 6, "-c:a", "libmp3lame")
    song_ogg = tone(media / "song.ogg", 880, 6, "-c:a", "libvorbis")
    twins = [tone(media / "Song.wav", 440, 4), tone(media / "song.WAV", 880, 4)]
    long_row = tone(media / "long.flac", 300, 600)
    high = tone(media / "high rate.flac", 440, 6, "-ar", "96000", "-ac", "2", "-sample_fmt", "s32")
    surround = tone(media / "surround.wav", 440, 6, "-ac", "6")
    c.make_program_folder(executable, 0)
    older = tone(c.EXPORT / "long.mp3", 1000, 1, "-c:a", "libmp3lame")
    older_bytes = older.read_bytes()
    process, window = c.start_program()
    try:
        # Two rows selected with the mouse and removed; the list goes on taking files and clicks.
        c.add_file(window, first)
        c.add_file(window, second)
        remove_all(window, 2)
        c.add_file(window, first)
        chosen = c.log_text().count("Click file - " + str(first))
        click_row(window, 0)
        time.sleep(1)
        if alive(process, "click after removing two rows"):
            check(c.log_text().count("Click file - " + str(first)) > chosen, "the row click was lost")
        remove_all(window, 1)

        # Two files of one title: each output holds its own source's tone, under a name of its own.
        c.add_file(window, song_mp3)
        c.add_file(window, song_ogg)
        convert(window, "same title")
        outputs = [c.EXPORT / "song.mp3", c.EXPORT / "song (2).mp3"]
        if check(all(o.exists() for o in outputs), "same title: outputs %s" % sorted(p.name for p in c.EXPORT.iterdir())):
            heard = sorted(round(frequency(o)) for o in outputs)
            check(abs(heard[0] - 440) < 15 and abs(heard[1] - 880) < 15, "same title: tones %s" % heard)
        remove_all(window, 2)

        # A long row: its progress shows in a row of its own; cancelled, it leaves the older output as it was.
        c.add_file(window, long_row)
        ox, oy = c.window_origin(window)
        area = (ox + PROGRESS[0], oy + PROGRESS[1], PROGRESS[2], PROGRESS[3])
        blank = c.Screen("progress-before").region(*area)
        before = set(c.shown_windows())
        c.click_centre(window, c.CONVERT_BUTTON)
        shown = wait_for(lambda: c.Screen("progress").region(*area) != blank, 60, 0.3)
        check(bool(shown), "no progress text while the row converts")
        c.click_centre(window, c.CONVERT_BUTTON)
        close_done_dialog(before, "cancel")
        check(older.read_bytes() == older_bytes, "the cancelled row changed the older output")
        check(sorted(p.name for p in c.EXPORT.iterdir()) == ["long.mp3", "song (2).mp3", "song.mp3"],
              "cancel left %s" % sorted(p.name for p in c.EXPORT.iterdir()))
        remove_all(window, 1)

        # Two files whose names differ only in case are two files: two rows, two outputs, each with its own tone.
        for twin in twins:
            c.add_file(window, twin)
        convert(window, "case twins")
        check(c.log_text().split("Convert done - ")[-1].startswith("2 of 2"), "case twins: the batch did not end 2 of 2")
        for twin, expected in zip(twins, (440, 880)):
            out = c.EXPORT / (twin.stem + ".mp3")
            if check(out.exists(), "case twins: no %s among %s" % (out.name, sorted(p.name for p in c.EXPORT.iterdir()))):
                heard = frequency(out)
                check(abs(heard - expected) < 15, "case twins: %s holds %.0f Hz" % (out.name, heard))
        remove_all(window, 2)

        # Fades on a 96 kHz and a six-channel source: converted, no message box stops the batch. The fades switched
        # on stay on for the file added next.
        c.add_file(window, high)
        for rect, logged in ((c.FADE_IN, "Fade in check"), (c.FADE_OUT, "Fade out check")):
            count = c.log_text().count(logged)
            c.click_centre(window, rect)
            check(bool(wait_for(lambda: c.log_text().count(logged) > count, 15)), "no " + logged)
        c.add_file(window, surround)
        convert(window, "fades")
        check("Convert done - 2 of 2" in c.log_text(), "fades: the batch did not end 2 of 2")
        for path in (high, surround):
            out = c.EXPORT / (path.stem + ".mp3")
            if check(out.exists(), "fades: no " + out.name):
                check(abs(frequency(out) - 440) < 15, "fades: %s does not hold the tone" % out.name)
                # The fade is 5 % of the clip, 0.3 s: 50 ms in, its gain is at most an eighth.
                start, middle = peaks(out, 0.05), peaks(out, 3.0)
                check(start < middle / 4, "fades: %s starts at %d of %d" % (out.name, start, middle))
        alive(process, "end")
    finally:
        process.kill()
        process.wait()
    print(c.log_text()[-20000:])
    return verdict()


if __name__ == "__main__":
    sys.exit(main())
