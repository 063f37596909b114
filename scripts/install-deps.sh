#!/bin/sh
# install-deps.sh [run|test|windows]: installs the Debian packages the
# project needs that are missing, through sudo when not run as root.
#   run   what building and running the calculator needs (make run, and a
#         plain CMake build of the program)
#   test  that, and everything the tests, the fuzz targets and the
#         benchmarks need (make test, CI, make bench); the default. Also
#         generates the German locale that the tests use to check that no
#         number rule depends on the locale.
#   windows what cross-building, packaging and testing the Windows program
#         needs (make windows, make windows-test)
set -eu

mode=${1:-test}

# The build (make drives CMake's default generator, Ninja the presets'),
# Qt 6 Widgets, whose GUI library brings the X11 and offscreen platforms,
# the XCB headers the windows use to tell the X11 window manager their kind,
# and the fonts the windows use.
run_packages="make cmake ninja-build g++ qt6-base-dev libxcb1-dev
    fonts-comic-neue fonts-liberation2"

# Google Test and the locales for the engine's tests, the screenshot
# tests' X server, the tools that build and check the Debian package and
# the desktop files, the accessibility bus with its Python client for the
# screen-reader test, the window managers and Wayland compositors of the
# desktop-session tests (openbox; GNOME's mutter; KDE's KWin for X11 and
# Wayland with the window frames it draws; weston) with Qt's Wayland
# platform and an X client library for Python, clang with its sanitizer and
# fuzzer runtimes for the fuzz targets, and Google Benchmark and XCB's
# DAMAGE extension for the benchmarks.
test_packages="libgtest-dev locales
    xvfb xauth x11-utils
    dpkg-dev file lintian desktop-file-utils appstream
    dbus-daemon at-spi2-core python3-pyatspi
    openbox mutter kwin-x11 kwin-wayland kwin-style-breeze xwayland
    python3-xlib weston qt6-wayland
    clang libclang-rt-14-dev
    libbenchmark-dev libxcb-damage0-dev"

# The Windows build: the MinGW-w64 cross compiler, the host's Qt tools and
# what builds Qt from Debian's source package (with Wine's header for
# tablets), the icon and installer tools, GoogleTest's sources, the fonts
# the program carries, and Wine, which writes the installer's uninstaller
# and runs the tests on Xvfb.
windows_packages="make cmake ninja-build dpkg-dev locales g++-mingw-w64-x86-64-posix
    qt6-base-dev libwine-dev icoutils nsis unzip googletest
    fonts-comic-neue fonts-liberation2
    wine wine64 xvfb xauth"

case "$mode" in
run) packages=$run_packages ;;
test) packages="$run_packages $test_packages" ;;
windows) packages=$windows_packages ;;
*)
    echo "usage: install-deps.sh [run|test|windows]" >&2
    exit 2
    ;;
esac

missing=""
for package in $packages; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing="$missing $package"
    fi
done

as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null 2>&1; then
        sudo "$@"
    else
        echo "install-deps: need root or sudo to run: $*" >&2
        exit 1
    fi
}

if [ -n "$missing" ]; then
    echo "install-deps: installing$missing"
    as_root env DEBIAN_FRONTEND=noninteractive apt-get update -q
    # shellcheck disable=SC2086
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $missing
fi

if [ "$mode" = test ] && ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
    echo "install-deps: generating the de_DE.UTF-8 locale"
    as_root localedef -i de_DE -c -f UTF-8 de_DE.UTF-8
fi
