"""The calculator's windows under real X11 window managers.

Started inside an X server and a D-Bus session with an accessibility bus:

    xvfb-run -a dbus-run-session -- python3 window_manager_test.py WM PROGRAM

WM is openbox, mutter (GNOME's) or kwin (KDE's). The test starts the window
manager, then the calculator, and checks what the window manager makes of
the windows, from the properties it reads and sets and from the actions it
allows: the splash window has no title bar and cannot be resized,
maximised or minimised, yet takes the keyboard focus and closes on a key or
on a click on its margin; the main window starts active in front of it,
with the default frame, and typing goes into its display at once; both
client areas stand at their stored places; the main window can be made
larger but not smaller than its client area and menu bar; typed digits and
clicked keys mixed reach the display on view; Enter and Escape hide the
About window; and closing the main window from its frame ends the program
with every window gone. Each check prints a line of its own; exit status 0 when
every check passes.
"""

import os
import subprocess
import sys
import tempfile

import pyatspi
from gi.repository import Gio, GLib
from Xlib import X, display, error, protocol
from Xlib.ext import xtest

from session_checks import (TimedOut, check, check_eventually, finish, stop,
                            visible_display_text, wait_for)

MAIN_TITLE = "RuRozovizera(Frost Figures)"
# The client areas' stored places at 96 dots per inch; the splash window
# draws its own 3-pixel frame around its client area.
MAIN_ORIGIN = (358, 232)
MAIN_CLIENT_HEIGHT = 198
SPLASH_ORIGIN = (262 - 3, 436 - 3)
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
        try:
            reply = window.get_full_property(self.atom(name), kind)
        except error.BadWindow:
            return None  # gone meanwhile
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

    def point(self, window, x, y):
        left, top = self.origin(window)
        xtest.fake_input(self.x, X.MotionNotify, x=left + x, y=top + y)
        self.x.sync()

    def click(self, window, x, y):
        self.point(window, x, y)
        xtest.fake_input(self.x, X.ButtonPress, 1)
        xtest.fake_input(self.x, X.ButtonRelease, 1)
        self.x.sync()

    def key(self, keysym):
        code = self.x.keysym_to_keycode(keysym)
        xtest.fake_input(self.x, X.KeyPress, code)
        xtest.fake_input(self.x, X.KeyRelease, code)
        self.x.sync()

    def resize(self, window, width, height):
        """What a pager, or the user through the window manager, asks."""
        size_given_by_user = (1 << 10) | (1 << 11) | (2 << 12)
        message = protocol.event.ClientMessage(
            window=window, client_type=self.atom("_NET_MOVERESIZE_WINDOW"),
            data=(32, [size_given_by_user, 0, 0, width, height]))
        self.root.send_event(message, event_mask=X.SubstructureRedirectMask |
                             X.SubstructureNotifyMask)
        self.x.sync()

    def close(self, window):
        """What a window manager sends when the user closes a window."""
        protocols = self.atom("WM_PROTOCOLS")
        message = protocol.event.ClientMessage(
            window=window, client_type=protocols,
            data=(32, [self.atom("WM_DELETE_WINDOW"), X.CurrentTime, 0, 0, 0]))
        window.send_event(message)
        self.x.sync()


def start(program):
    env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    env.pop("WAYLAND_DISPLAY", None)
    return subprocess.Popen([program], env=env)


def both_windows(desk, calculator):
    """The main window and the splash window, once both are on screen."""
    def found():
        windows = [w for w in desk.clients_of(calculator.pid) if desk.viewable(w)]
        main = [w for w in windows if desk.title(w) == MAIN_TITLE]
        others = [w for w in windows if desk.title(w) != MAIN_TITLE]
        return (main[0], others[0]) if main and others else None
    return wait_for("both windows are on screen", found)


def check_splash_and_main(desk, main, splash):
    # The splash window: no title bar, so no caption, nor any frame of the
    # window manager's; a fixed size the window manager offers no way to
    # change; no minimising.
    wait_for("the window manager has taken the splash window", lambda: desk.allowed(splash))
    check("splash window has no frame of the desktop's",
          desk.extents(splash) in ([], [0, 0, 0, 0]), desk.extents(splash))
    actions = desk.allowed(splash)
    for action in SIZE_ACTIONS + ("_NET_WM_ACTION_MINIMIZE",):
        check("splash window does not allow " + action[len("_NET_WM_ACTION_"):].lower(),
              action not in actions, sorted(actions))
    hints = splash.get_wm_normal_hints()
    check("splash window has a fixed size",
          (hints.min_width, hints.min_height) == (hints.max_width, hints.max_height), hints)
    geometry = splash.get_geometry()
    check("splash window is 498 by 289", (geometry.width, geometry.height) == (498, 289),
          geometry)

    # The main window: active, in front of the splash window, in the
    # default resizable frame with a title bar and every button.
    check_eventually("main window is active", lambda: desk.active() == main.id,
                     detail=lambda: hex(desk.active()))
    stacking = [w.id for w in desk.clients()]
    check("main window is in front of the splash window",
          stacking.index(main.id) > stacking.index(splash.id))
    extents = desk.extents(main)
    check("main window has a title bar", len(extents) == 4 and extents[2] > 0, extents)
    actions = desk.allowed(main)
    for action in SIZE_ACTIONS + ("_NET_WM_ACTION_MINIMIZE", "_NET_WM_ACTION_CLOSE"):
        check("main window allows " + action[len("_NET_WM_ACTION_"):].lower(), action in actions,
              sorted(actions))


