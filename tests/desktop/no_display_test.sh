#!/bin/sh
# no_display_test.sh PROGRAM: with no usable display, the program says in
# at most two lines what is missing and exits with status 1, rather than
# aborting. Each case runs in an environment of its own with nothing else
# set that names a display.
set -u
program=$1
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT

passed=0
failed=0
check() { # DESCRIPTION [VARIABLE=VALUE...]
    description=$1
    shift
    message=$(env -i PATH="$PATH" HOME="$runtime" XDG_RUNTIME_DIR="$runtime" "$@" \
        "$program" 2>&1 >/dev/null)
    status=$?
    lines=$(printf '%s\n' "$message" | wc -l)
    if [ "$status" -eq 1 ] && [ "$lines" -le 2 ] &&
        printf '%s\n' "$message" | head -n 1 | grep -q '^rurozovizera: no display to show'; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        printf 'FAIL: %s: exit status %s, and on standard error:\n%s\n' \
            "$description" "$status" "$message"
    fi
}

check "no display at all"
check "an X display where no server runs" DISPLAY=:9797
check "a Wayland display with no socket" WAYLAND_DISPLAY=wayland-9797
check "both, neither running" DISPLAY=:9797 WAYLAND_DISPLAY=wayland-9797
check "a platform that does not exist" QT_QPA_PLATFORM=nosuch
check "the X11 platform with no display" QT_QPA_PLATFORM=xcb

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
