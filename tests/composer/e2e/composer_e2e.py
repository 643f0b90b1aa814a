#!/usr/bin/env python3
"""The composer from end to end on the running X display: the real program, real X input, real files.

composer_e2e.py KESTRIN_EXECUTABLE SONGTOOL_EXECUTABLE TESTDATA_FOLDER

Runs in $TMPDIR with HOME and the XDG folders pointing into it (cmake/test_sandbox.sh). The program runs from a
copy of its program folder there, so that the settings it writes stay in the test's folder. It opens a song
through the file dialog, enters notes with the mouse, plays and stops, undoes, saves as .mid and .sms, exports a
ringtone with fades, and closes through the caption button, answering the save question: first while the song's
file is read-only (the save fails, says so, and the song stays open), then again. The files are checked
by dump (songtool) and ffprobe, and the main window is compared with a reviewed picture, loosely: the layout,
not the pixels.

With KESTRIN_E2E_SHOTS set to a folder, the screenshots taken on the way are kept there (PNG). With
KESTRIN_E2E_WRITE_PICTURE set, the main window's picture is written as the new reviewed picture
(tools/regenerate_composer_e2e_picture.sh).
"""
import os
import shutil
import struct
import subprocess
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "support" / "e2e"))
from composer_session import (EXPORT, PROGRAM, SONGS, WORK, Layout, Skin, choose_file, click_centre,  # noqa: E402
                              dump_notes, enter_notes, export_ringtone, focus, grab_window, keep_shot,
                              log_text, make_program_folder, mark_range, move_to, new_window, range_lines,
                              seconds, settled, start_program, step, visible_windows, window_geometry)
from x_session import check, failures, run, wait_for, xdo, verdict  # noqa: E402

PICTURE = Path(__file__).resolve().parent / "main_window.png"
# The loose comparison: both pictures shrunk to this size (area average) in grey.
COMPARE_SIZE = (64, 48)
# Mean grey difference allowed, and the share of cells that may differ by more than CELL_LIMIT.
MEAN_LIMIT = 8.0
CELL_LIMIT = 60
CELL_SHARE = 0.02


def probe(path):
    out = run("ffprobe", "-v", "error", "-show_entries", "stream=codec_name:format=duration,format_name",
              "-of", "default=noprint_wrappers=1", path)
    return dict(line.split("=", 1) for line in out.splitlines() if "=" in line)


