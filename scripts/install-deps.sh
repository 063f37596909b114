#!/bin/sh
# Installs the Debian packages the project needs, and only those missing,
# through sudo when not run as root. Also generates the German locale that
# the tests use to check that no number rule depends on the locale.
set -eu

# The build, the engine's tests, the windows (Qt 6 Widgets with its platform
# plugins and the fonts the windows use), the screenshot tests' X server, and
# the tools that build and check the Debian package and the desktop files,
# the accessibility bus with its Python client for the screen-reader test,
# the window managers and Wayland compositors of the desktop-session tests
# (openbox; GNOME's mutter; KDE's KWin for X11 and Wayland with the window
# frames it draws; weston) with Qt's Wayland platform and an X client
# library for Python,
# clang with its sanitizer and fuzzer runtimes for the fuzz targets, and
# Google Benchmark and XCB with its DAMAGE extension for the benchmarks.
packages="cmake ninja-build g++ libgtest-dev libbenchmark-dev locales
    qt6-base-dev qt6-qpa-plugins libxcb1-dev
    fonts-comic-neue fonts-liberation2
    xvfb xauth x11-utils
    dpkg-dev file lintian desktop-file-utils appstream
    dbus-daemon at-spi2-core python3-pyatspi
    openbox mutter kwin-x11 kwin-wayland kwin-style-breeze xwayland
    python3-xlib weston qt6-wayland
    clang libclang-rt-14-dev
    libxcb1-dev libxcb-damage0-dev"

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
