#!/bin/sh
# The key driver never reports success when its output was lost or its input
# could not be read: each case below must end with exit status 1 (or, for a
# pipe whose reader is gone, at least not with 0) and a message on standard
# error.
#   output_failures.sh DRIVER WORK
set -u

driver=$1
work=$2
mkdir -p "$work"
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# expect NAME STATUS [MESSAGE]: the last run ended with STATUS and its
# standard error, in $work/err, holds MESSAGE, or is empty without one.
expect() {
    if [ "$status" -ne "$2" ]; then
        fail "$1: exit status $status, expected $2"
    elif [ $# -lt 3 ] && [ -s "$work/err" ]; then
        fail "$1: $(cat "$work/err")"
    elif [ $# -ge 3 ] && ! grep -qF "$3" "$work/err"; then
        fail "$1: standard error lacks \"$3\": $(cat "$work/err")"
    else
        echo "ok: $1"
    fi
}

# Enough keys that their reports overflow any pipe's buffer.
i=0
while [ $i -lt 5000 ]; do
    echo 7
    i=$((i + 1))
done >"$work/many.keys"
printf '1\n+\n2\n=\n' >"$work/few.keys"

"$driver" <"$work/few.keys" >/dev/full 2>"$work/err"
status=$?
expect "a full disk" 1 "cannot write standard output: No space left on device"

# A pipe whose reader has gone, with SIGPIPE ignored: the write fails with
# EPIPE. The reader leaves before it reads anything.
(
    trap '' PIPE
    "$driver" <"$work/many.keys" 2>"$work/err"
    echo $? >"$work/status"
) | true
status=$(cat "$work/status")
expect "a closed pipe, SIGPIPE ignored" 1 "cannot write standard output: Broken pipe"

# With SIGPIPE at its default the signal may end the driver at once; either
# way it must not exit with 0.
(
    "$driver" <"$work/many.keys" 2>"$work/err"
    echo $? >"$work/status"
) | true
status=$(cat "$work/status")
if [ "$status" -eq 0 ]; then
    fail "a closed pipe: exit status 0"
else
    echo "ok: a closed pipe ($status)"
fi

"$driver" <"$work/few.keys" >&- 2>"$work/err"
status=$?
expect "standard output closed" 1 "cannot write standard output: Bad file descriptor"

"$driver" </ >/dev/null 2>"$work/err"
status=$?
expect "standard input unreadable" 1 "cannot read standard input"

# Nothing lost: a written file and an empty input with nothing to write.
"$driver" <"$work/few.keys" >"$work/out" 2>"$work/err"
status=$?
expect "a plain run" 0
[ "$(wc -l <"$work/out")" -eq 4 ] || fail "a plain run wrote $(wc -l <"$work/out") lines, not 4"
"$driver" </dev/null >&- 2>"$work/err"
status=$?
expect "no input, standard output closed" 0

[ $failures -eq 0 ]
