#!/bin/sh
# Runs the Windows build's tests (ctest --preset windows) under Wine, in a
# fresh Wine prefix in a temporary folder, on an Xvfb screen of its own.
# Wine keeps its own desktop there, as Windows has one: a window manager of
# the X server has no say in which window is active or in front. The Wine
# server is started before the tests and stopped after them, so that each
# program under test starts quickly and nothing is left running.
set -eu

root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
xvfb=
cleanup() {
    wineserver -k 2>/dev/null || true
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT INT TERM

export WINEPREFIX="$work/wine" WINEARCH=win64 WINEDEBUG=-all
# No prompts to install Wine's .NET and HTML engines, which nothing here
# uses, and no menu entries or icons from Wine's menu builder in the user's
# own desktop menus for what the tests install.
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
DISPLAY=:$(cat "$work/display")
export DISPLAY

started=$(date +%s)
mkdir -p "$WINEPREFIX"
wineserver -p
wine wineboot --init >/dev/null 2>&1
# Every program runs on Wine's own desktop of the screen's size. Wine reads
# that setting when it makes the desktop, which the prefix's set-up has
# already made as a desktop without a window of its own, so the Wine server
# starts again and the desktop is made anew, with its window, by a program
# that asks for it: here and not in a test, whose output Wine's desktop and
# services would otherwise hold open.
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x1024 /f >/dev/null
wineserver -k
wineserver -w
wineserver -p
wine rundll32 user32.dll,GetDesktopWindow >/dev/null 2>&1
echo "windows-test: Wine prefix ready in $(($(date +%s) - started)) s"

cd "$root"
ctest --preset windows "$@"
