"""What the end-to-end tests share: checks that collect failures, program runs, xdotool and waiting."""
import os
import subprocess
import time
from pathlib import Path

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
        print("FAILED:", message, flush=True)
    return condition


def verdict():
    """The run's exit status, said in one line: 1 when any check failed."""
    if failures:
        print("%d check(s) failed" % len(failures))
        return 1
    print("all checks passed")
    return 0


def run(*command):
    return subprocess.run([str(c) for c in command], check=True, capture_output=True, text=True).stdout


def xdo(*args):
    return subprocess.run(["xdotool", *[str(a) for a in args]], capture_output=True, text=True).stdout.strip()


def wait_for(condition, seconds=20.0, step=0.1):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        value = condition()
        if value:
            return value
        time.sleep(step)
    return condition()


def log_text(name):
    """The program's log in the documents folder, or "" before it exists."""
    log = Path(os.environ["XDG_DOCUMENTS_DIR"]) / "quaverly" / name
    return log.read_text(errors="replace") if log.exists() else ""