def check_places(desk, main, splash):
    """Each window's own area at its stored place, not its frame's; the main
    window's client area is the part below its menu bar."""
    left, top = desk.origin(main)
    menu_bar = main.get_geometry().height - MAIN_CLIENT_HEIGHT
    check("main window's client area at its stored place",
          (left, top + menu_bar) == MAIN_ORIGIN, (left, top + menu_bar))
    check("splash window at its stored place",
          desk.origin(splash) == SPLASH_ORIGIN, desk.origin(splash))


def check_minimum_size(desk, main):
    """The main window grows, but shrinks no smaller than its size at start,
    its client area below its menu bar, so that no key is ever cut off."""
    def size():
        geometry = main.get_geometry()
        return geometry.width, geometry.height
    laid_out = size()
    larger = (laid_out[0] + 40, laid_out[1] + 40)
    desk.resize(main, *larger)
    check_eventually("main window can be made larger", lambda: size() == larger, 5.0, size)
    desk.resize(main, 1, 1)
    check_eventually("main window cannot be made smaller than its client area and menu bar",
                     lambda: size() == laid_out, 5.0, size)
    # Back to its size at start for the checks that follow, whatever came of it.
    desk.resize(main, *laid_out)
    try:
        wait_for("the main window is back to its size at start", lambda: size() == laid_out, 5.0)
    except TimedOut:
        pass


def accessible_window(name, timeout=15.0):
    def found():
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == "RuRozovizera":
                for child in app:
                    if child is not None and child.name == name:
                        return child
        return None
    return wait_for("the accessible window %r exists" % name, found, timeout)


def main_window_control(role, name):
    """The main window's control with this role and name."""
    control = pyatspi.findDescendant(
        accessible_window(MAIN_TITLE),
        lambda n: n is not None and n.getRole() == role and n.name == name, True)
    assert control is not None, "no %s named %r" % (role, name)
    return control


def middle(control):
    """The middle of a control, on the screen."""
    box = control.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return box.x + box.width // 2, box.y + box.height // 2


def point_at_menu_entry(desk, name):
    """Moves the pointer onto the main window's menu bar entry of this name,
    and waits until the entry is lit. The program takes input in order, and
    lighting the entry takes no focus from any window: once it is lit, the
    program has taken every click and key before the move too."""
    entry = main_window_control(pyatspi.ROLE_MENU_ITEM, name)
    desk.point(desk.root, *middle(entry))
    wait_for("the menu entry %r is lit" % name,
             lambda: entry.getState().contains(pyatspi.STATE_FOCUSED), 5.0)


def check_typing(desk):
    """Typing goes into the visible display at once, with no click first."""
    main_accessible = accessible_window(MAIN_TITLE)
    for keysym in (ord("4"), ord("2")):
        desk.key(keysym)
    check_eventually("typing goes into the display at once",
                     lambda: visible_display_text(main_accessible) == "42", 5.0,
                     lambda: visible_display_text(main_accessible))


def check_keys_and_typing(desk, main):
    """Typing after a click on a key goes on into the display on view, and
    Enter then clicks no key: a click leaves the keyboard focus in the
    display, and an operation key that hides the display hands it to the
    one it shows."""
    main_accessible = accessible_window(MAIN_TITLE)

    def shown():
        return visible_display_text(main_accessible)

    def click(name):
        desk.click(desk.root, *middle(main_window_control(pyatspi.ROLE_PUSH_BUTTON, name)))

    def typed(text):
        for character in text:
            desk.key(ord(character))

    def enter(_):
        desk.key(0xFF0D)

    # Each step, and what the display on view shows once it has been taken.
    # Enter changes nothing there: the click on = after it, which the program
    # takes only once it has taken Enter, shows 17 only if Enter clicked no
    # key.
    sequences = {
        "typed 12, clicked +, typed 5, clicked =": [
            (typed, "12", "12"), (click, "add", ""), (typed, "5", "5"), (click, "equals", "17")],
        "clicked 1 2 + 5, Enter, clicked =": [
            (click, "1", "1"), (click, "2", "12"), (click, "add", ""), (click, "5", "5"),
            (enter, None, None), (click, "equals", "17")],
    }
    for description, steps in sequences.items():
        click("clear")
        try:
            wait_for("the display is cleared in the active main window",
                     lambda: shown() == "" and desk.active() == main.id, 5.0)
            for step, argument, showing in steps:
                step(argument)
                if showing is not None:
                    wait_for("the display shows %r after %s %s" % (
                        showing, step.__name__, argument), lambda: shown() == showing, 5.0,
                        lambda: "it shows %r" % shown())
        except TimedOut as late:
            check(description + " shows 17", False, late)
            continue
        check(description + " shows 17", shown() == "17", shown())


