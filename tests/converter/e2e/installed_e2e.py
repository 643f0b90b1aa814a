#!/usr/bin/env python3
"""The installed converter keeps its settings: installed read-only, run by an unprivileged user, driven by X input.

installed_e2e.py BUILD_FOLDER

Installs the build with `cmake --install` to a prefix in $TMPDIR, makes the prefix read-only and runs the installed
converter as "nobody" with a home folder of its own under the running X display. The output format is changed to
WAV through the options dialog; after a restart a conversion gives a WAV file, the settings file is in nobody's
configuration folder, the program folder is unchanged, and neither run printed anything on the terminal. Must run
as root (to become nobody).
"""
import hashlib
import os
import shutil
import subprocess
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "support" / "e2e"))
import converter_e2e as ui  # noqa: E402
from x_session import check, failures, run, wait_for, xdo, verdict  # noqa: E402

TMP = Path(os.environ["TMPDIR"])
PREFIX = TMP / "prefix"
PROGRAM = PREFIX / "lib" / "kestrin"
HOME = TMP / "nobody"
NOBODY = 65534
LOG = HOME / "Documents" / "quaverly" / "Tonwick.txt"


def log_text():
    return LOG.read_text(errors="replace") if LOG.exists() else ""


def tree_digest(folder):
    digest = hashlib.sha256()
    for path in sorted(folder.rglob("*")):
        digest.update(str(path.relative_to(folder)).encode())
        if path.is_file():
            digest.update(path.read_bytes())
    return digest.hexdigest()


def set_writable(folder, writable):
    for path in [folder, *folder.rglob("*")]:
        mode = path.stat().st_mode
        path.chmod(mode | 0o200 if writable else mode & ~0o222)


def prepare_home():
    """nobody's home with the X cookie and a tone to convert; the sandbox's folders above it let nobody pass."""
    HOME.mkdir()
    for folder in (TMP, TMP.parent):
        folder.chmod(folder.stat().st_mode | 0o011)
    media = HOME / "tone.wav"
    run("ffmpeg", "-v", "error", "-y", "-f", "lavfi", "-i", "sine=frequency=440:duration=4:sample_rate=44100",
        "-ac", "2", media)
    if os.environ.get("XAUTHORITY"):
        cookie = subprocess.run(["xauth", "-f", os.environ["XAUTHORITY"], "nlist", os.environ["DISPLAY"]],
                                check=True, capture_output=True).stdout
        subprocess.run(["xauth", "-f", str(HOME / ".Xauthority"), "nmerge", "-"], input=cookie, check=True,
                       capture_output=True)
    for path in [HOME, *HOME.rglob("*")]:
        os.chown(path, NOBODY, NOBODY)
    return media


def start_program():
    environment = {"HOME": str(HOME), "DISPLAY": os.environ["DISPLAY"], "PATH": os.environ["PATH"],
                   "XAUTHORITY": str(HOME / ".Xauthority"), "LANG": "C.UTF-8"}
    output = open(TMP / "program-output.txt", "ab")
    process = subprocess.Popen(["setpriv", "--reuid=%d" % NOBODY, "--regid=%d" % NOBODY, "--clear-groups",
                                str(PROGRAM / "tonwick")], cwd=str(HOME), env=environment, stdout=output,
                               stderr=subprocess.STDOUT)
    window = wait_for(lambda: ui.find_window(ui.TITLE), 60)
    if not window or not wait_for(lambda: "start - 15" in log_text(), 60):
        process.kill()
        process.wait()
        print((TMP / "program-output.txt").read_text(errors="replace")[-3000:])
        raise SystemExit("the installed converter's window did not appear")
    return process, window


def stop(process):
    process.kill()
    process.wait()


def main():
    build = Path(sys.argv[1])
    if os.geteuid() != 0:
        print("must run as root to become an unprivileged user")
        return 1
    run("cmake", "--install", build, "--prefix", PREFIX)
    media = prepare_home()
    set_writable(PREFIX, False)
    shipped = tree_digest(PROGRAM)
    ui.log_text = log_text
    try:
        process, window = start_program()
        try:
            ui.choose_format(window, 1)
        finally:
            stop(process)
        settings = HOME / ".config" / "kestrin" / "common.ini"
        check(settings.is_file() and "OutputFormat=1" in settings.read_text(errors="replace"),
              "the WAV choice is not in " + str(settings))

        process, window = start_program()
        try:
            ui.add_file(window, media)
            batches = log_text().count("Convert done - ")
            ui.click_centre(window, ui.CONVERT_BUTTON)
            check(bool(wait_for(lambda: log_text().count("Convert done - ") > batches, 120, 0.5)),
                  "the conversion did not end")
        finally:
            stop(process)
        outputs = list((HOME / "Documents" / "Tonwick").glob("tone.*"))
        check([p.name for p in outputs] == ["tone.wav"], "outputs after the restart: %s" % [p.name for p in outputs])
        if outputs:
            codec = ui.probe(outputs[0]).get("codec_name")
            check(codec == "pcm_s16le", "the output's codec is %s, not WAV's" % codec)
        check(tree_digest(PROGRAM) == shipped, "the program folder changed")
        # Both runs printed nothing on the terminal, though no session bus or desktop settings store is there.
        printed = (TMP / "program-output.txt").read_text(errors="replace")
        check(printed == "", "the program printed on the terminal:\n" + printed[:2000])
    finally:
        set_writable(PREFIX, True)
    if failures:
        print(log_text()[-5000:])
        print((TMP / "program-output.txt").read_text(errors="replace")[-3000:])
    return verdict()


if __name__ == "__main__":
    sys.exit(main())
