"""What the desktop-session tests share: checks reported a line each,
waiting for a state, and stopping the window manager or compositor a test
started."""

import subprocess
import sys
import time

RESULTS = []


def check(description, condition, detail=""):
    """One check: a line of its own; the test fails at the end if it does not hold."""
    RESULTS.append(bool(condition))
    print(("ok     " if condition else "FAILED ") + description +
          (": " + str(detail) if detail and not condition else ""))
    sys.stdout.flush()


def eventually(condition, timeout=10.0):
    """The condition's value once true, or its last value when time is up."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value or time.monotonic() > deadline:
            return value
        time.sleep(0.05)


def finish():
    """Prints the count of checks that held and exits with the test's status."""
    passed = sum(RESULTS)
    print("%d passed, %d failed" % (passed, len(RESULTS) - passed))
    sys.exit(0 if passed == len(RESULTS) else 1)


def stop(process):
    """Asks a process to end, and makes it end if it does not."""
    process.terminate()
    try:
        process.wait(timeout=10)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()
