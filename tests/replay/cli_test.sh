#!/bin/bash
# SPDX-FileCopyrightText: 2026 The Brontix developers
# SPDX-License-Identifier: MIT
# brontix-replay's command line: usage, files that cannot be read or
# written, input no script can be made of, and the frame. Each failure must
# give status 2 and one line. Run on the native program, or on the
# WebAssembly one (which opens no files: only standard input and output), or
# the Windows one under Wine.
#   cli_test.sh REPLAY...      (the command, e.g. node replay.mjs brontix-replay.wasm)
REPLAY=("$@")
T=$(mktemp -d)
trap 'rm -rf "$T"' EXIT
WASM=0 WINDOWS=0
[[ "${REPLAY[*]}" == *.wasm* ]] && WASM=1
[[ "${REPLAY[*]}" == *.exe* ]] && WINDOWS=1
fails=0
# Said on the test's own output, whatever a check's redirections.
exec 3>&1
bad() { echo "FAIL: $*" >&3; fails=$((fails + 1)); }
expect() {  # expect STATUS PATTERN -- command... (stdin and stdout as the caller redirects)
    local status=$1 pattern=$2
    shift 3
    "$@" 2>"$T/err"
    local got=$?
    if [ "$got" -ne "$status" ] || ! grep -q -- "$pattern" "$T/err" || [ "$(wc -l <"$T/err")" -gt 1 ]; then
        bad "$* -> status $got, stderr: $(head -c 300 "$T/err")"
    fi
}
expect 2 "usage: brontix-replay" -- "${REPLAY[@]}" a b </dev/null >/dev/null
expect 2 "usage: brontix-replay" -- "${REPLAY[@]}" --frame </dev/null >/dev/null
expect 2 "usage: brontix-replay" -- "${REPLAY[@]}" --verbose </dev/null >/dev/null
expect 2 "cannot open '$T/missing'" -- "${REPLAY[@]}" "$T/missing" </dev/null >/dev/null

# Reads that fail part way, and writes that fail.
expect 2 "cannot read standard input" -- "${REPLAY[@]}" <"$T" >/dev/null
printf 'dump\n' | expect 2 "cannot write" -- "${REPLAY[@]}" >/dev/full
if [ "$WASM" -eq 0 ]; then
    # (node puts /dev/null where standard input was closed, before any
    # script of its own runs, so only the native program can see it.)
    expect 2 "cannot read standard input" -- "${REPLAY[@]}" <&- >/dev/null
    expect 2 "cannot read '/proc/self/mem'" -- "${REPLAY[@]}" /proc/self/mem >/dev/null
    # Windows will not open a folder as a file at all.
    if [ "$WINDOWS" -eq 0 ]; then
        expect 2 "cannot read '$T': Is a directory" -- "${REPLAY[@]}" "$T" >/dev/null
    else
        expect 2 "cannot open '$T': Permission denied" -- "${REPLAY[@]}" "$T" >/dev/null
    fi
fi

# Lines: a script error keeps the dumps before it; no line may pass 1 MiB,
# and finding one does not read on (standard input is endless here).
head -c 4096 /dev/urandom >"$T/noise"
expect 2 "brontix-replay: line " -- "${REPLAY[@]}" <"$T/noise" >/dev/null
printf 'dump\nmove 1e39 0\ndump\n' >"$T/range"
expect 2 "line 2: out of range" -- "${REPLAY[@]}" <"$T/range" >"$T/out"
[ "$(wc -l <"$T/out")" -eq 1 ] || bad "the dump before the error was not kept"
expect 2 "line 1: line too long" -- timeout 20 "${REPLAY[@]}" </dev/zero >/dev/null
{ printf '#'; head -c 1048575 /dev/zero | tr '\0' x; printf '\r\ndump\n'; } >"$T/longest"
"${REPLAY[@]}" <"$T/longest" >"$T/out" 2>"$T/err" && [ "$(wc -l <"$T/out")" -eq 1 ] ||
    bad "a line of 1048576 bytes and a carriage return: $(cat "$T/err")"
{ printf 'dump\n#'; head -c 1048576 /dev/zero | tr '\0' x; printf '\n'; } >"$T/longer"
expect 2 "line 2: line too long" -- "${REPLAY[@]}" <"$T/longer" >/dev/null
printf 'dump\r\r\n' | expect 2 'line 1: unknown command "dump?"' -- "${REPLAY[@]}" >/dev/null
printf 'dump\n' | "${REPLAY[@]}" - >"$T/stdin" 2>&1 || bad "reading -"
printf 'dump' | "${REPLAY[@]}" >"$T/stdin2" 2>&1 || bad "reading stdin"
cmp -s "$T/stdin" "$T/stdin2" || bad "- and no argument differ"

