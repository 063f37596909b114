"""The calculator's windows native on a Wayland compositor.

Started inside a D-Bus session with an accessibility bus:

    dbus-run-session -- python3 wayland_session_test.py COMPOSITOR PROGRAM
    xvfb-run -a dbus-run-session -- python3 wayland_session_test.py weston PROGRAM

COMPOSITOR is mutter (GNOME's) or kwin (KDE's), each started here headless,
or weston, started in a window of an X server (Xvfb) whose keyboard it
takes as its own; each on a socket in a runtime folder of the test's own,
with its settings in a folder of its own. The calculator runs on it with no
X server of its own to fall back on. The test checks, through the
accessibility bus, that the main window is the active one and the splash
window is not; where the compositor lets a test type (mutter, through its
remote-desktop interface; weston, through the X server's keyboard), that
typing goes into the display at once; where it lets a test look at its
windows (kwin, through its scripting interface), that the main window is in
front, the splash window has no decoration and cannot be resized or
maximised; and that Exit ends the program. Each check prints a line of its
own; exit status 0 when every check passes.
"""

import json
import os
import shutil
import subprocess
import sys
import tempfile
import time

import pyatspi
from gi.repository import Gio, GLib
from Xlib import X, display
from Xlib.ext import xtest

from session_checks import (TimedOut, check, check_eventually, finish, stop,
                            visible_display_text, wait_for)

MAIN_WINDOW = "RuRozovizera(Frost Figures)"
SPLASH_WINDOW = "RuRozovizera greeting"
SOCKET = "wayland-test"

_BUS = []


def session_bus():
    """One connection for the whole test: mutter ends a remote-desktop
    session when the connection that made it closes."""
    if not _BUS:
        _BUS.append(Gio.bus_get_sync(Gio.BusType.SESSION))
    return _BUS[0]


def bus_call(service, path, interface, method, args=None, reply=None, fds=None):
    if fds is None:
        return session_bus().call_sync(service, path, interface, method, args,
                                       GLib.VariantType(reply) if reply else None,
                                       Gio.DBusCallFlags.NONE, 10000, None)
    return session_bus().call_with_unix_fd_list_sync(
        service, path, interface, method, args, GLib.VariantType(reply) if reply else None,
        Gio.DBusCallFlags.NONE, 10000, fds, None)[0]


