#!/bin/sh
# The key driver's command line: --help and --version answer on standard
# output with status 0, anything else is refused with status 2, and a
# terminal on standard input gets a one-line hint on standard error.
#   options_test.sh DRIVER VERSION WORK
set -u

driver=$1
version=$2
work=$3
mkdir -p "$work"
passed=0
failed=0

# expect NAME STATUS OUT ERR: the last run ended with STATUS, its standard
# output's first line is OUT and its standard error is ERR (both exactly).
expect() {
    out=$(head -n 1 "$work/out")
    err=$(cat "$work/err")
    if [ "$status" -eq "$2" ] && [ "$out" = "$3" ] && [ "$err" = "$4" ]; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        printf 'FAIL: %s: status %s, standard output:\n%s\nstandard error:\n%s\n' \
            "$1" "$status" "$(cat "$work/out")" "$err"
    fi
}

"$driver" --help </dev/null >"$work/out" 2>"$work/err"
status=$?
expect "--help" 0 "Usage: rurozovizera-keys [--help | --version]" ""
# The usage names every key.
grep -qx '  0 1 2 3 4 5 6 7 8 9 \. TT + - \* / ^ Sqrt % = M+ MRC MC C' "$work/out" ||
    { failed=$((failed + 1)); echo "FAIL: --help does not list the keys"; }

"$driver" --version </dev/null >"$work/out" 2>"$work/err"
status=$?
expect "--version" 0 "rurozovizera-keys $version" ""

refused=': the commands come on standard input (see --help)'
"$driver" --bogus </dev/null >"$work/out" 2>"$work/err"
status=$?
expect "an unknown option" 2 "" "rurozovizera-keys: unknown option \"--bogus\"$refused"

"$driver" keys.txt </dev/null >"$work/out" 2>"$work/err"
status=$?
expect "an argument" 2 "" "rurozovizera-keys: takes no arguments, not \"keys.txt\"$refused"

# From a file or a pipe the driver says nothing but its reports.
printf '7\n' | "$driver" >"$work/out" 2>"$work/err"
status=$?
expect "a pipe" 0 "$(printf '7\n' | "$driver" 2>/dev/null)" ""

# On a terminal (script gives the driver one), the hint comes first; Ctrl+D
# ends the input. The terminal shows the typed line, the hint and the report.
printf '7\n\004' | script -qec "$driver" /dev/null | tr -d '\r' >"$work/terminal"
status=$?
if [ "$status" -eq 0 ] &&
    sed -n 2p "$work/terminal" | grep -qx 'rurozovizera-keys: reading commands from the terminal, one a line (--help lists them); Ctrl+D ends' &&
    sed -n 3p "$work/terminal" | grep -q '^{"key":"7","primary":"7"'; then
    passed=$((passed + 1))
else
    failed=$((failed + 1))
    printf 'FAIL: on a terminal: status %s, the terminal showed:\n%s\n' \
        "$status" "$(cat "$work/terminal")"
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