# The frame: a P6 picture of the playfield after the dumps, and none after
# a script error.
printf 'clock 5\ndump\n' | "${REPLAY[@]}" --frame - >"$T/both" || bad "--frame -"
head -1 "$T/both" | grep -q '^{"tick":0' || bad "the dump does not come first"
tail -c +"$(($(head -1 "$T/both" | wc -c) + 1))" "$T/both" >"$T/frame.ppm"
[ "$(head -c 15 "$T/frame.ppm")" = "$(printf 'P6\n640 530\n255\n')" ] || bad "not a 640 x 530 P6 picture"
[ "$(wc -c <"$T/frame.ppm")" -eq $((15 + 640 * 530 * 3)) ] || bad "the frame is $(wc -c <"$T/frame.ppm") bytes"
printf 'clock 5\nbogus\n' | "${REPLAY[@]}" --frame - >"$T/none" 2>/dev/null
[ ! -s "$T/none" ] || bad "a frame after a script error"
# At a scale the picture has round(640 S) x round(530 S) pixels, halfway
# to the even one (530 x 1.25 is 662.5); a scale without a frame, or out of
# a quarter to four, is a usage error.
for pair in "1.5 960 795" "1.25 800 662" "15e-1 960 795" "3 1920 1590"; do
    read -r scale w h <<<"$pair"
    printf 'clock 5\n' | "${REPLAY[@]}" --frame - --scale "$scale" 2>/dev/null | head -c 20 >"$T/head"
    [ "$(head -2 "$T/head")" = "$(printf 'P6\n%s %s' "$w" "$h")" ] || bad "--scale $scale gives $(head -2 "$T/head" | tr '\n' ' ')"
done
for scale in 0.2 4.01 abc 1.5x -2 ''; do
    expect 2 "usage: brontix-replay" -- "${REPLAY[@]}" --frame - --scale "$scale" </dev/null >/dev/null
done
expect 2 "usage: brontix-replay" -- "${REPLAY[@]}" --scale 2 </dev/null >/dev/null
if [ "$WASM" -eq 0 ]; then
    printf 'clock 5\n' | "${REPLAY[@]}" --frame "$T/file.ppm" || bad "--frame FILE"
    tail -c +16 "$T/file.ppm" | cmp -s - <(tail -c +16 "$T/frame.ppm") || bad "--frame FILE differs from --frame -"
    printf 'clock 5\n' | expect 2 "cannot write the frame to '$T/no/such.ppm'" -- "${REPLAY[@]}" --frame "$T/no/such.ppm"
fi
# Checks: a replay that does not reach the recorded state stops at the
# check, printing nothing more; --verify says what a replay proves.
printf '# a comment first\nformat 1\nclock 7\nmenu new\ntick 300\ncheck 0000000000000000\ndump\n' >"$T/wrong"
expect 3 "^brontix-replay: line 6: out of sync (recorded 0000000000000000, replayed [0-9a-f]\{16\})$" -- \
    "${REPLAY[@]}" <"$T/wrong" >"$T/out"