class Compositor:
    def __init__(self, name, home):
        self.name = name
        self.home = home
        self.runtime = os.path.join(home, "runtime")
        os.mkdir(self.runtime, 0o700)
        self.env = dict(os.environ, XDG_RUNTIME_DIR=self.runtime,
                        XDG_CONFIG_HOME=os.path.join(home, "config"),
                        XDG_CACHE_HOME=os.path.join(home, "cache"),
                        XDG_DATA_HOME=os.path.join(home, "data"))
        self.env.pop("WAYLAND_DISPLAY", None)
        if name == "weston":
            command = ["weston", "--backend=x11-backend.so", "--socket=" + SOCKET,
                       "--idle-time=0", "--width=1024", "--height=768"]
        elif name == "mutter":
            command = ["mutter", "--wayland", "--headless", "--no-x11",
                       "--virtual-monitor", "1280x1024", "--wayland-display=" + SOCKET]
        elif name == "kwin":
            # The installed binary carries a file capability that a restricted
            # sandbox refuses to start; a copy without it runs the same. KWin
            # takes its own platform plugin only under its own name.
            folder = os.path.join(home, "bin")
            os.mkdir(folder)
            binary = os.path.join(folder, "kwin_wayland")
            shutil.copy(shutil.which("kwin_wayland"), binary)
            command = [binary, "--virtual", "--width", "1280", "--height", "1024",
                       "--no-lockscreen", "--no-global-shortcuts", "--socket", SOCKET]
        else:
            raise SystemExit("unknown compositor " + name)
        self.log_path = os.path.join(home, name + ".log")
        self.log = open(self.log_path, "w")
        self.process = subprocess.Popen(command, env=self.env, stdout=self.log,
                                        stderr=subprocess.STDOUT)
        socket = os.path.join(self.runtime, SOCKET)
        try:
            # A compositor that cannot start ends, and ends the wait with it.
            wait_for(name + " has made its socket",
                     lambda: os.path.exists(socket) or self.process.poll() is not None, 30)
        except TimedOut:
            pass  # said below, with the compositor's log
        if not os.path.exists(socket):
            self.log.flush()
            sys.stdout.write(open(self.log_path).read())
            raise SystemExit(name + " did not start")
        if name == "kwin":
            wait_for("KWin is on the bus", lambda: self.has_bus_name("org.kde.KWin"), 30)
        if name == "mutter":
            wait_for("mutter's remote desktop is on the bus",
                     lambda: self.has_bus_name("org.gnome.Mutter.RemoteDesktop"), 30)
            self.keyboard = self.remote_keyboard()

    @staticmethod
    def has_bus_name(name):
        reply = bus_call("org.freedesktop.DBus", "/org/freedesktop/DBus",
                         "org.freedesktop.DBus", "NameHasOwner", GLib.Variant("(s)", (name,)),
                         "(b)")
        return reply.unpack()[0]

    def remote_keyboard(self):
        """A remote-desktop session of mutter's: a keyboard the test types on.
        Until mutter is fully up it closes a new session at once; then the
        session is asked for again."""
        def session():
            path = bus_call("org.gnome.Mutter.RemoteDesktop", "/org/gnome/Mutter/RemoteDesktop",
                            "org.gnome.Mutter.RemoteDesktop", "CreateSession", None,
                            "(o)").unpack()[0]
            try:
                bus_call("org.gnome.Mutter.RemoteDesktop", path,
                         "org.gnome.Mutter.RemoteDesktop.Session", "Start")
                return path
            except GLib.Error:
                return None
        path = wait_for("mutter's remote-desktop session has started", session, 20)
        # Its keyboard joins the seat with the first key sent, which is lost:
        # a Shift, before the calculator starts, as a desktop's keyboard is
        # there before any program.
        for pressed in (True, False):
            bus_call("org.gnome.Mutter.RemoteDesktop", path,
                     "org.gnome.Mutter.RemoteDesktop.Session", "NotifyKeyboardKeysym",
                     GLib.Variant("(ub)", (0xFFE1, pressed)))
        return path

    def type(self, keysyms):
        if self.name == "weston":
            # Weston's output is the X server's only window, at its top-left
            # corner; with the pointer over it, it takes the X keyboard.
            x = display.Display()
            xtest.fake_input(x, X.MotionNotify, x=512, y=384)
            for keysym in keysyms:
                code = x.keysym_to_keycode(keysym)
                xtest.fake_input(x, X.KeyPress, code)
                xtest.fake_input(x, X.KeyRelease, code)
            x.sync()
            return
        for keysym in keysyms:
            for pressed in (True, False):
                bus_call("org.gnome.Mutter.RemoteDesktop", self.keyboard,
                         "org.gnome.Mutter.RemoteDesktop.Session", "NotifyKeyboardKeysym",
                         GLib.Variant("(ub)", (keysym, pressed)))

    def windows(self):
        """KWin's view of its windows, through a script it runs for the test."""
        script = os.path.join(self.home, "windows-%d.js" % time.monotonic_ns())
        with open(script, "w") as out:
            out.write("""
var windows = workspace.clientList();
for (var i = 0; i < windows.length; ++i) {
    var w = windows[i];
    print("WINDOW " + JSON.stringify({caption: w.caption, stack: w.stackingOrder,
        active: w.active, resizeable: w.resizeable, maximizable: w.maximizable,
        minimizable: w.minimizable,
        frame: [w.frameGeometry.width, w.frameGeometry.height],
        buffer: [w.bufferGeometry.width, w.bufferGeometry.height]}));
}
""")
        start = os.path.getsize(self.log_path)
        number = bus_call("org.kde.KWin", "/Scripting", "org.kde.kwin.Scripting", "loadScript",
                          GLib.Variant("(ss)", (script, os.path.basename(script))),
                          "(i)").unpack()[0]
        bus_call("org.kde.KWin", "/%d" % number, "org.kde.kwin.Script", "run")

        def read():
            with open(self.log_path) as log:
                log.seek(start)
                found = [json.loads(line.split("WINDOW ", 1)[1])
                         for line in log if "WINDOW " in line]
            return {w["caption"]: w for w in found} if len(found) >= 2 else None
        try:
            return wait_for("KWin has listed the windows", read, 5)
        except TimedOut:
            return {}  # the checks say what is missing

    def stop(self):
        stop(self.process)


