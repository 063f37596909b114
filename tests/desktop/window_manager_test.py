"""The calculator's windows under a real window manager (openbox).

Started inside an X server and a D-Bus session with an accessibility bus:

    xvfb-run -a dbus-run-session -- python3 window_manager_test.py PROGRAM

It starts openbox, then the calculator, and checks what the window manager
makes of the windows, from the properties it reads and sets and from the
actions it allows: the greeting window has no title bar and cannot be
resized, maximised or minimised, yet takes the keyboard focus and closes on
a key or on a click on its margin; the main window starts active in front
of it, with the default frame; Enter and Escape hide the About window; and
closing the main window from its frame ends the program with every window
gone. Exit status 0 when every check passes.
"""

import os
import subprocess
import sys
import time

import pyatspi
from Xlib import X, Xatom, display, protocol
from Xlib.ext import xtest

MAIN_TITLE = "RuRozovizera(Frost Figures)"
SIZE_ACTIONS = ("_NET_WM_ACTION_RESIZE", "_NET_WM_ACTION_MAXIMIZE_HORZ",
                "_NET_WM_ACTION_MAXIMIZE_VERT", "_NET_WM_ACTION_FULLSCREEN")


class Desktop:
    def __init__(self):
        self.x = display.Display()
        self.root = self.x.screen().root

    def atom(self, name):
        return self.x.intern_atom(name)

    def name_of(self, atom):
        return self.x.get_atom_name(atom)

    def prop(self, window, name, kind=X.AnyPropertyType):
        reply = window.get_full_property(self.atom(name), kind)
        return None if reply is None else reply.value

    def clients(self):
        """The windows the window manager manages, bottom to top."""
        ids = self.prop(self.root, "_NET_CLIENT_LIST_STACKING") or []
        return [self.x.create_resource_object("window", i) for i in ids]

    def clients_of(self, pid):
        return [w for w in self.clients() if list(self.prop(w, "_NET_WM_PID") or []) == [pid]]

    def title(self, window):
        value = self.prop(window, "_NET_WM_NAME")
        return value.decode() if isinstance(value, bytes) else value

    def types(self, window):
        return {self.name_of(a) for a in self.prop(window, "_NET_WM_WINDOW_TYPE") or []}

    def allowed(self, window):
        return {self.name_of(a) for a in self.prop(window, "_NET_WM_ALLOWED_ACTIONS") or []}

    def extents(self, window):
        return list(self.prop(window, "_NET_FRAME_EXTENTS") or [])

    def active(self):
        value = self.prop(self.root, "_NET_ACTIVE_WINDOW")
        return value[0] if value else 0

    def viewable(self, window):
        try:
            return window.get_attributes().map_state == X.IsViewable
        except Exception:
            return False

    def origin(self, window):
        """The top-left corner of a window's own area, on the screen."""
        spot = window.translate_coords(self.root, 0, 0)
        return -spot.x, -spot.y

    def click(self, window, x, y):
        left, top = self.origin(window)
        xtest.fake_input(self.x, X.MotionNotify, x=left + x, y=top + y)
        xtest.fake_input(self.x, X.ButtonPress, 1)
        xtest.fake_input(self.x, X.ButtonRelease, 1)
        self.x.sync()

    def key(self, keysym):
        code = self.x.keysym_to_keycode(keysym)
        xtest.fake_input(self.x, X.KeyPress, code)
        xtest.fake_input(self.x, X.KeyRelease, code)
        self.x.sync()

    def close(self, window):
        """What a window manager sends when the user closes a window."""
        protocols = self.atom("WM_PROTOCOLS")
        message = protocol.event.ClientMessage(
            window=window, client_type=protocols,
            data=(32, [self.atom("WM_DELETE_WINDOW"), X.CurrentTime, 0, 0, 0]))
        window.send_event(message)
        self.x.sync()


def wait_for(what, condition, timeout=10.0):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        value = condition()
        if value:
            return value
        time.sleep(0.05)
    raise AssertionError("timed out waiting until " + what)


def start(program):
    env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    env.pop("WAYLAND_DISPLAY", None)
    return subprocess.Popen([program], env=env)


def both_windows(desk, calculator):
    """The main window and the greeting window, once both are on screen."""
    def found():
        windows = [w for w in desk.clients_of(calculator.pid) if desk.viewable(w)]
        main = [w for w in windows if desk.title(w) == MAIN_TITLE]
        others = [w for w in windows if desk.title(w) != MAIN_TITLE]
        return (main[0], others[0]) if main and others else None
    return wait_for("both windows are on screen", found)


