#!/bin/sh
# Checks of the Windows program as shipped, run under Wine with WINEPREFIX
# set (scripts/windows/test.sh).
#   check.sh unzip ZIP FOLDER            unpack the portable zip into FOLDER
#   check.sh contents FOLDER             FOLDER holds the program and its
#                                        licences only, and the program imports
#                                        Windows' own libraries only
#   check.sh version-record FILE KIND    FILE's version record and icon; KIND gui
#                                        (the program, without a console) or installer
#   check.sh installer SETUP WINDOW_TEST a silent install for the user, the window
#                                        test on the installed program, a silent
#                                        uninstall that leaves nothing behind
set -eu

objdump=x86_64-w64-mingw32-objdump
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
ok() { echo "ok: $*"; }

# A Windows path as this machine sees it; Wine's output ends its lines with
# "\r\n".
unix_path() { winepath -u "$1" 2>/dev/null | tr -d '\r'; }
windows_variable() { wine cmd /c echo "%$1%" 2>/dev/null | tr -d '\r'; }

imports() { "$objdump" -p "$1" | sed -n 's/^[[:space:]]*DLL Name: //p'; }

# The program's files, beside each other in the folder.
shipped="licences/comic-neue.txt
licences/liberation.txt
licences/mingw-w64-runtime.txt
licences/qt.txt
licences/rurozovizera.txt
rurozovizera.exe"

case $1 in
unzip)
    rm -rf "$3"
    mkdir -p "$(dirname "$3")"
    unzip -q "$2" -d "$(dirname "$3")"
    test -f "$3/rurozovizera.exe" || fail "the zip has no RuRozovizera/rurozovizera.exe"
    ;;

contents)
    folder=$2
    system32=$(unix_path 'C:\windows\system32')
    [ -d "$system32" ] || { echo "no Wine prefix: run under scripts/windows/test.sh" >&2; exit 1; }
    found=$(cd "$folder" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
    [ "$found" = "$shipped" ] ||
        fail "the folder holds $(echo "$found" | tr '\n' ' ')instead of $(echo "$shipped" | tr '\n' ' ')"
    for library in $(imports "$folder/rurozovizera.exe"); do
        # Windows resolves its API sets by name, with no file of their own.
        case $library in
            api-ms-win-*|ext-ms-win-*) continue ;;
            lib*|Qt6*|zlib*)
                fail "the program imports $library, which is not part of Windows: it belongs linked in"
                continue
                ;;
        esac
        [ -n "$(find "$system32" -maxdepth 1 -iname "$library")" ] ||
            fail "the program imports $library, which is not part of Windows"
    done
    [ "$failures" -eq 0 ] && ok "$folder holds the program, which needs only Windows, and its licences"
    ;;

version-record)
    file=$2
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    # The strings of the version record are UTF-16; their ASCII letters
    # read plainly once the zero bytes are gone.
    wrestool -x --raw --type=16 "$file" | tr -d '\000' > "$work/version"
    for field in "ProductVersion1.00" "FileVersion1.00" "ProductNameRuRozovizera"; do
        grep -q "$field" "$work/version" || fail "$file: the version record lacks $field"
    done
    wrestool -x --type=14 "$file" > "$work/icon.ico" 2>/dev/null || true
    case $3 in
    gui)
        "$objdump" -p "$file" | grep -q '^Subsystem.*(Windows GUI)' ||
            fail "$file is not a program of the Windows GUI subsystem: it would open a console"
        # Windows reads the version numbers from the record's fixed part:
        # 1.0.0.0 as four 16-bit numbers, major and minor first.
        wrestool -x --raw --type=16 "$file" | od -An -tx1 | tr -d ' \n' |
            grep -q 'bd04effe0000010000000100000000000000010000000000' ||
            fail "$file: the version record's numbers are not 1.0.0.0"
        sizes=$(icotool -l "$work/icon.ico" | sed -n 's/.*--width=\([0-9]*\).*/\1/p' | sort -n | tr '\n' ' ')
        [ "$sizes" = "16 32 48 64 128 256 " ] ||
            fail "$file: the icon comes in the sizes $sizes, not 16 32 48 64 128 256"
        ;;
    installer)
        test -s "$work/icon.ico" || fail "$file has no icon"
        ;;
    esac
    [ "$failures" -eq 0 ] && ok "$file carries its version record and icon"
    ;;

installer)
    setup=$2
    window_test=$3
    key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\RuRozovizera'
    wine "$setup" /S
    folder=$(unix_path "$(windows_variable LOCALAPPDATA)\\Programs\\RuRozovizera")
    entry=$(unix_path "$(windows_variable APPDATA)\\Microsoft\\Windows\\Start Menu\\Programs\\RuRozovizera.lnk")
    for file in $shipped uninstall.exe; do
        test -f "$folder/$file" || fail "the install lacks $file"
    done
    test -f "$entry" || fail "the install made no Start-menu entry"
    wine reg query "$key" /v DisplayVersion 2>/dev/null | grep -q '1\.0\.0' ||
        fail "the install has no entry in the list of installed programs"
    [ "$failures" -eq 0 ] && ok "the installer installed into the user's programs folder"

    wine "$window_test" "Z:$folder/rurozovizera.exe" || fail "the installed program's window test"

    # The uninstaller copies itself away and runs from there, so the call
    # returns before it is done.
    wine "$folder/uninstall.exe" /S
    for _ in $(seq 150); do
        [ -e "$folder" ] || break
        sleep 0.2
    done
    if [ -e "$folder" ]; then
        fail "the uninstaller left $(cd "$folder" && find . | tr '\n' ' ')"
    fi
    [ -e "$entry" ] && fail "the uninstaller left the Start-menu entry"
    wine reg query "$key" >/dev/null 2>&1 && fail "the uninstaller left its registry key"
    [ "$failures" -eq 0 ] && ok "the uninstaller removed everything the installer made"
    ;;

*)
    echo "check.sh: unknown check $1" >&2
    exit 2
    ;;
esac
exit "$failures"
