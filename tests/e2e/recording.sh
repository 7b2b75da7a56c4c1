#!/bin/bash
# SPDX-FileCopyrightText: 2026 The Brontix developers
# SPDX-License-Identifier: MIT
# End-to-end: the recording of the real game where things go wrong. A file
# that can grow no more ends with whole lines and the game plays on; a pipe
# nobody reads is refused at start-up; SIGTERM, SIGINT and SIGHUP end the
# game as closing its window does.
#   recording.sh BRONTIX REPLAY OUTPUT_DIR
set -u

BRONTIX=$1
REPLAY=$2
OUT=$3
STEP=start
fail() {
    echo "recording: FAILED at $STEP: $*" >&2
    exit 1
}
pass() { echo "recording: ok: $STEP"; }

source "$(dirname "$0")/x_session.sh"
start_x_session

# Starts the game recording to $1, with what it says in $OUT/$2.log.
start_game() {
    BRONTIX_RECORD=$1 "$BRONTIX" >"$OUT/$2.log" 2>&1 &
    GAME_PID=$!
    PIDS+=($GAME_PID)
    wait_for 15 'W=$(game_window $GAME_PID); [ -n "$W" ]' || fail "no window"
}
caption() { xdotool getwindowname "$W" 2>/dev/null; }

# --- a file that can grow no more -----------------------------------------------------
STEP=full
ulimit -f 2  # 2 048 bytes: a move line or two short of what the moves below write
start_game "$OUT/full.txt" full
ulimit -f unlimited 2>/dev/null
for i in $(seq 200); do xdotool mousemove --window "$W" $((100 + i * 2)) 300; done
wait_for 10 'grep -q "stops here" "$OUT/full.log"' || fail "no word of the write that failed"
[ "$(grep -c "stops here" "$OUT/full.log")" -eq 1 ] || fail "said more than once: $(cat "$OUT/full.log")"
grep -q "^brontix: the recording '$OUT/full.txt' stops here: File too large$" "$OUT/full.log" ||
    fail "$(cat "$OUT/full.log")"
[ "$(tail -c 1 "$OUT/full.txt" | od -An -c | tr -d ' ')" = '\n' ] || fail "the last line is cut short"
"$REPLAY" "$OUT/full.txt" >/dev/null 2>"$OUT/full-replay.log" || fail "$(cat "$OUT/full-replay.log")"
xdotool windowactivate --sync "$W" 2>/dev/null
xdotool key --window "$W" p
wait_for 5 '[ "$(caption)" = "Brontix [Paused]" ]' || fail "the game does not play on: caption $(caption)"
kill "$GAME_PID"
wait "$GAME_PID" 2>/dev/null
pass

# --- a pipe nobody reads ----------------------------------------------------------------
STEP=no-reader
mkfifo "$OUT/fifo"
said=$(BRONTIX_RECORD=$OUT/fifo timeout 10 "$BRONTIX" 2>&1)
status=$?
[ "$status" -eq 1 ] && [ "$said" = "brontix: cannot write the recording to '$OUT/fifo': no program reads the pipe" ] ||
    fail "status $status: $said"
pass

# --- signals ------------------------------------------------------------------------------
for signal in TERM INT HUP; do
    STEP=$signal
    start_game "$OUT/$signal.txt" "$signal"
    xdotool mousemove --window "$W" 200 300 click 1
    wait_for 5 'grep -q "^click$" "$OUT/$signal.txt"' || fail "the click is not recorded"
    kill -s "$signal" "$GAME_PID"
    wait "$GAME_PID"
    status=$?
    [ "$status" -eq 0 ] || fail "ended with status $status"
    # What was owed since the last line: the ticks after the click, then
    # the check of the state the game quit in.
    tail -2 "$OUT/$signal.txt" | head -1 | grep -Eq '^tick [0-9]+$' || fail "the ticks since the click are lost"
    tail -1 "$OUT/$signal.txt" | grep -Eq '^check [0-9a-f]{16}$' || fail "no check of the state it quit in"
    pass
done
echo "recording: all steps passed"
