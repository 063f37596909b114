#!/bin/sh
# no_display_test.sh PROGRAM VERSION: with no usable display, the program
# says in at most two lines what is missing and exits with status 1, rather
# than aborting; a platform chosen by hand that is not installed it refuses
# in two lines of its own before the windowing toolkit starts, and exits
# with status 1; when the toolkit itself cannot start, it passes on the
# toolkit's messages and names the cause in a line of its own, and exits
# with status 1 too. --help and --version need no display. Each case runs in
# an environment of its own with nothing else set that names a display.
set -u
program=$1
version=$2
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
export LC_ALL=C

passed=0
failed=0
run() { # [VARIABLE=VALUE...] PROGRAM [ARGUMENT...]: the program's standard
    # error in $message, its standard output in $output
    message=$(env -i PATH="$PATH" HOME="$runtime" XDG_RUNTIME_DIR="$runtime" "$@" \
        2>&1 >"$runtime/output")
    status=$?
    output=$(cat "$runtime/output")
}
failure() { # DESCRIPTION
    failed=$((failed + 1))
    printf 'FAIL: %s: exit status %s, on standard error:\n%s\nand on standard output:\n%s\n' \
        "$1" "$status" "$message" "$output"
}
pass() {
    passed=$((passed + 1))
}

# The X11 platform's plugin needs a library of Qt's own; one that is not a
# library, found first on the library path, keeps the plugin from loading
# before any display is tried. The toolkit then lists the platforms it has.
mkdir "$runtime/lib"
echo "not a library" >"$runtime/lib/libQt6XcbQpa.so.6"
run DISPLAY=:9797 LD_LIBRARY_PATH="$runtime/lib" "$program"
# The platforms the toolkit lists as available, sorted, one a line.
toolkit_list=$(printf '%s\n' "$message" | sed -n 's/^Available platform plugins are: \(.*\)\.$/\1/p' |
    tr -d ' ' | tr , '\n' | sort)
if ! printf '%s\n' "$toolkit_list" | grep -qx offscreen; then
    failed=$((failed + 1))
    printf 'FAIL: the toolkit lists no offscreen platform:\n%s\n' "$message"
fi

check() { # DESCRIPTION [VARIABLE=VALUE...] PROGRAM [ARGUMENT...]
    description=$1
    shift
    run "$@"
    lines=$(printf '%s\n' "$message" | wc -l)
    # The platforms the program names for QT_QPA_PLATFORM are the toolkit's.
    named=$(printf '%s\n' "$message" | sed -n 's/.*the platforms available: \(.*\)\.$/\1/p' |
        tr -d ' ' | tr , '\n' | sort)
    if [ "$status" -eq 1 ] && [ "$lines" -le 2 ] && [ -z "$output" ] &&
        printf '%s\n' "$message" | head -n 1 | grep -q '^rurozovizera: no display to show' &&
        [ "$named" = "$toolkit_list" ]; then
        pass
    else
        failure "$description"
    fi
}

check "no display at all" "$program"
check "an X display where no server runs" DISPLAY=:9797 "$program"
check "a Wayland display with no socket" WAYLAND_DISPLAY=wayland-9797 "$program"
check "both, neither running" DISPLAY=:9797 WAYLAND_DISPLAY=wayland-9797 "$program"
check "the X11 platform with no display" QT_QPA_PLATFORM=xcb "$program"
check "the Wayland platform with no compositor" QT_QPA_PLATFORM=wayland "$program"
check "the X11 platform on the command line with no display" "$program" -platform xcb
check "an X display on the command line where no server runs" "$program" -display :9797
check "--version as the value of a toolkit option" "$program" -qwindowtitle --version

# check_unknown DESCRIPTION SETTING [VARIABLE=VALUE...] PROGRAM [ARGUMENT...]:
# standard error is exactly the program's two lines, naming SETTING and the
# toolkit's platforms: the toolkit never started to add its own (no
# "Reinstalling the application may fix this problem.").
available=$(printf '%s\n' "$toolkit_list" | paste -s -d , - | sed 's/,/, /g')
check_unknown() {
    description=$1
    setting=$2
    shift 2
    run "$@"
    if [ "$status" -eq 1 ] && [ -z "$output" ] && [ "$message" = "rurozovizera: $setting names no \
windowing platform that is installed.
It must name one of the platforms available: $available." ]; then
        pass
    else
        failure "$description"
    fi
}

check_unknown "a platform that does not exist" 'QT_QPA_PLATFORM="no-such-platform"' \
    QT_QPA_PLATFORM=no-such-platform "$program"
check_unknown "a list of platforms none of which exists, beside a display" \
    'QT_QPA_PLATFORM="nosuch;nosuch2:arg=1"' \
    QT_QPA_PLATFORM='nosuch;nosuch2:arg=1' DISPLAY=:9797 "$program"
check_unknown "a platform on the command line that does not exist" \
    '-platform "no-such-platform"' "$program" -platform no-such-platform
check_unknown "the command line's platform before QT_QPA_PLATFORM's" '-platform "nosuch"' \
    QT_QPA_PLATFORM=offscreen "$program" --platform nosuch

# check_toolkit DESCRIPTION TOOLKIT_LINE OWN_LINE [VARIABLE=VALUE...] PROGRAM:
# the toolkit's own line and the program's last line are there (each a
# pattern for grep), and nothing speaks of a missing display.
check_toolkit() {
    description=$1
    toolkit=$2
    own=$3
    shift 3
    run "$@"
    if [ "$status" -eq 1 ] && printf '%s\n' "$message" | grep -q "$toolkit" &&
        printf '%s\n' "$message" | tail -n 1 | grep -q "$own" &&
        ! printf '%s\n' "$message" | grep -q 'no display'; then
        pass
    else
        failure "$description"
    fi
}

# A plugin found is the toolkit's to load, or to fail to; the program's line
# gives the plugin loader's words, which name the library that is none.
check_toolkit "an X11 platform plugin that cannot load" \
    '^qt\.qpa\.plugin: Could not load the Qt platform plugin "xcb"' \
    "^rurozovizera: the windowing toolkit cannot start: its platform plugin \"xcb\" cannot be loaded: .*$runtime/lib/libQt6XcbQpa.so.6: " \
    DISPLAY=:9797 LD_LIBRARY_PATH="$runtime/lib" "$program"

# --help and --version with no display at all: the answer on standard
# output, nothing on standard error, and exit status 0.
answered() { # the last run
    [ "$status" -eq 0 ] && [ -z "$message" ]
}
run "$program" --version
if answered && [ "$output" = "rurozovizera $version" ]; then
    pass
else
    failure "--version prints the name and version"
fi
run "$program" -style Fusion --version
if answered && [ "$output" = "rurozovizera $version" ]; then
    pass
else
    failure "--version after a toolkit option prints the name and version"
fi
run "$program" --help
if answered &&
    [ "$(printf '%s\n' "$output" | head -n 1)" = "Usage: rurozovizera [--help | --version | QT-OPTION...]" ] &&
    [ "$(printf '%s\n' "$output" | tail -n 1)" = "The manual page tells more: man rurozovizera" ]; then
    pass
else
    failure "--help gives the usage and the manual page"
fi
# Each option the help names, the program's and the toolkit's.
for option in --help --version "-platform NAME" -platformpluginpath "-display DISPLAY" \
    "-style NAME"; do
    if printf '%s\n' "$output" | grep -q -e "^  $option "; then
        pass
    else
        failure "--help names $option"
    fi
done

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
