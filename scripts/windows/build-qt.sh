#!/bin/sh
# Builds Qt for 64-bit Windows from Debian's own qt6-base source package with
# Debian's MinGW-w64 cross compiler, against the host's Qt tools, and installs
# it into a cache folder outside the clone. Only what the calculator needs:
# Core, Gui, Widgets, Test, the windows platform plugin and the Windows styles.
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
# Debian's source leaves out the tablet (Wintab) header the platform plugin
# includes; Wine's development headers carry a free one.
wintab=/usr/include/wine/wine/windows/wintab.h

recipe=$(cat "$0" "$toolchain" "$wintab" | sha256sum | cut -c1-12)
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

mkdir -p "$work/include"
cp "$wintab" "$work/include/wintab.h"

echo "build-qt: configuring" >&2
cmake -G Ninja -S "$source" -B "$work/build" \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DCMAKE_CXX_FLAGS="-isystem $work/include" \
    -DQT_HOST_PATH=/usr \
    -DBUILD_SHARED_LIBS=ON \
    -DQT_BUILD_EXAMPLES=OFF \
    -DQT_BUILD_TESTS=OFF \
    -DQT_BUILD_BENCHMARKS=OFF \
    -DFEATURE_pkg_config=OFF \
    -DFEATURE_opengl=OFF \
    -DFEATURE_vulkan=OFF \
    -DFEATURE_direct2d=OFF \
    -DFEATURE_dbus=OFF \
    -DFEATURE_sql=OFF \
    -DFEATURE_network=OFF \
    -DFEATURE_xml=OFF \
    -DFEATURE_concurrent=OFF \
    -DFEATURE_printsupport=OFF \
    -DFEATURE_testlib=ON \
    -DFEATURE_gui=ON \
    -DFEATURE_widgets=ON \
    -DFEATURE_sql=OFF \
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
