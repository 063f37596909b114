#!/bin/sh
# The window bench (key_click_bench) as users run the window: on X11 in a
# private desktop session, with a session bus and a window manager
# (openbox). Runs by hand (`make bench`), not as a test.
set -eu
cd "$(dirname "$0")/../.."
cmake --preset release >/dev/null
cmake --build --preset release --target key_click_bench
exec xvfb-run -a -s "-screen 0 1280x1024x24" dbus-run-session -- sh -c '
    openbox --sm-disable >/dev/null 2>&1 &
    wm=$!
    tries=0
    until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; do
        tries=$((tries + 1))
        [ $tries -lt 100 ] || { echo "window bench: openbox did not start" >&2; exit 1; }
        sleep 0.05
    done
    status=0
    QT_QPA_PLATFORM=xcb build/release/bin/key_click_bench || status=$?
    kill "$wm"
    exit $status'