def windows_of(name):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == name:
            return {child.name: child for child in app if child is not None}
    return {}


def active(window):
    return window.getState().contains(pyatspi.STATE_ACTIVE)


def main():
    name, program = sys.argv[1], sys.argv[2]
    home = tempfile.mkdtemp(prefix="wayland-")
    compositor = Compositor(name, home)
    calculator = None
    try:
        env = dict(compositor.env, WAYLAND_DISPLAY=SOCKET, QT_QPA_PLATFORM="wayland",
                   QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        env.pop("DISPLAY", None)
        calculator = subprocess.Popen([program], env=env)

        def both_windows():
            windows = windows_of("RuRozovizera")
            return windows if MAIN_WINDOW in windows and SPLASH_WINDOW in windows else None
        windows = wait_for("the calculator's windows are up", both_windows, 20)
        main_window, splash = windows[MAIN_WINDOW], windows[SPLASH_WINDOW]
        # The splash window, shown first, may be active until the main
        # window comes up, and says it no longer is a moment after the main
        # window says it is.
        check_eventually("main window is active", lambda: active(main_window), 5)
        check_eventually("splash window is not active", lambda: not active(splash), 5)

        if name in ("mutter", "weston"):
            compositor.type([ord("4"), ord("2")])
            check_eventually("typing goes into the display at once",
                             lambda: visible_display_text(main_window) == "42", 5,
                             lambda: visible_display_text(main_window))
        if name == "kwin":
            seen = compositor.windows()
            main_seen = seen.get(MAIN_WINDOW, {})
            splash_seen = seen.get("RuRozovizera", {})
            check("the compositor has both windows", main_seen and splash_seen, seen)
            check("main window is in front of the splash window",
                  main_seen.get("stack", -1) > splash_seen.get("stack", 99), seen)
            check("the compositor's active window is the main window", main_seen.get("active"))
            check("splash window has no decoration",
                  splash_seen.get("frame") == splash_seen.get("buffer") == [498, 289],
                  splash_seen)
            check("splash window cannot be resized", splash_seen.get("resizeable") is False)
            check("splash window cannot be maximised",
                  splash_seen.get("maximizable") is False)
            check("main window has a decoration",
                  main_seen.get("frame", [0, 0])[1] > main_seen.get("buffer", [0, 0])[1],
                  main_seen)

        exit_item = pyatspi.findDescendant(
            main_window, lambda n: n is not None and n.getRole() == pyatspi.ROLE_MENU_ITEM and
            n.name == "Exit", True)
        exit_item.queryAction().doAction(0)
        try:
            status = calculator.wait(timeout=10)
        except subprocess.TimeoutExpired:
            status = None
        check("Exit ends the program", status == 0, status)
    finally:
        if calculator is not None and calculator.poll() is None:
            calculator.kill()
            calculator.wait()
        compositor.stop()
        shutil.rmtree(home, ignore_errors=True)
    finish()


if __name__ == "__main__":
    main()
