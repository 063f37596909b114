#!/bin/sh
# Installs the Debian packages the project needs, and only those missing,
# through sudo when not run as root. Also generates the German locale that
# the tests use to check that no number rule depends on the locale.
set -eu

# The build, the engine's tests, the windows (Qt 6 Widgets with its platform
# plugins and the fonts the windows use), the screenshot tests' X server, and
# the tools that build and check the Debian package and the desktop files,
# the accessibility bus with its Python client for the screen-reader test,
# a window manager and a Wayland compositor with Qt's Wayland platform and
# an X client library for Python for the desktop-session tests,
# clang with its sanitizer and fuzzer runtimes for the fuzz targets, and
# Google Benchmark and XCB with its DAMAGE extension for the benchmarks.
packages="cmake ninja-build g++ libgtest-dev libbenchmark-dev locales
    qt6-base-dev qt6-qpa-plugins
    fonts-comic-neue fonts-liberation2
    xvfb xauth x11-utils
    dpkg-dev file lintian desktop-file-utils appstream
    dbus-daemon at-spi2-core python3-pyatspi
    openbox python3-xlib weston qt6-wayland
    clang libclang-rt-14-dev
    libxcb1-dev libxcb-damage0-dev"

# `install-deps.sh windows`: the Windows build instead. The MinGW-w64 cross
# compiler, the host's Qt tools and what builds Qt from Debian's source
# package (with Wine's header for tablets), the icon and installer tools,
# GoogleTest's sources, and Wine on Xvfb for the tests.
if [ "${1:-}" = windows ]; then
    packages="cmake ninja-build dpkg-dev locales g++-mingw-w64-x86-64-posix
        qt6-base-dev libwine-dev icoutils nsis unzip googletest
        fonts-comic-neue fonts-liberation2
        wine wine64 xvfb xauth"
fi

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

if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
    echo "install-deps: generating the de_DE.UTF-8 locale"
    as_root localedef -i de_DE -c -f UTF-8 de_DE.UTF-8
fi
