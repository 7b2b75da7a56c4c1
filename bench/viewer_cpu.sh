#!/bin/bash
# SPDX-FileCopyrightText: 2026 The Brontix developers
# SPDX-License-Identifier: MIT
# The desktop viewer of recordings playing at the game's own speed, beside
# the game playing Demo, in Xvfb with openbox: the process's share of one
# core over SECONDS each, PAIRS pairs back to back, medians. The viewer
# plays the recording of that very Demo game (the wall clock stands still
# for the game, libfaketime, so every run deals the same walls).
#   viewer_cpu.sh BRONTIX [PAIRS] [SECONDS]
set -u
BRONTIX=$1
PAIRS=${2:-3}
SECONDS_EACH=${3:-8}
OUT=$(mktemp -d)/viewer-cpu
fail() {
    echo "viewer_cpu: $*" >&2
    exit 1
}
source "$(dirname "$0")/../tests/e2e/x_session.sh"
source "$(dirname "$0")/cpu_share.sh"
start_x_session
RECORDING=$OUT/demo.brontix

# The game in Demo, launched, the pointer away: recorded to RECORDING when
# asked. Sets GAME.
demo() {
    BRONTIX_RECORD=${1:-/dev/null} "${FROZEN_CLOCK[@]}" "$BRONTIX" >"$OUT/game.log" 2>&1 &
    GAME=$!
    wait_for 15 'W=$(game_window $GAME); [ -n "$W" ]' || fail "no game window"
    xdotool windowactivate --sync "$W" 2>/dev/null
    xdotool key --clearmodifiers alt+n
    xdotool mousemove --window "$W" 100 10 click 1  # "Demo"
    xdotool mousemove --window "$W" 320 300 click 1  # launch
    xdotool mousemove 1270 1010
}
stop() {
    kill "$1"
    wait "$1" 2>/dev/null
}

# The recording: long enough for every pair's viewer to play it at 1x.
demo "$RECORDING"
sleep $((SECONDS_EACH + 10))
stop "$GAME"
grep -q '^menu demo$' "$RECORDING" || fail "no Demo game recorded: $(cat "$OUT/game.log")"

game=() viewer=()
for pair in $(seq "$PAIRS"); do
    demo
    sleep 2
    game+=("$(measure "$GAME")")
    stop "$GAME"
    "$BRONTIX" "$RECORDING" >"$OUT/viewer.log" 2>&1 &
    VIEWER=$!
    wait_for 15 'W=$(game_window $VIEWER); [ -n "$W" ]' || fail "no viewer window"
    xdotool windowactivate --sync "$W" key space 2>/dev/null
    xdotool mousemove 1270 1010
    sleep 1
    viewer+=("$(measure "$VIEWER")")
    stop "$VIEWER"
done
g=$(echo "${game[*]}" | median)
v=$(echo "${viewer[*]}" | median)
echo
echo "The desktop viewer at 1x beside the game in Demo, Xvfb: % of one core, median of $PAIRS pairs of ${SECONDS_EACH} s"
printf '%-58s %8s %8s\n' "state" "CPU %" "goal"
printf '%-58s %8s %8s\n' "the game, Demo playing" "$g" ""
printf '%-58s %8s %8s\n' "the viewer, playing its recording at 1x" "$v" \
    "$(awk -v g="$g" 'BEGIN {a = 1.5 * g; b = g + 0.5; printf "< %.3f", (a > b ? a : b)}')"
