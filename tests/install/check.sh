#!/bin/sh
# Checks of the installed calculator and of its Debian package.
#   check.sh fresh DIR COMMAND...  empties DIR, then runs COMMAND under
#                                  umask 000, the most permissive a builder
#                                  may have
#   check.sh files PREFIX LIST     every file of LIST lies below PREFIX
#   check.sh package DIR LIST      the package built in DIR holds every file of
#                                  LIST below /usr, depends on Qt and the
#                                  fonts, and recommends Qt's Wayland platform
#   check.sh lintian DIR           lintian finds no error or warning in the
#                                  package
#   check.sh modes DIR             every folder of the package built in DIR
#                                  is rwxr-xr-x, every file rw-r--r-- or
#                                  rwxr-xr-x
#   check.sh tree-modes PREFIX     the same for everything below PREFIX
#   check.sh hardened PROGRAM      PROGRAM is a position-independent
#                                  executable with a stack protector, its
#                                  relocations read-only and bound at start
#   check.sh no-search-path PROGRAM PROGRAM carries no library search path
#                                  (RPATH or RUNPATH)
#   check.sh starts PROGRAM        PROGRAM shows the main window (needs an X
#                                  display)
#   check.sh version-record RC     the executable's version record says
#                                  1.0.0.0 and "1.00", and the licence's
#                                  copyright
set -eu

fail() {
    echo "check: $*" >&2
    exit 1
}

# The one .deb that CPack made in a folder.
the_package() {
    set -- "$1"/*.deb
    [ $# -eq 1 ] && [ -f "$1" ] || fail "expected one package, found: $*"
    echo "$1"
}

case "$1" in
fresh)
    rm -rf "$2"
    shift 2
    umask 000
    exec "$@"
    ;;
files)
    prefix=$2
    while read -r file; do
        [ -f "$prefix/$file" ] || fail "not installed: $file"
    done <"$3"
    ;;
package)
    deb=$(the_package "$2")
    contents=$(dpkg-deb --contents "$deb" | awk '{ print $6 }')
    while read -r file; do
        printf '%s\n' "$contents" | grep -qx "\./usr/$file" || fail "not in the package: $file"
    done <"$3"
    depends=$(dpkg-deb --field "$deb" Depends)
    # libqt6gui6 holds the X11 platform the program needs.
    for needed in libqt6widgets6 libqt6gui6 fonts-comic-neue fonts-liberation2; do
        printf '%s\n' "$depends" | grep -q "$needed" || fail "the package does not depend on $needed"
    done
    dpkg-deb --field "$deb" Recommends | grep -q qt6-wayland ||
        fail "the package does not recommend qt6-wayland"
    ;;
lintian)
    lintian --fail-on error,warning "$(the_package "$2")"
    ;;
modes | tree-modes)
    if [ "$1" = modes ]; then
        entries=$(dpkg-deb --contents "$(the_package "$2")" | awk '{ print $1, $6 }')
    else
        entries=$(find "$2" -mindepth 1 -printf '%M %p\n')
    fi
    [ -n "$entries" ] || fail "nothing to check in $2"
    bad=$(printf '%s\n' "$entries" | grep -Ev '^(drwxr-xr-x|-rw-r--r--|-rwxr-xr-x) ' || true)
    [ -z "$bad" ] || fail "entries with other modes:
$bad"
    ;;
hardened)
    readelf --file-header "$2" | grep -q 'Type: *DYN' || fail "$2 is not position-independent"
    readelf --dynamic "$2" | grep -q 'FLAGS_1.*PIE' || fail "$2 is not marked PIE"
    readelf --dynamic "$2" | grep -Eq 'BIND_NOW|FLAGS_1.* NOW' || fail "$2 is not bound at start"
    readelf --program-headers "$2" | grep -q GNU_RELRO || fail "$2 has no read-only relocations"
    readelf --dyn-syms --wide "$2" | grep -q ' __stack_chk_fail' ||
        fail "$2 has no stack protector"
    ;;
no-search-path)
    if readelf --dynamic "$2" | grep -E 'R(UN)?PATH'; then
        fail "$2 carries a library search path"
    fi
    ;;
starts)
    title="RuRozovizera(Frost Figures)"
    "$2" &
    program=$!
    trap 'kill $program 2>/dev/null || true' EXIT
    tries=0
    until xwininfo -name "$title" 2>/dev/null | grep -q IsViewable; do
        tries=$((tries + 1))
        [ $tries -lt 100 ] || fail "no window \"$title\" appeared"
        kill -0 $program 2>/dev/null || fail "the program ended without showing its window"
        sleep 0.1
    done
    ;;
version-record)
    grep -q '^FILEVERSION 1,0,0,0$' "$2" || fail "file version is not 1.0.0.0"
    grep -q '^PRODUCTVERSION 1,0,0,0$' "$2" || fail "product version is not 1.0.0.0"
    [ "$(grep -c 'Version", "1.00"' "$2")" -eq 2 ] || fail "version strings are not \"1.00\""
    grep -q '"LegalCopyright", "Copyright (c) [0-9]* The RuRozovizera developers"' "$2" ||
        fail "the copyright is not the licence's"
    ;;
*)
    fail "unknown check $1"
    ;;
esac
