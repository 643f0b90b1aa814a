#!/usr/bin/env python3
"""The composer's main window through its caption buttons, with real X input: maximise, a drag at the size grip's
corner while maximised, restore, minimise and back.

composer_window_e2e.py KESTRIN_EXECUTABLE [openbox]

Runs in $TMPDIR with HOME and the XDG folders pointing into it (cmake/test_sandbox.sh). With "openbox", that
window manager runs on the display for the test's length; without it the display has none. Either way maximise
fills the screen and a drag does not move the maximised window, restore gives back the place and size the window
had, and after minimise and restore the window has its size and the pointer was not moved.
"""
import subprocess
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "support" / "e2e"))
from composer_session import (PROGRAM, WORK, Skin, click_centre, make_program_folder, pointer,  # noqa: E402
                              start_program, step, visible_windows, window_geometry)
from x_session import check, wait_for, xdo, verdict  # noqa: E402

CLOSE, MAXIMISE, MINIMISE = 40, 56, 57


def start_window_manager():
    log = open(WORK / "openbox-output.txt", "ab")
    manager = subprocess.Popen(["openbox", "--sm-disable"], stdout=log, stderr=subprocess.STDOUT)
    running = wait_for(lambda: "window id" in subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"],
                                                             capture_output=True, text=True).stdout, 20)
    if not running:
        manager.kill()
        print((WORK / "openbox-output.txt").read_text(errors="replace"))
        raise SystemExit("openbox did not start")
    return manager


def caption_buttons(skin, width):
    """The maximise (or restore) and minimise buttons of a window of this width, as the caption places them."""
    close_left = width - 1 - skin.w(CLOSE)
    maximise = (close_left - skin.w(CLOSE), 1, skin.w(MAXIMISE), skin.h(MAXIMISE))
    minimise = (maximise[0] - skin.w(MAXIMISE), 1, skin.w(MINIMISE), skin.h(MINIMISE))
    return maximise, minimise


def main():
    executable = sys.argv[1]
    manager_name = sys.argv[2] if len(sys.argv) > 2 else ""
    WORK.mkdir(parents=True, exist_ok=True)
    manager = start_window_manager() if manager_name == "openbox" else None
    make_program_folder(executable)
    skin = Skin(PROGRAM)
    process, window = start_program()
    try:
        normal = window_geometry(window)
        screen = tuple(int(v) for v in xdo("getdisplaygeometry").split())
        print("window manager: %s; window %s; screen %s" % (manager_name or "none", normal, screen))

        step("maximise")
        maximise, minimise = caption_buttons(skin, normal[2])
        click_centre(window, maximise)
        full = (0, 0) + screen
        check(bool(wait_for(lambda: window_geometry(window) == full, 10)),
              "maximise gave %s, not %s" % (window_geometry(window), full))

        step("drag at the grip's corner")
        xdo("mousemove", "--sync", screen[0] - 6, screen[1] - 6)
        time.sleep(0.2)
        xdo("mousedown", 1)
        for i in range(1, 11):
            xdo("mousemove", "--sync", screen[0] - 6 - 30 * i, screen[1] - 6 - 20 * i)
            time.sleep(0.05)
        xdo("mouseup", 1)
        time.sleep(0.5)
        check(window_geometry(window) == full, "the maximised window was dragged to %s" % (window_geometry(window),))

        step("restore")
        restore, _ = caption_buttons(skin, window_geometry(window)[2])
        click_centre(window, restore)
        check(bool(wait_for(lambda: window_geometry(window) == normal, 10)),
              "restore gave %s, not %s" % (window_geometry(window), normal))

        step("minimise and back")
        click_centre(window, minimise)
        at = pointer()
        if manager:
            check(bool(wait_for(lambda: window not in visible_windows(), 10)), "the window was not minimised")
            time.sleep(0.5)
            xdo("windowactivate", "--sync", window)
            check(bool(wait_for(lambda: window in visible_windows(), 10)), "the window did not come back")
        time.sleep(1.0)
        check(window_geometry(window) == normal,
              "after minimise and restore the window is %s, not %s" % (window_geometry(window), normal))
        check(pointer() == at, "the pointer moved from %s to %s" % (at, pointer()))
    finally:
        if process.poll() is None:
            process.kill()
        process.wait()
        if manager:
            manager.terminate()
            manager.wait()
    return verdict()


if __name__ == "__main__":
    sys.exit(main())
