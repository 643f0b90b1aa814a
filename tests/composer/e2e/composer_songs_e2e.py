#!/usr/bin/env python3
"""The composer across songs, with real X input: undo never reaches into another song, and a new song keeps its
tempo in the .mid file it is saved as.

composer_songs_e2e.py KESTRIN_EXECUTABLE SONGTOOL_EXECUTABLE TESTDATA_FOLDER

Runs in $TMPDIR with HOME and the XDG folders pointing into it (cmake/test_sandbox.sh). A note is entered and
erased, so that the undo history holds a note to bring back; then another song is opened, or a new one started,
and Backspace is pressed: the song stays as it was (the score view, and the song opened dumped after Save As).
The new song, given one note, is saved as .mid and opened again at once (no save question comes first), then
saved once more: its tempo stays 100.
"""
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "support" / "e2e"))
from composer_session import (PROGRAM, SONGS, WORK, Layout, Skin, answer_no, choose_file,  # noqa: E402
                              click_centre, dump_notes, enter_notes, focus, grab_window, make_program_folder,
                              move_to, pointer, range_lines, settled, start_program, step, visible_windows,
                              window_geometry)
from x_session import check, run, wait_for, xdo, verdict  # noqa: E402

ENTER, ERASE, NEW, OPEN, SAVE_AS = 65, 64, 60, 61, 62


def enter_and_erase(window, layout):
    """Enters one note and erases it again; the history then holds the erased note."""
    view = layout.view(lower_panel=False)
    click_centre(window, layout.toolbar[ENTER])
    if not check(enter_notes(window, view, 1) == 1, "no note entered"):
        return
    # The pointer stands on the note entered, snapped to the grid.
    x, y = pointer()
    click_centre(window, layout.toolbar[ERASE])
    before = settled(window, view)
    xdo("mousemove", "--sync", x - 1, y)
    xdo("mousemove", "--sync", x, y)
    time.sleep(0.3)
    xdo("click", 1)
    check(bool(wait_for(lambda: grab_window(window, view) != before, 15)), "the note was not erased")
    settled(window, view)


def undo_changes_nothing(window, layout):
    """Backspace, which undoes from anywhere in the window (the pointer rests on the toolbar, away from the
    score); answers whether the score view stayed as it was."""
    view = layout.view(lower_panel=False)
    move_to(window, *layout.toolbar[NEW][:2])
    before = settled(window, view)
    focus(window)
    xdo("key", "BackSpace")
    time.sleep(1.0)
    return settled(window, view) == before


def tempo_of(songtool, path):
    lines = [line.split() for line in run(songtool, "dump", path).splitlines() if line.startswith("tempo ")]
    return [int(words[2]) for words in lines]


def main():
    executable, songtool, testdata = sys.argv[1], sys.argv[2], Path(sys.argv[3])
    bach = testdata / "midi" / "bach_format0.mid"
    after_open, after_new, reopened = SONGS / "after-open.mid", SONGS / "after-new.mid", SONGS / "reopened.mid"
    make_program_folder(executable)
    skin = Skin(PROGRAM)
    process, window = start_program()
    try:
        layout = Layout(skin, *window_geometry(window)[2:])

        step("open after an erase")
        enter_and_erase(window, layout)
        opened = len(range_lines())
        choose_file(window, layout.toolbar[OPEN], bach, saving=False, discard=True)
        check(bool(wait_for(lambda: len(range_lines()) > opened, 40)), "the song was not opened")
        check(undo_changes_nothing(window, layout), "Backspace after Open changed the song opened")
        choose_file(window, layout.toolbar[SAVE_AS], after_open, saving=True)
        check(bool(wait_for(lambda: after_open.exists() and after_open.stat().st_size > 0, 30)), "not saved")

        step("new after an erase")
        enter_and_erase(window, layout)
        before = visible_windows()
        click_centre(window, layout.toolbar[NEW])
        answer_no(before)
        time.sleep(1.0)
        check(undo_changes_nothing(window, layout), "Backspace after New changed the new song")
        click_centre(window, layout.toolbar[ENTER])
        check(enter_notes(window, layout.view(lower_panel=False), 1) == 1, "no note entered in the new song")
        choose_file(window, layout.toolbar[SAVE_AS], after_new, saving=True)
        check(bool(wait_for(lambda: after_new.exists() and after_new.stat().st_size > 0, 30)), "not saved")

        step("the new song opened again")
        # Just saved: Open asks nothing first.
        opened = len(range_lines())
        choose_file(window, layout.toolbar[OPEN], after_new, saving=False)
        check(bool(wait_for(lambda: len(range_lines()) > opened, 40)), "the new song was not opened again")
        choose_file(window, layout.toolbar[SAVE_AS], reopened, saving=True)
        check(bool(wait_for(lambda: reopened.exists() and reopened.stat().st_size > 0, 30)), "not saved again")
    finally:
        if process.poll() is None:
            process.kill()
        process.wait()

    base = WORK / "base.mid"
    run(songtool, "convert", bach, base)
    original = dump_notes(songtool, base)
    if check(after_open.exists(), "no song saved after the open"):
        saved = dump_notes(songtool, after_open)
        check(saved == original, "undo after Open changed the song opened: %d notes lost, %d added" %
              (sum((original - saved).values()), sum((saved - original).values())))
    if check(after_new.exists(), "no song saved after New"):
        notes = sum(dump_notes(songtool, after_new).values())
        check(notes == 1, "the new song was saved with %d notes, not the 1 entered" % notes)
        check(tempo_of(songtool, after_new)[:1] == [100], "the new song was saved at %s bpm" %
              tempo_of(songtool, after_new))
    if check(reopened.exists(), "the new song was not saved after opening it again"):
        check(tempo_of(songtool, reopened)[:1] == [100], "the new song reopened at %s bpm" %
              tempo_of(songtool, reopened))
    return verdict()


if __name__ == "__main__":
    sys.exit(main())
