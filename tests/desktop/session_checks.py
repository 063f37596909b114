"""What the desktop-session and screen-reader tests share: checks reported
a line each, waiting for a state, reading the display on view, and stopping
the window manager or compositor a test started."""

import subprocess
import sys
import time

import pyatspi

RESULTS = []


class TimedOut(AssertionError):
    """A state waited for did not come in time."""


def check(description, condition, detail=""):
    """One check: a line of its own; the test fails at the end if it does not hold."""
    RESULTS.append(bool(condition))
    print(("ok     " if condition else "FAILED ") + description +
          (": " + str(detail) if detail and not condition else ""))
    sys.stdout.flush()


def wait_for(what, condition, timeout=10.0, detail=None):
    """Waits until condition() returns a true value, and returns that value.

    The state is looked at every 50 ms, and once more when the timeout (in
    seconds) is up; if it has not come by then, raises TimedOut saying what
    was waited for, and what detail() returns, if given."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            message = "timed out waiting until " + what
            if detail is not None:
                message += ": " + str(detail())
            raise TimedOut(message)
        time.sleep(0.05)


def visible_display_text(window):
    """The text of the display on view in the main window's accessible
    window, or None while no display is on view: an operation key hides one
    display and then shows the other."""
    display = pyatspi.findDescendant(
        window, lambda n: n is not None and n.getRole() == pyatspi.ROLE_TEXT and
        n.name == "display" and n.getState().contains(pyatspi.STATE_SHOWING), True)
    if display is None:
        return None
    text = display.queryText()
    return text.getText(0, text.characterCount)


def check_eventually(description, condition, timeout=10.0, detail=None):
    """A check of a state to come: it holds once condition() does, and fails,
    with what detail() returns, if it has not within the timeout."""
    try:
        wait_for(description, condition, timeout)
    except TimedOut:
        check(description, False, detail() if detail is not None else "")
        return False
    check(description, True)
    return True


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
