#!/bin/bash
# SPDX-FileCopyrightText: 2026 The Brontix developers
# SPDX-License-Identifier: MIT
# The Windows game under Wine beside the Linux window, in one Xvfb with
# openbox: each one's share of one core paused, running with nothing on
# screen changing (a ball held on the paddle, the pointer still) and in
# Demo, median of RUNS runs of SECONDS each. Under Wine the Windows
# program's own process is measured, and Wine's server beside it (it
# carries the program's messages and timers). For information: Wine is not
# Windows (see the README).
#   windows_cpu.sh BRONTIX BRONTIX_EXE [RUNS] [SECONDS]
set -u
BRONTIX=$1
EXE=$2
RUNS=${3:-3}
SECONDS_EACH=${4:-10}
OUT=$(mktemp -d)/windows-cpu
fail() {
    echo "windows_cpu: $*" >&2
    exit 1
}
HERE=$(dirname "$0")
source "$HERE/../tests/e2e/x_session.sh"
start_x_session
source "$HERE/cpu_share.sh"
WINE_SH=$HERE/../tests/windows/wine.sh
PREFIX=$OUT/wine-prefix
sh "$WINE_SH" --prefix "$PREFIX" || fail "no Wine prefix"
trap 'sh "$WINE_SH" --stop "$PREFIX"; cleanup' EXIT
SERVER=$(pgrep -n -f "^/usr/lib/wine/wineserver") || fail "no Wine server"

# Plays one game in the three states: "$@" starts it; prints paused, held,
# Demo and the Wine server's share in each. The game's process is the job's,
# or under Wine the newest whose command line names the program (the job is
# the time limit around Wine).
states() {
    "$@" >"$OUT/game.log" 2>&1 &
    local job=$! w= game=$!
    wait_for 60 'w=$(xdotool search --onlyvisible --name "^Brontix" 2>/dev/null | head -1); [ -n "$w" ]' ||
        fail "no game window"
    [[ "$*" == *.exe* ]] && game=$(pgrep -n -f 'brontix\.exe')
    xdotool windowactivate --sync "$w" >/dev/null 2>&1
    xdotool key --clearmodifiers alt+n
    xdotool mousemove --window "$w" 320 300
    sleep 1
    local held server_held paused server_paused demo server_demo
    server_held=$(cpu_ns "$SERVER"); held=$(measure $game); server_held=$(share_since "$SERVER" "$server_held")
    xdotool windowactivate --sync "$w" >/dev/null 2>&1
    xdotool type p
    wait_for 10 '[ "$(xdotool getwindowname "$w")" = "Brontix [Paused]" ]' || fail "no pause"
    sleep 1
    server_paused=$(cpu_ns "$SERVER"); paused=$(measure $game); server_paused=$(share_since "$SERVER" "$server_paused")
    xdotool type p
    xdotool mousemove --window "$w" 100 10 click 1  # "Demo"
    xdotool mousemove --window "$w" 320 300 click 1  # launch
    xdotool mousemove 1270 1010
    sleep 2
    server_demo=$(cpu_ns "$SERVER"); demo=$(measure $game); server_demo=$(share_since "$SERVER" "$server_demo")
    kill "$game" "$job" 2>/dev/null
    wait "$job" 2>/dev/null
    echo "$paused $held $demo $server_paused $server_held $server_demo"
}
# The server's share of one core since CPU time C0, over SECONDS_EACH.
share_since() { awk -v c="$(($(cpu_ns "$1") - $2))" -v t="$SECONDS_EACH" 'BEGIN {printf "%.3f", c / t / 1e7}'; }

linux=() windows=()
for _ in $(seq "$RUNS"); do
    linux+=("$(states "${FROZEN_CLOCK[@]}" "$BRONTIX")")
    windows+=("$(states sh "$WINE_SH" "$PREFIX" "$EXE")")
done
column() { printf '%s\n' "$@" | awk -v n="$COL" '{print $n}' | tr '\n' ' ' | median; }
echo
echo "The game window: % of one core, median of $RUNS runs of ${SECONDS_EACH} s"
printf '%-32s %10s %14s %14s\n' "state" "Linux (Qt)" "Windows, Wine" "Wine's server"
for i in 1 2 3; do
    name=$(echo "paused (p)|running, nothing changes|Demo playing" | cut -d'|' -f"$i")
    COL=$i; l=$(column "${linux[@]}"); COL=$i; w=$(column "${windows[@]}"); COL=$((i + 3)); s=$(column "${windows[@]}")
    printf '%-32s %10s %14s %14s\n' "$name" "$l" "$w" "$s"
done
