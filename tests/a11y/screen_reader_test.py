"""Drives the running calculator the way a screen reader does.

Started inside an X server and a D-Bus session with an accessibility bus:

    xvfb-run -a dbus-run-session -- python3 screen_reader_test.py PROGRAM

It finds the calculator's windows through the accessibility bus by their
names, presses the keys 1, 2, +, 5 and = through their accessible actions,
reads the result from the visible display, writes into the display as a
screen reader's user does, and opens the About and help-example windows the
same way. Exit status 0 when every check passes.
"""

import os
import subprocess
import sys
import time

import pyatspi

MAIN_WINDOW = "RuRozovizera(Frost Figures)"
SPLASH_WINDOW = "RuRozovizera greeting"


def application(name, timeout=15.0):
    """The accessible application with this name, once it has registered."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name == name:
                return app
        time.sleep(0.2)
    raise AssertionError("no accessible application named %r" % name)


def find(root, role, name=None, showing=False):
    """The first descendant with this role (and name), or None."""
    def matches(node):
        if node is None or node.getRole() != role:
            return False
        if name is not None and node.name != name:
            return False
        return not showing or node.getState().contains(pyatspi.STATE_SHOWING)
    return pyatspi.findDescendant(root, matches, True)


def window(app, name, timeout=10.0):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        for child in app:
            if child is not None and child.name == name:
                return child
        time.sleep(0.1)
    raise AssertionError("no window named %r" % name)


def press(root, name, role=pyatspi.ROLE_PUSH_BUTTON):
    node = find(root, role, name)
    assert node is not None, "no %s named %r" % (role, name)
    action = node.queryAction()
    assert action.nActions > 0, "%r has no action" % name
    action.doAction(0)
    time.sleep(0.2)


def visible_display(main):
    box = find(main, pyatspi.ROLE_TEXT, "display", showing=True)
    assert box is not None, "no visible display"
    return box


def displayed_text(main):
    text = visible_display(main).queryText()
    return text.getText(0, text.characterCount)


def main():
    program = sys.argv[1]
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
    calculator = subprocess.Popen([program], env=env)
    try:
        app = application("RuRozovizera")
        main_window = window(app, MAIN_WINDOW)
        window(app, SPLASH_WINDOW)

        for key in ("1", "2", "add", "5", "equals"):
            press(main_window, key)
        result = displayed_text(main_window)
        assert result == "17", "the display reads %r, not '17'" % result

        # Text written into the display by the screen reader is what the
        # next key reads; text that would make it longer than 1 Mi
        # characters is refused whole.
        press(main_window, "clear")
        visible_display(main_window).queryEditableText().setTextContents("12")
        for key in ("add", "5", "equals"):
            press(main_window, key)
        result = displayed_text(main_window)
        assert result == "17", "after writing 12, the display reads %r, not '17'" % result
        visible_display(main_window).queryEditableText().setTextContents("1" * (1 << 20) + "1")
        time.sleep(0.2)
        result = displayed_text(main_window)
        assert result == "17", "a text too long was taken: %d characters" % len(result)

        press(main_window, "About", pyatspi.ROLE_MENU_ITEM)
        about = window(app, "About")
        assert find(about, pyatspi.ROLE_PUSH_BUTTON, "OK") is not None

        press(main_window, "help example")
        window(app, "Help-Example")

        for key in ("pi", "square", "square root", "memory add", "memory recall",
                    "memory clear", "clear", "decimal point", "percent"):
            assert find(main_window, pyatspi.ROLE_PUSH_BUTTON, key) is not None, key
        print("1 passed, 0 failed")
    finally:
        calculator.kill()
        calculator.wait()


if __name__ == "__main__":
    main()
