#!/bin/sh
# Checks of the Windows program as shipped, run under Wine with WINEPREFIX
# set (scripts/windows/test.sh).
#   check.sh unzip ZIP FOLDER            unpack the portable zip into FOLDER
#   check.sh contents FOLDER             FOLDER holds the program and its
#                                        licences only, and the program imports
#                                        Windows' own libraries only
#   check.sh version-record FILE KIND    FILE's version record and icon; KIND gui
#                                        (the program, without a console),
#                                        installer or uninstaller
#   check.sh installer SETUP WINDOW_TEST a silent install for the user, the window
#                                        test on the installed program, a silent
#                                        uninstall that leaves nothing behind
#   check.sh uninstall-running SETUP WINDOW_TEST
#                                        a silent uninstall while the installed
#                                        program runs closes it and leaves nothing
#   check.sh upgrade-running SETUP WINDOW_TEST FOLDER
#                                        a silent install over an older install
#                                        that runs closes it and replaces every
#                                        file with the one in FOLDER (the
#                                        portable copy of the same build)
set -eu

objdump=x86_64-w64-mingw32-objdump
strings=x86_64-w64-mingw32-strings
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
ok() { echo "ok: $*"; }

work=$(mktemp -d)
program=
cleanup() {
    # A program a check started and did not see end would outlive it.
    if [ -n "$program" ] && [ -e "$work/pid" ] && [ ! -e "$work/status" ]; then
        kill "$(cat "$work/pid")" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

# A Windows path as this machine sees it; Wine's output ends its lines with
# "\r\n".
unix_path() { winepath -u "$1" 2>/dev/null | tr -d '\r'; }
windows_variable() { wine cmd /c echo "%$1%" 2>/dev/null | tr -d '\r'; }

imports() { "$objdump" -p "$1" | sed -n 's/^[[:space:]]*DLL Name: //p'; }

# The value of one field of FILE's version record. The record's strings are
# UTF-16, each key followed by its value.
record_field() {
    wrestool -x --raw --type=16 "$1" | "$strings" -el -n 1 |
        awk -v key="$2" 'previous == key { print; exit } { previous = $0 }'
}

# The licence's copyright line, which every version record carries.
copyright=$(grep -m1 '^Copyright ' "$(dirname "$0")/../../LICENSE")

# The program's files, beside each other in the folder.
shipped="licences/comic-neue.txt
licences/liberation.txt
licences/mingw-w64-runtime.txt
licences/qt.txt
licences/rurozovizera.txt
rurozovizera.exe"

key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\RuRozovizera'
installed_folder() { unix_path "$(windows_variable LOCALAPPDATA)\\Programs\\RuRozovizera"; }
start_entry() {
    unix_path "$(windows_variable APPDATA)\\Microsoft\\Windows\\Start Menu\\Programs\\RuRozovizera.lnk"
}
registry_value() {
    wine reg query "$key" /v "$1" 2>/dev/null | tr -d '\r' | awk -v name="$1" '$1 == name { print $3 }'
}

# A silent install: the program, its licences and the uninstaller in the
# user's programs folder, a Start-menu entry, and an entry in the list of
# installed programs whose size is that of the files installed, in KB.
check_installed() {
    for file in $shipped uninstall.exe; do
        test -f "$folder/$file" || fail "the install lacks $file"
    done
    test -f "$entry" || fail "the install made no Start-menu entry"
    [ "$(registry_value DisplayVersion)" = 1.0.0 ] ||
        fail "the install has no entry in the list of installed programs"
    bytes=$(find "$folder" -type f -printf '%s\n' | awk '{ total += $1 } END { print total }')
    size=$(registry_value EstimatedSize)
    [ -n "$size" ] && [ "$((size))" -eq "$((bytes / 1024))" ] ||
        fail "the installed size is ${size:-missing}, not $((bytes / 1024)) KB"
}

# Starts the installed program and waits for its main window; its exit
# status goes to $work/status once it ends.
start_program() {
    rm -f "$work/status"
    program="$folder/rurozovizera.exe"
    (
        wine "$program" >/dev/null 2>&1 &
        echo $! >"$work/pid"
        status=0
        wait $! || status=$?
        echo "$status" >"$work/status"
    ) >/dev/null 2>&1 &
    wine "$window_test" --main-window || fail "the installed program did not start"
}

# The program started by start_program was closed, as a user closes it.
check_closed() {
    for _ in $(seq 150); do
        [ -e "$work/status" ] && break
        sleep 0.2
    done
    if [ ! -e "$work/status" ]; then
        fail "$1 left the program running"
    elif [ "$(cat "$work/status")" -ne 0 ]; then
        fail "the program ended with status $(cat "$work/status"), not as closed"
    fi
}

# A silent uninstall, which leaves nothing behind. The uninstaller copies
# itself away and runs from there, so the call returns before it is done.
uninstall() {
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
    return 0
}

# A silent install of $setup for the user; $folder and $entry are then
# where it put the program and its Start-menu entry.
install_silently() {
    wine "$setup" /S || fail "$1 failed"
    folder=$(installed_folder)
    entry=$(start_entry)
}

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
    for field in "ProductVersion 1.00" "FileVersion 1.00" "ProductName RuRozovizera" \
        "CompanyName The RuRozovizera developers" "LegalCopyright $copyright"; do
        [ "$(record_field "$file" "${field%% *}")" = "${field#* }" ] ||
            fail "$file: the version record's ${field%% *} is not \"${field#* }\""
    done
    case $3 in
        gui) description=RuRozovizera ;;
        installer) description="RuRozovizera installer" ;;
        uninstaller) description="RuRozovizera uninstaller" ;;
    esac
    [ "$(record_field "$file" FileDescription)" = "$description" ] ||
        fail "$file: the version record's FileDescription is not \"$description\""
    wrestool -x --type=14 "$file" >"$work/icon.ico" 2>/dev/null || true
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
    *)
        test -s "$work/icon.ico" || fail "$file has no icon"
        ;;
    esac
    [ "$failures" -eq 0 ] && ok "$file carries its version record and icon"
    ;;

installer)
    setup=$2
    window_test=$3
    install_silently "the installer"
    check_installed
    [ "$failures" -eq 0 ] && ok "the installer installed into the user's programs folder"

    wine "$window_test" "Z:$folder/rurozovizera.exe" || fail "the installed program's window test"

    uninstall
    [ "$failures" -eq 0 ] && ok "the uninstaller removed everything the installer made"
    ;;

uninstall-running)
    setup=$2
    window_test=$3
    install_silently "the installer"
    start_program
    uninstall
    check_closed "the uninstaller"
    [ "$failures" -eq 0 ] && ok "the uninstaller closed the running program and removed everything"
    ;;

upgrade-running)
    setup=$2
    window_test=$3
    new=$4
    install_silently "the first install"
    # Every installed file made to differ from the installer's, as an older
    # version's would; the program still runs with bytes added at its end.
    for file in $shipped; do
        printf 'older' >>"$folder/$file"
    done
    start_program
    status=0
    wine "$setup" /S || status=$?
    [ "$status" -eq 0 ] || fail "the install over the running program ended with status $status"
    check_closed "the installer"
    for file in $shipped; do
        cmp -s "$folder/$file" "$new/$file" || fail "the install over the running program kept the older $file"
    done
    check_installed
    [ "$failures" -eq 0 ] && ok "the installer closed the running program and replaced every file"
    uninstall
    [ "$failures" -eq 0 ] && ok "the uninstaller removed everything the installers made"
    ;;

*)
    echo "check.sh: unknown check $1" >&2
    exit 2
    ;;
esac
exit "$failures"
