#!/bin/bash
# SPDX-FileCopyrightText: 2026 The Brontix developers
# SPDX-License-Identifier: MIT
# Every recording here replays to the very state and picture it replayed to
# when its hashes were taken: any change to an outcome of the game, however
# small, fails with the recording's name. A deliberate change of behaviour
# updates the hashes in the same commit (--update) and says why.
#   check.sh [--update] REPLAY [ARGUMENT...]
# REPLAY is the replay driver's command (the native one, or node running
# the WebAssembly one), which reads the script on standard input.
set -u
here=$(dirname "$0")
hashes=$here/hashes.txt
update=false
if [ "${1:-}" = --update ]; then update=true; shift; fi
[ $# -ge 1 ] || { echo "usage: check.sh [--update] REPLAY [ARGUMENT...]" >&2; exit 2; }
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# NAME DUMP FRAME: the SHA-256 of the final dump line and of the --frame PPM.
measure() {
    local name=$1
    shift
    { cat "$here/$name.txt"; printf 'dump\n'; } | "$@" --frame - >"$tmp/out" 2>"$tmp/err" ||
        { echo "FAIL: $name does not replay: $(cat "$tmp/err")"; return 1; }
    local dump frame
    dump=$(head -n 1 "$tmp/out" | sha256sum | cut -c1-64)
    frame=$(tail -n +2 "$tmp/out" | sha256sum | cut -c1-64)
    echo "$name $dump $frame"
}

fails=0 checked=0
if $update; then
    : >"$tmp/new"
    for f in "$here"/*.txt; do
        name=$(basename "$f" .txt)
        [ "$name" = hashes ] && continue
        measure "$name" "$@" >>"$tmp/new" || exit 1
    done
    { grep '^#' "$hashes"; cat "$tmp/new"; } >"$tmp/hashes" && mv "$tmp/hashes" "$hashes"
    cat "$hashes"
    exit 0
fi
while read -r name dump frame; do
    case "$name" in ''|'#'*) continue ;; esac
    checked=$((checked + 1))
    got=$(measure "$name" "$@") || { echo "$got"; fails=$((fails + 1)); continue; }
    read -r _ gotDump gotFrame <<<"$got"
    [ "$gotDump" = "$dump" ] || { echo "FAIL: $name replays to another state (dump $gotDump)"; fails=$((fails + 1)); }
    [ "$gotFrame" = "$frame" ] || { echo "FAIL: $name replays to another picture (frame $gotFrame)"; fails=$((fails + 1)); }
done <"$hashes"
[ "$checked" -gt 0 ] || { echo "FAIL: no recordings in $hashes"; exit 1; }
echo "$checked recordings: $((checked * 2 - fails)) passed, $fails failed"
[ "$fails" -eq 0 ]
