"""Drives the running calculator the way a screen reader does.

Started inside a display and a D-Bus session with an accessibility bus, on
X11 (the default) or natively on Wayland, with tests/desktop, whose
session_checks it shares, on PYTHONPATH:

    xvfb-run -a dbus-run-session -- python3 screen_reader_test.py PROGRAM [xcb]
    dbus-run-session -- python3 screen_reader_test.py PROGRAM wayland

It finds the calculator's windows through the accessibility bus by their
names, each offered as a window (a frame) with no label in it that would be
read out without a name, presses the keys 1, 2, +, 5 and = through their accessible actions,
reads the result from the visible display, writes into the display as a
screen reader's user does, checks that Clear hides the splash window,
opens the About and help-example windows the same way, and chooses Exit,
after which the program must have ended with every window gone. Exit
status 0 when every check passes.
"""

import os
import subprocess
import sys

import pyatspi

from session_checks import wait_for

MAIN_WINDOW = "RuRozovizera(Frost Figures)"
SPLASH_WINDOW = "RuRozovizera greeting"


def application(name):
    """The accessible application with this name, once it has registered."""
    def registered():
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == name:
                return app
        return None
    return wait_for("an accessible application named %r has registered" % name, registered, 15.0)


def find(root, role, name=None, showing=False):
    """The first descendant with this role (and name), or None."""
    def matches(node):
        if node is None or node.getRole() != role:
            return False
        if name is not None and node.name != name:
            return False
        return not showing or node.getState().contains(pyatspi.STATE_SHOWING)
    return pyatspi.findDescendant(root, matches, True)


def window(app, name):
    """The application's window with this name, once it is there."""
    return wait_for("a window named %r is there" % name, lambda: next(
        (child for child in app if child is not None and child.name == name), None))


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


def press(root, name, role=pyatspi.ROLE_PUSH_BUTTON):
    """Runs the named control's action. The program may carry it out after
    this returns (a key's click comes a moment later): the caller waits for
    what it does."""
    node = find(root, role, name)
    assert node is not None, "no %s named %r" % (role, name)
    action = node.queryAction()
    assert action.nActions > 0, "%r has no action" % name
    action.doAction(0)


def visible_display(main):
    box = find(main, pyatspi.ROLE_TEXT, "display", showing=True)
    assert box is not None, "no visible display"
    return box


def displayed_text(main):
    text = visible_display(main).queryText()
    return text.getText(0, text.characterCount)


def press_keys(main, steps, before="pressing"):
    """Presses each key in turn, and after each waits until the display on
    view shows what it should."""
    pressed = []
    for key, shown in steps:
        press(main, key)
        pressed.append(key)
        wait_for("the display reads %r after %s %s" % (shown, before, " ".join(pressed)),
                 lambda: displayed_text(main) == shown,
                 detail=lambda: "it reads %r" % displayed_text(main))


def refusal_notice(main):
    """The notice under the display of an edit it refused, while it shows."""
    return find(main, pyatspi.ROLE_LABEL, "Not taken: at most 32,767 characters", showing=True)


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
        wait_for("the splash window is showing", lambda: showing(splash))
        wait_for("the splash window shows its content",
                 lambda: find(splash, pyatspi.ROLE_LABEL, "(Click To Close)") is not None)
        check_window(app, SPLASH_WINDOW)

        # An operation key leaves the display on view empty for the next
        # number.
        press_keys(main_window, [("1", "1"), ("2", "12"), ("add", ""), ("5", "5"),
                                 ("equals", "17")])

        # Clear hides the splash window, and clears the display.
        press(main_window, "clear")
        wait_for("Clear hid the splash window",
                 lambda: all(child is None or child.name != SPLASH_WINDOW or not showing(child)
                             for child in app))
        wait_for("Clear emptied the display", lambda: displayed_text(main_window) == "",
                 detail=lambda: "it reads %r" % displayed_text(main_window))

        # Text written into the display by the screen reader is what the
        # next key reads; text that would make it longer than 32,767
        # characters is refused whole.
        visible_display(main_window).queryEditableText().setTextContents("12")
        wait_for("the display reads the 12 written", lambda: displayed_text(main_window) == "12",
                 detail=lambda: "it reads %r" % displayed_text(main_window))
        press_keys(main_window, [("add", ""), ("5", "5"), ("equals", "17")],
                   before="writing 12 and pressing")
        visible_display(main_window).queryEditableText().setTextContents("1" * 32768)
        # The program has handled the write once it shows the notice of a
        # refused edit, or once the display has changed.
        wait_for("the text too long is refused or taken",
                 lambda: refusal_notice(main_window) or displayed_text(main_window) != "17")
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
