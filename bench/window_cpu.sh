#!/bin/bash
# SPDX-FileCopyrightText: 2026 The Brontix developers
# SPDX-License-Identifier: MIT
# The windowed game's share of one core in Xvfb with openbox, in the three
# states that matter for energy: paused, running with nothing on screen
# changing (a ball held on the paddle, the pointer still), and Demo playing.
# Prints one table of medians over RUNS runs of SECONDS each, at each scale
# factor of SCALES (QT_SCALE_FACTOR; "1 2 3" unless set).
#
# Every run plays the same game: the system clock the walls are dealt from
# stands still at one moment for the game (libfaketime; the monotonic clock
# the pace runs on is left alone), so Demo plays the same walls, capsules
# and balls each time and only the machine varies.
#   window_cpu.sh BRONTIX [RUNS] [SECONDS]
set -u
BRONTIX=$1
RUNS=${2:-5}
SECONDS_EACH=${3:-10}
OUT=$(mktemp -d)/window-cpu
fail() {
    echo "window_cpu: $*" >&2
    exit 1
}
SCALES=${SCALES:-1 2 3}
source "$(dirname "$0")/../tests/e2e/x_session.sh"
XVFB_SCREEN=2560x2048x24 start_x_session

source "$(dirname "$0")/cpu_share.sh"

[ "$RUNS" -ge 1 ] || fail "RUNS must be 1 or more"
rows=()
for scale in $SCALES; do
    paused=() held=() demo=()
    # Window coordinates in the screen's pixels.
    at() { echo $(($1 * scale)) $(($2 * scale)); }
    for run in $(seq "$RUNS"); do
        QT_SCALE_FACTOR=$scale "${FROZEN_CLOCK[@]}" "$BRONTIX" >"$OUT/brontix-$run.log" 2>&1 &
        GAME=$!
        wait_for 15 'W=$(game_window $GAME); [ -n "$W" ]' ||
            fail "no game window"
        xdotool windowactivate --sync "$W" 2>/dev/null
        xdotool key --clearmodifiers alt+n
        xdotool mousemove --window "$W" $(at 320 300)
        sleep 1
        held+=("$(measure $GAME)")
        xdotool type p
        wait_for 5 '[ "$(xdotool getwindowname "$W")" = "Brontix [Paused]" ]' || fail "no pause"
        sleep 1
        paused+=("$(measure $GAME)")
        xdotool type p
        xdotool mousemove --window "$W" $(at 100 10) click 1  # "Demo"
        xdotool mousemove --window "$W" $(at 320 300) click 1  # launch
        xdotool mousemove 2550 2040
        sleep 2
        demo+=("$(measure $GAME)")
        kill "$GAME"
        wait "$GAME" 2>/dev/null
    done
    rows+=("$(printf '%-58s %8s %8s' "paused (p), scale $scale" "$(echo "${paused[*]}" | median)" "< 0.05")")
    rows+=("$(printf '%-58s %8s %8s' "running, nothing changes, scale $scale" "$(echo "${held[*]}" | median)" "< 0.3")")
    rows+=("$(printf '%-58s %8s %8s' "Demo playing, scale $scale" "$(echo "${demo[*]}" | median)" "< 1")")
done

echo
echo "The windowed game in Xvfb: % of one core, median of $RUNS runs of ${SECONDS_EACH} s"
printf '%-58s %8s %8s\n' "state (the goals hold at scale 1)" "CPU %" "goal"
printf '%s\n' "${rows[@]}"