def check_about_keys(desk, calculator):
    """Enter and Escape in the active About window hide it."""
    about_item = main_window_control(pyatspi.ROLE_MENU_ITEM, "About")
    for name, keysym in (("Enter", 0xFF0D), ("Escape", 0xFF1B)):
        about_item.queryAction().doAction(0)
        about = wait_for("the About window is on screen", lambda: next(
            (w for w in desk.clients_of(calculator.pid)
             if desk.title(w) == "About" and desk.viewable(w)), None))
        wait_for("the About window is active", lambda: desk.active() == about.id)
        desk.key(keysym)
        check_eventually(name + " hides the About window", lambda: not desk.viewable(about), 5.0)


class WindowManager:
    """One of the window managers the calculator is tested under, started in
    the test's own X server and session bus, with its settings in a folder
    of its own."""

    def __init__(self, name, desk):
        self.name = name
        self.home = tempfile.mkdtemp(prefix="wm-")  # its settings, apart from the user's
        env = dict(os.environ, XDG_CONFIG_HOME=os.path.join(self.home, "config"),
                   XDG_CACHE_HOME=os.path.join(self.home, "cache"),
                   XDG_DATA_HOME=os.path.join(self.home, "data"))
        if name == "openbox":
            command = ["openbox", "--sm-disable"]
        elif name == "mutter":
            command = ["mutter", "--x11", "--replace", "--sm-disable"]
        elif name == "kwin":
            # KWin's helpers, started through the session bus, must find the
            # X server too.
            bus = Gio.bus_get_sync(Gio.BusType.SESSION)
            bus.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus",
                          "org.freedesktop.DBus", "UpdateActivationEnvironment",
                          GLib.Variant("(a{ss})", ({"DISPLAY": os.environ["DISPLAY"]},)),
                          None, Gio.DBusCallFlags.NONE, 5000, None)
            command = ["kwin_x11", "--replace"]
        else:
            raise SystemExit("unknown window manager " + name)
        self.log = open(os.path.join(self.home, "log"), "w")
        self.process = subprocess.Popen(command, env=env, stdout=self.log, stderr=self.log)
        wait_for(name + " runs", lambda: desk.prop(desk.root, "_NET_SUPPORTING_WM_CHECK"), 30.0)

    def stop(self):
        stop(self.process)


def main():
    wm_name, program = sys.argv[1], sys.argv[2]
    runtime = tempfile.mkdtemp(prefix="runtime-")
    os.environ["XDG_RUNTIME_DIR"] = runtime
    desk = Desktop()
    wm = WindowManager(wm_name, desk)
    try:
        # A key closes the splash window once a click on it (on the
        # greeting, which does not close it) has given it the focus.
        calculator = start(program)
        try:
            main_window, splash = both_windows(desk, calculator)
            check_splash_and_main(desk, main_window, splash)
            check_places(desk, main_window, splash)
            check_minimum_size(desk, main_window)
            check_typing(desk)
            desk.click(splash, 3 + 16 + 8 + 100, 3 + 136 + 8 + 40)
            check_eventually("a click gives the splash window the focus",
                             lambda: desk.active() == splash.id)
            # The window would be closed by now: the program has taken the
            # click once it has lit the entry the pointer moved onto next.
            point_at_menu_entry(desk, "Frost Figures!")
            check("a click on the greeting leaves the window open", desk.viewable(splash))
            desk.key(ord("a"))
            check_eventually("a key closes the splash window",
                             lambda: not desk.viewable(splash), 5.0)

            check_keys_and_typing(desk, main_window)
            check_about_keys(desk, calculator)

            # Closing the main window from its frame ends the program.
            desk.close(main_window)
            try:
                status = calculator.wait(timeout=10)
            except subprocess.TimeoutExpired:
                status = None
            check("closing the main window ends the program", status == 0, status)
            check("no window is left on screen", not desk.clients_of(calculator.pid))
        finally:
            calculator.kill()
            calculator.wait()

        # A click on the splash window's margin closes it.
        calculator = start(program)
        try:
            main_window, splash = both_windows(desk, calculator)
            desk.click(splash, 3 + 4, 3 + 4)
            check_eventually("a click on the margin closes the splash window",
                             lambda: not desk.viewable(splash), 5.0)
            check("the main window stays", desk.viewable(main_window))
        finally:
            calculator.kill()
            calculator.wait()
    finally:
        wm.stop()
    finish()


if __name__ == "__main__":
    main()