[ ! -s "$T/out" ] || bad "a dump after the check that failed"
hash=$(sed -n 's/.*replayed \([0-9a-f]*\))$/\1/p' "$T/err")
sed "s/0000000000000000/$hash/" "$T/wrong" >"$T/right"
"${REPLAY[@]}" --verify <"$T/right" >"$T/out" 2>"$T/err"
status=$?
[ "$status" -eq 0 ] && grep -qx "verified: 1 checks, 300 ticks, score 0, won 0, lost 0" "$T/out" ||
    bad "--verify: status $status, $(cat "$T/out" "$T/err")"
printf 'clock 7\ntick 5\ndump\n' | "${REPLAY[@]}" --verify >"$T/out" 2>"$T/err"
status=$?
[ "$status" -eq 3 ] && [ "$(cat "$T/out")" = "unverified: no check" ] ||
    bad "--verify without checks: status $status, $(cat "$T/out" "$T/err")"
expect 3 "line 6: out of sync" -- "${REPLAY[@]}" --verify <"$T/wrong" >/dev/null
printf 'clock 7\nformat 1\n' | expect 2 "line 2: format is allowed only as the first command" -- "${REPLAY[@]}" >/dev/null
printf 'format 2\n' | expect 2 "line 1: format 2 is not known to this version" -- "${REPLAY[@]}" >/dev/null
printf 'check 0123456789ABCDEF\n' | expect 2 "line 1: not a hash" -- "${REPLAY[@]}" >/dev/null
expect 2 "usage: brontix-replay" -- "${REPLAY[@]}" --verify --frame - </dev/null >/dev/null
echo "$fails failed"

# What the WebAssembly program cannot meet: a reader that goes away, a
# non-blocking standard input with nothing in it yet, and memory running out
# (tried only in a build without the sanitizers, which reserve address space
# of their own).
if [ "$WASM" -eq 0 ]; then
    yes dump | head -5000 >"$T/dumps"
    "${REPLAY[@]}" "$T/dumps" 2>"$T/err" | head -c1 >/dev/null
    status=${PIPESTATUS[0]}
    [ "$status" -eq 2 ] && [ "$(cat "$T/err")" = "brontix-replay: cannot write to standard output: Broken pipe" ] ||
        bad "a reader gone: status $status, $(head -c 300 "$T/err")"
    { sleep 1; echo dump; } | python3 -c 'import fcntl, os, sys
fcntl.fcntl(0, fcntl.F_SETFL, fcntl.fcntl(0, fcntl.F_GETFL) | os.O_NONBLOCK)
os.execvp(sys.argv[1], sys.argv[1:])' "${REPLAY[@]}" >"$T/out" 2>"$T/err" && [ "$(wc -l <"$T/out")" -eq 1 ] ||
        bad "a non-blocking standard input: $(head -c 300 "$T/err")"
fi
# Memory running out (30 million random values queued, 120 MB): natively
# under a limit of 100 MB, in WebAssembly the driver built with 64 MiB at
# most; either says so in one line, status 2. (Tried only without the
# sanitizers, which reserve address space of their own, and not under Wine,
# which cannot start within such a limit.)
if [ -z "${BRONTIX_SANITIZED:-}" ] && [ "$WINDOWS" -eq 0 ]; then
    line="random$(printf ' 0.5%.0s' $(seq 1000))"
    for _ in $(seq 30000); do echo "$line"; done >"$T/randoms"
    if [ "$WASM" -eq 0 ]; then
        (ulimit -v 100000 && exec "${REPLAY[@]}" "$T/randoms") >/dev/null 2>"$T/err"
    else
        SMALL=("${REPLAY[@]}")
        SMALL[-1]=${SMALL[-1]/brontix-replay.wasm/brontix-replay-small.wasm}
        "${SMALL[@]}" <"$T/randoms" >/dev/null 2>"$T/err"
    fi
    status=$?
    [ "$status" -eq 2 ] && [ "$(cat "$T/err")" = "brontix-replay: out of memory" ] ||
        bad "memory ran out: status $status, $(head -c 300 "$T/err")"
fi
[ "$fails" -eq 0 ]
