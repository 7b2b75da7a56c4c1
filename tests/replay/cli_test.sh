#!/bin/sh
# brontix-replay's command line: usage, files that cannot be read, and
# input no script can be made of. Each must give status 2 and one line.
REPLAY=$1
T=$(mktemp -d)
trap 'rm -rf "$T"' EXIT
fails=0
expect() {  # expect STATUS PATTERN -- command...
    status=$1 pattern=$2
    shift 3
    "$@" >"$T/out" 2>"$T/err"
    got=$?
    if [ "$got" -ne "$status" ] || ! grep -q -- "$pattern" "$T/err" || [ "$(wc -l <"$T/err")" -gt 1 ]; then
        echo "FAIL: $* -> status $got, stderr: $(head -c 300 "$T/err")"
        fails=$((fails + 1))
    fi
}
expect 2 "usage: brontix-replay" -- "$REPLAY" a b
expect 2 "cannot open '$T/missing'" -- "$REPLAY" "$T/missing"
expect 2 "cannot read '$T'" -- "$REPLAY" "$T"
head -c 4096 /dev/urandom >"$T/noise"
expect 2 "brontix-replay: line " -- "$REPLAY" "$T/noise"
printf 'dump\nmove 1e39 0\ndump\n' >"$T/range"
expect 2 "line 2: out of range" -- "$REPLAY" "$T/range"
[ "$(wc -l <"$T/out")" -eq 1 ] || { echo "FAIL: the dump before the error was not kept"; fails=$((fails + 1)); }
printf 'dump\n' | "$REPLAY" - >"$T/stdin" 2>&1 || { echo "FAIL: reading - "; fails=$((fails + 1)); }
printf 'dump' | "$REPLAY" >"$T/stdin2" 2>&1 || { echo "FAIL: reading stdin"; fails=$((fails + 1)); }
cmp -s "$T/stdin" "$T/stdin2" || { echo "FAIL: - and no argument differ"; fails=$((fails + 1)); }
awk 'BEGIN {for (i = 0; i < 3000000; i++) printf "x"; print ""}' >"$T/huge"
expect 2 "line 1: unknown command" -- "$REPLAY" "$T/huge"
echo "$fails failed"
[ "$fails" -eq 0 ]
