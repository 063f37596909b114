"""Drives the running calculator the way a screen reader does.

Started inside a display and a D-Bus session with an accessibility bus, on
X11 (the default) or natively on Wayland:

    xvfb-run -a dbus-run-session -- python3 screen_reader_test.py PROGRAM [xcb]
    dbus-run-session -- python3 screen_reader_test.py PROGRAM wayland

It finds the calculator's windows through the accessibility bus by their
names, each offered as a window (a frame) with no label in it that would be
read out without a name, presses the keys 1, 2, +, 5 and = through their accessible actions,
reads the result from the visible display, writes into the display as a
screen reader's user does, checks that Clear hides the greeting window,
opens the About and help-example windows the same way, and chooses Exit,
after which the program must have ended with every window gone. Exit
status 0 when every check passes.
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


def check_window(app, name):
    """The window of this name, offered as a window, with no label that
    would be read out without a name."""
    found = window(app, name)
    assert found.getRole() == pyatspi.ROLE_FRAME, \
        "%r is offered as a %s, not a frame" % (name, found.getRoleName())
    nameless = pyatspi.findAllDescendants(
        found, lambda n: n is not None and n.getRole() == pyatspi.ROLE_LABEL and not n.name)
    assert not nameless, "%r offers %d labels without a name" % (name, len(nameless))
    return found


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def wait_until(what, condition, timeout=10.0):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if condition():
            return
        time.sleep(0.1)
    raise AssertionError("timed out waiting until " + what)


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
    platform = sys.argv[2] if len(sys.argv) > 2 else "xcb"
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM=platform)
    # The accessibility registry runs before the program registers with it.
    pyatspi.Registry.getDesktop(0)
    calculator = subprocess.Popen([program], env=env)
    try:
        app = application("RuRozovizera")
        main_window = check_window(app, MAIN_WINDOW)
        splash = window(app, SPLASH_WINDOW)
        wait_until("the greeting window is showing", lambda: showing(splash))
        wait_until("the greeting window shows its content",
                   lambda: find(splash, pyatspi.ROLE_LABEL, "(Click To Close)") is not None)
        check_window(app, SPLASH_WINDOW)

        for key in ("1", "2", "add", "5", "equals"):
            press(main_window, key)
        result = displayed_text(main_window)
        assert result == "17", "the display reads %r, not '17'" % result

        # Clear hides the greeting window, and clears the display.
        press(main_window, "clear")
        wait_until("Clear hid the greeting window",
                   lambda: all(child is None or child.name != SPLASH_WINDOW or not showing(child)
                               for child in app))
        assert displayed_text(main_window) == "", "Clear left text on the display"

        # Text written into the display by the screen reader is what the
        # next key reads; text that would make it longer than 32,767
        # characters is refused whole.
        visible_display(main_window).queryEditableText().setTextContents("12")
        for key in ("add", "5", "equals"):
            press(main_window, key)
        result = displayed_text(main_window)
        assert result == "17", "after writing 12, the display reads %r, not '17'" % result
        visible_display(main_window).queryEditableText().setTextContents("1" * 32768)
        time.sleep(0.2)
        result = displayed_text(main_window)
        assert result == "17", "a text too long was taken: %d characters" % len(result)

        press(main_window, "About", pyatspi.ROLE_MENU_ITEM)
        about = check_window(app, "About")
        assert find(about, pyatspi.ROLE_PUSH_BUTTON, "OK") is not None

        press(main_window, "help example")
        check_window(app, "Help-Example")

        for key in ("pi", "square", "square root", "memory add", "memory recall",
                    "memory clear", "clear", "decimal point", "percent"):
            assert find(main_window, pyatspi.ROLE_PUSH_BUTTON, key) is not None, key

        # Exit ends the program at once, with every window.
        press(main_window, "Exit", pyatspi.ROLE_MENU_ITEM)
        assert calculator.wait(timeout=10) == 0, "the program did not end cleanly"
        print("1 passed, 0 failed")
    finally:
        calculator.kill()
        calculator.wait()


if __name__ == "__main__":
    main()