def loudness(path, start, length):
    """Root mean square of the samples of a stretch of the audio (mono, 8 kHz)."""
    data = subprocess.run(["ffmpeg", "-v", "error", "-ss", str(start), "-t", str(length), "-i", str(path), "-ac",
                           "1", "-ar", "8000", "-f", "s16le", "-"], check=True, capture_output=True).stdout
    samples = struct.unpack("<%dh" % (len(data) // 2), data[:len(data) // 2 * 2])
    return (sum(s * s for s in samples) / max(1, len(samples))) ** 0.5


def shrink(source_args):
    """A picture shrunk to COMPARE_SIZE in grey bytes; source_args are ffmpeg's input arguments."""
    return subprocess.run(["ffmpeg", "-v", "error", *source_args, "-vf",
                           "scale=%d:%d:flags=area" % COMPARE_SIZE, "-frames:v", "1", "-f", "rawvideo", "-pix_fmt",
                           "gray", "-"], check=True, capture_output=True).stdout


def compare_with_picture(window):
    ox, oy, width, height = window_geometry(window)
    settled(window)
    shot = WORK / "main-window.png"
    display = os.environ.get("DISPLAY", ":0")
    subprocess.run(["ffmpeg", "-v", "error", "-y", "-f", "x11grab", "-draw_mouse", "0", "-video_size",
                    "%dx%d" % (width, height), "-i", "%s+%d,%d" % (display, ox, oy), "-frames:v", "1", str(shot)],
                   check=True)
    source = ["-i", str(shot)]
    if os.environ.get("KESTRIN_E2E_WRITE_PICTURE"):
        shutil.copy2(shot, PICTURE)
        print("wrote", PICTURE)
    if not check(PICTURE.is_file(), "no reviewed picture " + str(PICTURE)):
        return
    ours = shrink(source)
    theirs = shrink(["-i", str(PICTURE)])
    differences = [abs(a - b) for a, b in zip(ours, theirs)]
    mean = sum(differences) / len(differences)
    share = sum(1 for d in differences if d > CELL_LIMIT) / len(differences)
    print("picture: mean difference %.1f, cells over %d: %.1f %%" % (mean, CELL_LIMIT, share * 100))
    check(mean <= MEAN_LIMIT and share <= CELL_SHARE,
          "the main window's layout differs from the reviewed picture (mean %.1f, share %.3f)" % (mean, share))


def tooltip_windows():
    """The shown tooltip windows: their ids and geometries."""
    shown = {}
    for window in visible_windows():
        kind = subprocess.run(["xprop", "-id", window, "_NET_WM_WINDOW_TYPE"], capture_output=True, text=True).stdout
        if "_NET_WM_WINDOW_TYPE_TOOLTIP" in kind:
            shown[window] = window_geometry(window)
    return shown


def ink_width(text):
    """The width of the text's ink in the toolkit's default font (Sans, 10 points at 96 dots an inch)."""
    font = subprocess.run(["fc-match", "-f", "%{file}", "Sans"], capture_output=True, text=True).stdout
    width, height = 400, 30
    pixels = subprocess.run(["ffmpeg", "-v", "error", "-f", "lavfi", "-i", "color=black:size=%dx%d" % (width, height),
                             "-vf", "drawtext=fontfile=%s:fontsize=13.333:fontcolor=white:x=10:y=5:text='%s'" % (font, text),
                             "-frames:v", "1", "-f", "rawvideo", "-pix_fmt", "gray", "-"], check=True,
                            capture_output=True).stdout
    columns = [x for x in range(width) if any(pixels[y * width + x] > 60 for y in range(height))]
    return columns[-1] - columns[0] + 1 if columns else 0


def hover_tooltip(window, rect):
    """Rests the pointer on a button, moving it a little as a hand does; answers the geometry of the tooltip shown
    and still shown after the moves, or None."""
    # Away first, where no tip shows, so that the tip found is this button's.
    move_to(window, rect[0] + rect[2] // 2, rect[1] + rect[3] + 80)
    wait_for(lambda: not tooltip_windows(), 5)
    cx, cy = rect[0] + rect[2] // 2, rect[1] + rect[3] // 2
    for dx in (-4, -2, 0):
        move_to(window, cx + dx, cy)
        time.sleep(0.1)
    shown = wait_for(tooltip_windows, 5)
    if not shown:
        return None
    # The button refreshes its tip on every move: the tip stays up.
    for dx in (1, 2, 3):
        move_to(window, cx + dx, cy)
        time.sleep(0.2)
    still = tooltip_windows()
    return next(iter(still.values())) if still else None


def check_tooltips(window, layout):
    """Each toolbar button shows its tip under the pointer; the tips' widths follow their texts."""
    tips = {}
    for element, text in ((61, "Open"), (65, "Enter notes")):
        tips[text] = hover_tooltip(window, layout.toolbar[element])
        if check(bool(tips[text]), "no tooltip over the toolbar button '%s'" % text):
            tx, ty, _, _ = tips[text]
            wx, wy, _, _ = window_geometry(window)
            button = layout.toolbar[element]
            check(abs(tx - (wx + button[0])) < 100 and 0 <= ty - (wy + button[1]) < 100,
                  "the tooltip '%s' is not at its button: %s" % (text, tips[text]))
            keep_shot(window, "tooltip")
    if all(tips.values()):
        grown, expected = tips["Enter notes"][2] - tips["Open"][2], ink_width("Enter notes") - ink_width("Open")
        check(abs(grown - expected) <= 4, "the tooltips are %d px apart, their texts %d px" % (grown, expected))


def main():
    executable, songtool, testdata = sys.argv[1], sys.argv[2], Path(sys.argv[3])
    song = testdata / "midi" / "bach_format0.mid"
    mid, sms, ringtone = SONGS / "song.mid", SONGS / "song.sms", EXPORT / "song.m4r"
    upper = SONGS / "Song.mid"
    tempo_song = SONGS / "bach_846.mid"
    tempo_ringtone = EXPORT / "bach_846.m4r"
    length = 0
    make_program_folder(executable)
    shutil.copy2(testdata / "midi" / "bach_846.mid", tempo_song)
    skin = Skin(PROGRAM)
    process, window = start_program()
    try:
        _, _, width, height = window_geometry(window)
        layout = Layout(skin, width, height)
        keep_shot(window, "started")

        step("tooltips")
        check_tooltips(window, layout)

        step("range")
        # A song with tempo changes: the range shown lasts as long as the audio.
        opened = len(range_lines())
        choose_file(window, layout.toolbar[61], tempo_song, saving=False)
        check(bool(wait_for(lambda: len(range_lines()) > opened, 40)), "the song with tempo changes was not opened")
        keep_shot(window, "tempo-song-opened")
        # A short range in the middle, exported twice: the same ringtone both times, the range unmoved.
        start, end, shown = mark_range(window, layout, 40, 43)
        check(start > 30 and 0 < shown < 10, "range %d s to %d s marked, %d s long" % (start, end, shown))
        durations = []
        for label in ("first", "second"):
            if export_ringtone(window, layout, tempo_ringtone, label):
                durations.append(float(probe(tempo_ringtone).get("duration", "0") or 0))
        print("range %d s to %d s (%d s): ringtones of %s s" % (start, end, shown, durations))
        if check(len(durations) == 2, "the range was not exported twice"):
            # The range, two more quarter notes for a short one and the release of the last sounds.
            check(shown - 1 <= durations[0] <= shown + 4, "a %d s range gave a %.2f s ringtone" % (shown, durations[0]))
            check(abs(durations[1] - durations[0]) < 0.1, "the same range gave %.2f s, then %.2f s" % tuple(durations))

        step("open")
        # Open the song through the file dialog: the range texts follow the new song.
        opened = len(range_lines())
        choose_file(window, layout.toolbar[61], song, saving=False)
        check(bool(wait_for(lambda: len(range_lines()) > opened, 40)), "the song was not opened")
        length = seconds(*range_lines()[-1][3:6])
        check(length > 60, "the opened song lasts %d s" % length)
        compare_with_picture(window)
        keep_shot(window, "opened")

        step("notes")
        # Note entry: the edit mode with the note palette, then clicks above the first staff.
        click_centre(window, layout.toolbar[65])
        view = layout.view(lower_panel=False)
        entered = enter_notes(window, view, 3)
        check(entered == 3, "%d of 3 notes entered" % entered)
        keep_shot(window, "notes")

        step("drag")
        # The last note entered, dragged two beats on with the button held: the undo below still takes it back,
        # so the saved song has two new notes, not three.
        before = settled(window, view)
        xdo("mousemove_relative", "--sync", "1", "0")
        xdo("mousemove_relative", "--sync", "--", "-1", "0")
        time.sleep(0.2)
        xdo("mousedown", 1)
        for _ in range(6):
            time.sleep(0.05)
            xdo("mousemove_relative", "--sync", "8", "0")
        time.sleep(0.1)
        xdo("mouseup", 1)
        check(bool(wait_for(lambda: grab_window(window, view) != before, 15)), "the drag moved no note")
        keep_shot(window, "dragged")

        step("play")
        # Play and stop: the Play button shows pressed while the song plays.
        play = layout.toolbar[79]
        idle = settled(window, play)
        click_centre(window, play)
        check(bool(wait_for(lambda: grab_window(window, play) != idle, 15)), "Play did not start the song")
        time.sleep(0.5)
        click_centre(window, layout.toolbar[81])
        check(bool(wait_for(lambda: grab_window(window, play) == idle, 15)), "Stop did not stop the song")

        step("undo")
        # Undo the last note with the Backspace key.
        before = settled(window, view)
        focus(window)
        xdo("key", "BackSpace")
        check(bool(wait_for(lambda: grab_window(window, view) != before, 15)), "Backspace undid nothing")
        settled(window, view)

        step("save")
        # Save as .mid, as "Song.mid" beside it (a file of its own; "song.mid" keeps its bytes), then as .sms: the
        # song now has the .sms name.
        for path in (mid, upper, sms):
            kept = mid.read_bytes() if mid.exists() else None
            choose_file(window, layout.toolbar[62], path, saving=True)
            check(bool(wait_for(lambda: path.exists() and path.stat().st_size > 0, 30)), "not saved: " + path.name)
            if path == upper:
                check(mid.read_bytes() == kept, "saving Song.mid changed song.mid")
        check(sorted(p.name for p in SONGS.glob("*.mid")) == ["Song.mid", "bach_846.mid", "song.mid"],
              "saved .mid files: %s" % sorted(p.name for p in SONGS.glob("*.mid")))

        step("export")
        # Both fades on through the lower panel, then the export with its post-export dialog.
        click_centre(window, layout.lower_toggle)
        settled(window)
        for rect, line in ((layout.fade_in, "Fade in check"), (layout.fade_out, "Fade out check")):
            click_centre(window, rect)
            check(bool(wait_for(lambda: line in log_text(), 15)), "no '%s'" % line)
        export_ringtone(window, layout, ringtone, "faded")

        step("close")
        # One more note, then the caption's close button: the save question is answered Yes.
        entered_late = enter_notes(window, layout.view(lower_panel=True), 1)
        check(entered_late == 1, "the last note was not entered")
        keep_shot(window, "before-close")
        saved_sms = sms.stat().st_mtime_ns if sms.exists() else 0
        # First with the song's file read-only: Yes, the save fails and says so, and the song stays open.
        sms.chmod(0o444)
        before = visible_windows()
        click_centre(window, layout.close)
        question = new_window(before, 30)
        if check(bool(question), "no save question at close"):
            focus(question)
            time.sleep(0.2)
            xdo("key", "Return")
            refused = new_window(before | {question}, 30)
            if check(bool(refused), "no message for the failed save"):
                keep_shot(refused, "save-failed")
                focus(refused)
                time.sleep(0.2)
                xdo("key", "Return")
        time.sleep(1.0)
        check(process.poll() is None, "the composer closed although the song was not saved")
        check(sms.stat().st_mtime_ns == saved_sms, "the read-only song file was written")
        sms.chmod(0o644)
        if process.poll() is None:
            before = visible_windows()
            click_centre(window, layout.close)
            question = new_window(before, 30)
            if check(bool(question), "no save question at the second close"):
                focus(question)
                time.sleep(0.2)
                xdo("key", "Return")
        check(bool(wait_for(lambda: process.poll() is not None, 60)), "the composer did not end")
        check(sms.exists() and sms.stat().st_mtime_ns != saved_sms, "the answer Yes did not save the song")
        step("closed")
    finally:
        if process.poll() is None:
            process.kill()
        process.wait()

    # The files: the saved song holds the opened one plus the two notes kept, the .sms one more.
    base = WORK / "base.mid"
    run(songtool, "convert", song, base)
    original = dump_notes(songtool, base)
    # songtool writes the names it is given: another spelling of an existing file, a backslash, a drive-like start.
    if mid.exists():
        kept = mid.read_bytes()
        for name in ("SONG.mid", "a\\b.mid", "C:c.mid"):
            run(songtool, "convert", base, SONGS / name)
            check((SONGS / name).is_file(), "songtool did not write " + name)
        check(mid.read_bytes() == kept, "songtool's SONG.mid changed song.mid")
    if check(mid.exists(), "no saved .mid"):
        saved = dump_notes(songtool, mid)
        check(not (original - saved), "the saved .mid lost notes: %s" % list((original - saved).elements())[:5])
        added = saved - original
        check(sum(added.values()) == 2, "the saved .mid has %d new notes, not 2" % sum(added.values()))
        if check(sms.exists(), "no saved .sms"):
            final = dump_notes(songtool, sms)
            check(not (saved - final), "the .sms lost notes of the .mid: %s" % list((saved - final).elements())[:5])
            check(sum((final - saved).values()) == 1, "the .sms has %d notes more, not 1" % sum((final - saved).values()))
    if check(ringtone.exists(), "no ringtone " + ringtone.name):
        values = probe(ringtone)
        check(values.get("codec_name") == "aac", "ringtone codec %s" % values.get("codec_name"))
        duration = float(values.get("duration", "0") or 0)
        check(abs(duration - length) <= 2.0, "ringtone lasts %.2f s, the song %d s" % (duration, length))
        # 10 % of the song fades in: its first second is far quieter than its middle.
        start, middle = loudness(ringtone, 0.0, 1.0), loudness(ringtone, length * 0.4, 5.0)
        check(start < middle * 0.3, "no fade-in: loudness %.0f at the start, %.0f in the middle" % (start, middle))
    check("Program end!" in log_text(), "the log has no 'Program end!'")
    if failures:
        print(log_text()[-5000:])
    return verdict()


if __name__ == "__main__":
    sys.exit(main())
