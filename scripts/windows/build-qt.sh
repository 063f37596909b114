#!/bin/sh
# Builds Qt for 64-bit Windows from Debian's own qt6-base source package with
# Debian's MinGW-w64 cross compiler, against the host's Qt tools, and installs
# it into a cache folder outside the clone. Only what the calculator needs:
# Core, Gui, Widgets, Test, the windows and offscreen platform plugins and the
# Windows styles, as static libraries, so that the program is one file with
# nothing beside it to go missing. Optimised for size, every function and
# datum in a section of its own, so that linking keeps only what the program
# calls (big object files, as so many sections need).
#
# The folder's name carries a hash of this recipe (this script, the toolchain
# file, the source version, the tablet header), so a finished build is reused
# and a changed recipe builds a fresh one. Prints the folder on its last line.
#
# The source package is fetched with a private apt configuration (its own
# sources list with a deb-src entry, its own lists and cache) so the
# machine's apt sources stay as they are.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
toolchain="$root/cmake/mingw-w64.cmake"
jobs=${JOBS:-2}

# The host tools and the Windows libraries must be the same Qt release.
version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
# Debian's source leaves out the tablet (Wintab) headers the platform plugin
# includes; Wine's development headers carry free ones.
wine_headers=/usr/include/wine/wine/windows
wintab="$wine_headers/wintab.h $wine_headers/pktdef.h"

# shellcheck disable=SC2086
recipe=$(cat "$0" "$toolchain" $wintab | sha256sum | cut -c1-12)
cache=${XDG_CACHE_HOME:-$HOME/.cache}/rurozovizera
prefix="$cache/qt-windows-$version-$recipe"
if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi

work="$cache/qt-windows-work-$recipe"
rm -rf "$work" "$prefix"
mkdir -p "$work/apt/lists/partial" "$work/apt/cache/archives/partial" "$work/src"

echo "build-qt: fetching qt6-base $version" >&2
cat > "$work/apt/sources.list" <<LIST
deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian bookworm main
deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian bookworm-updates main
deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian-security bookworm-security main
LIST
apt_private() {
    apt-get -q \
        -o Dir::Etc::SourceList="$work/apt/sources.list" \
        -o Dir::Etc::SourceParts=/nonexistent \
        -o Dir::State::Lists="$work/apt/lists" \
        -o Dir::Cache="$work/apt/cache" \
        -o APT::Sandbox::User=root \
        "$@"
}
apt_private update >&2
(cd "$work/src" && apt_private source --only-source "qt6-base=$version" >&2)
source=$(find "$work/src" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)

# Wine's headers name types and functions through two macros of Wine's own
# Windows headers, and Wintab's calling convention is API; the MinGW-w64
# headers have neither, so a wrapper defines them first.
mkdir -p "$work/include/wine"
# shellcheck disable=SC2086
cp $wintab "$work/include/wine/"
cp "$work/include/wine/pktdef.h" "$work/include/pktdef.h"
cat > "$work/include/wintab.h" <<'HEADER'
#ifndef WINELIB_NAME_AW
#ifdef UNICODE
#define WINELIB_NAME_AW(name) name##W
#else
#define WINELIB_NAME_AW(name) name##A
#endif
#define DECL_WINELIB_TYPE_AW(type) typedef WINELIB_NAME_AW(type) type;
#endif
#ifndef API
#define API WINAPI
#endif
#include "wine/wintab.h"
HEADER

echo "build-qt: configuring" >&2
cmake -G Ninja -S "$source" -B "$work/build" \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DCMAKE_C_FLAGS="-ffunction-sections -fdata-sections -Wa,-mbig-obj" \
    -DCMAKE_CXX_FLAGS="-isystem $work/include -ffunction-sections -fdata-sections -Wa,-mbig-obj" \
    -DQT_HOST_PATH=/usr \
    -DBUILD_SHARED_LIBS=OFF \
    -DFEATURE_optimize_size=ON \
    -DQT_BUILD_EXAMPLES=OFF \
    -DQT_BUILD_TESTS=OFF \
    -DQT_BUILD_BENCHMARKS=OFF \
    -DFEATURE_pkg_config=OFF \
    -DFEATURE_opengl=OFF \
    -DFEATURE_dynamicgl=OFF \
    -DFEATURE_vulkan=OFF \
    -DFEATURE_direct2d=OFF \
    -DFEATURE_directwrite3=OFF \
    -DFEATURE_dbus=OFF \
    -DFEATURE_sql=OFF \
    -DFEATURE_network=OFF \
    -DFEATURE_xml=OFF \
    -DFEATURE_concurrent=OFF \
    -DFEATURE_printsupport=OFF \
    -DFEATURE_testlib=ON \
    -DFEATURE_gui=ON \
    -DFEATURE_widgets=ON \
    -DFEATURE_jpeg=OFF \
    -DFEATURE_gif=OFF \
    -DFEATURE_system_zlib=OFF \
    -DFEATURE_system_png=OFF \
    -DFEATURE_system_pcre2=OFF \
    -DFEATURE_system_harfbuzz=OFF \
    -DFEATURE_system_freetype=OFF \
    -DFEATURE_system_doubleconversion=OFF >&2

echo "build-qt: building with $jobs jobs" >&2
cmake --build "$work/build" --parallel "$jobs" >&2
cmake --install "$work/build" >&2
touch "$prefix/.complete"
rm -rf "$work"
echo "$prefix"