def check_greeting_and_main(desk, main, splash):
    # The greeting window: no title bar, so no caption; a fixed size the
    # window manager offers no way to change; no minimising.
    assert "_NET_WM_WINDOW_TYPE_SPLASH" in desk.types(splash), desk.types(splash)
    wait_for("the greeting window's frame is known", lambda: desk.extents(splash))
    assert desk.extents(splash) == [0, 0, 0, 0], desk.extents(splash)
    actions = desk.allowed(splash)
    for action in SIZE_ACTIONS + ("_NET_WM_ACTION_MINIMIZE",):
        assert action not in actions, "the greeting window allows " + action
    hints = splash.get_wm_normal_hints()
    assert (hints.min_width, hints.min_height) == (hints.max_width, hints.max_height), hints
    geometry = splash.get_geometry()
    assert (geometry.width, geometry.height) == (498, 289), geometry

    # The main window: active, in front of the greeting window, in the
    # default resizable frame with a title bar and every button.
    wait_for("the main window is active", lambda: desk.active() == main.id)
    stacking = [w.id for w in desk.clients()]
    assert stacking.index(main.id) > stacking.index(splash.id), "the greeting window is in front"
    assert desk.extents(main)[2] > 0, "the main window has no title bar"
    actions = desk.allowed(main)
    for action in SIZE_ACTIONS + ("_NET_WM_ACTION_MINIMIZE", "_NET_WM_ACTION_CLOSE"):
        assert action in actions, "the main window does not allow " + action


def accessible_window(name, timeout=15.0):
    def found():
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == "RuRozovizera":
                for child in app:
                    if child is not None and child.name == name:
                        return child
        return None
    return wait_for("the accessible window %r exists" % name, found, timeout)


def check_about_keys(desk, calculator, main):
    """Enter and Escape in the active About window hide it."""
    main_accessible = accessible_window(MAIN_TITLE)
    about_item = pyatspi.findDescendant(
        main_accessible,
        lambda n: n is not None and n.getRole() == pyatspi.ROLE_MENU_ITEM and n.name == "About",
        True)
    assert about_item is not None, "no About menu entry"
    for keysym in (0xFF0D, 0xFF1B):  # Return, Escape
        about_item.queryAction().doAction(0)
        about = wait_for("the About window is on screen", lambda: next(
            (w for w in desk.clients_of(calculator.pid)
             if desk.title(w) == "About" and desk.viewable(w)), None))
        wait_for("the About window is active", lambda: desk.active() == about.id)
        desk.key(keysym)
        wait_for("the About window is hidden", lambda: not desk.viewable(about))


def main():
    program = sys.argv[1]
    wm = subprocess.Popen(["openbox", "--sm-disable"])
    desk = Desktop()
    wait_for("openbox runs", lambda: desk.prop(desk.root, "_NET_SUPPORTING_WM_CHECK"))
    try:
        # A key closes the greeting window once a click on it (on the
        # greeting, which does not close it) has given it the focus.
        calculator = start(program)
        try:
            main_window, splash = both_windows(desk, calculator)
            check_greeting_and_main(desk, main_window, splash)
            desk.click(splash, 3 + 16 + 8 + 100, 3 + 136 + 8 + 40)
            wait_for("the greeting window is active", lambda: desk.active() == splash.id)
            assert desk.viewable(splash), "a click on the greeting closed the window"
            desk.key(ord("a"))
            wait_for("a key closes the greeting window", lambda: not desk.viewable(splash))

            check_about_keys(desk, calculator, main_window)

            # Closing the main window from its frame ends the program.
            desk.close(main_window)
            assert calculator.wait(timeout=10) == 0, "the program did not end cleanly"
            assert not desk.clients_of(calculator.pid), "windows are left on screen"
        finally:
            calculator.kill()
            calculator.wait()

        # A click on the greeting window's margin closes it.
        calculator = start(program)
        try:
            main_window, splash = both_windows(desk, calculator)
            desk.click(splash, 3 + 4, 3 + 4)
            wait_for("a click on the margin closes the greeting window",
                     lambda: not desk.viewable(splash))
            assert desk.viewable(main_window)
        finally:
            calculator.kill()
            calculator.wait()
        print("1 passed, 0 failed")
    finally:
        wm.terminate()
        wm.wait()


if __name__ == "__main__":
    main()
