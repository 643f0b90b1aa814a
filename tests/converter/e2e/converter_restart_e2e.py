#!/usr/bin/env python3
"""The converter killed while it converts, and started again: what the killed run left (its preview waves in the
private folder, the part-written output in the export folder) and the clip-info files of media deleted meanwhile
are gone at start; files of media that are still there stay.

converter_restart_e2e.py TONWICK_EXECUTABLE

Runs in the sandbox of cmake/test_sandbox.sh, as converter_e2e.py does, whose helpers it uses.
"""
import configparser
import os
import sys
import time
from pathlib import Path

import converter_e2e as c
from converter_batch_e2e import tone
from x_session import check, wait_for, verdict

PRIVATE = Path(os.environ["XDG_RUNTIME_DIR"]) / "kestrin"
CLIP_INFO = PRIVATE / "clipinfo"


def recorded_media(media):
    ini = configparser.RawConfigParser()
    ini.read(CLIP_INFO / (media.name + ".mervaneclipinfo"), encoding="utf-8")
    return ini.get("mervane", "mediapath", fallback=None)


def main():
    executable = sys.argv[1]
    media = c.MEDIA
    media.mkdir(parents=True)
    kept = tone(media / "kept song.mp3", 440, 5, "-c:a", "libmp3lame")
    deleted = tone(media / "deleted song.mp3", 550, 5, "-c:a", "libmp3lame")
    long_row = tone(media / "long.flac", 300, 600)
    c.make_program_folder(executable, 0)

    process, window = c.start_program()
    killed = PRIVATE / ("run-%d" % process.pid)
    try:
        for path in (kept, deleted, long_row):
            c.add_file(window, path)
            check(recorded_media(path) == str(path), "%s: the clip-info file records %s" % (path.name,
                                                                                            recorded_media(path)))
        waves = sorted(p.name for p in killed.glob("*.wav"))
        check(len(waves) == 2, "the first run's preview waves: %s" % waves)
        # Killed while the long row converts.
        c.click_centre(window, c.CONVERT_BUTTON)
        check(bool(wait_for(lambda: list(c.EXPORT.glob(".tonwick-part*")), 30)),
              "the conversion did not start")
        time.sleep(2)
    finally:
        process.kill()
        process.wait()
    check(killed.exists(), "the killed run left no folder behind: nothing to clean up")
    parts = list(c.EXPORT.glob(".tonwick-part*"))
    check(bool(parts), "the killed run left no part-written output: nothing to clean up")
    deleted.unlink()
    # An older run's file records no media path: its media may be anywhere, so it stays.
    older = CLIP_INFO / "older.mp3.mervaneclipinfo"
    older.write_text("[mervane]\r\ntime1=10.000000\r\ntime2=50.000000\r\n")

    process, window = c.start_program()
    try:
        check(not killed.exists() and not (PRIVATE / (killed.name + ".lock")).exists(),
              "the killed run's folder is still there: %s" % sorted(p.name for p in PRIVATE.iterdir()))
        check(not any(p.exists() for p in parts), "the killed run's part-written output is still there")
        check(not (CLIP_INFO / (deleted.name + ".mervaneclipinfo")).exists(),
              "the clip-info file of the deleted media is still there")
        for path in (CLIP_INFO / (kept.name + ".mervaneclipinfo"), CLIP_INFO / (long_row.name + ".mervaneclipinfo"),
                     older):
            check(path.exists(), "%s was removed" % path.name)
        check(process.poll() is None, "the converter died")
    finally:
        process.kill()
        process.wait()
    print(c.log_text()[-20000:])
    return verdict()


if __name__ == "__main__":
    sys.exit(main())
