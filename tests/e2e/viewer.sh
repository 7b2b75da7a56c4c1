#!/bin/bash
# SPDX-FileCopyrightText: 2026 The Brontix developers
# SPDX-License-Identifier: MIT
# `brontix FILE` watches a recording: what it says of a file it cannot
# watch, and, in an X server with a window manager, the viewer's window,
# whose playfield after End must be the recording's --frame, pixel for
# pixel, and whose keys step and go back to the start.
#   viewer.sh BRONTIX REPLAY OUTPUT_DIR FIND_FRAME
set -u
BRONTIX=$1
REPLAY=$2
OUT=$3
FIND_FRAME=$4
STEP=start
fail() {
    echo "viewer: FAILED at $STEP: $*" >&2
    [ -n "${DISPLAY:-}" ] && import -window root "$OUT/failed-$STEP.png" 2>/dev/null
    exit 1
}
pass() { echo "viewer: ok: $STEP"; }

source "$(dirname "$0")/x_session.sh"

# --- the command line, before any display is needed ----------------------------
STEP=command-line
unset DISPLAY
expect() {  # STATUS PATTERN ARGUMENT...
    local status=$1 pattern=$2 got
    shift 2
    got=$("$BRONTIX" "$@" 2>&1 >/dev/null)
    local rc=$?
    [ "$rc" = "$status" ] || fail "brontix $* exits $rc, not $status ($got)"
    [ "$(printf '%s\n' "$got" | wc -l)" = 1 ] || fail "brontix $* says more than one line: $got"
    [[ "$got" =~ $pattern ]] || fail "brontix $* says: $got"
}
printf 'clock 1\nfly away\n' >"$OUT/broken.brontix"
expect 1 "^brontix: .*/missing.brontix': No such file" "$OUT/missing.brontix"
expect 1 "^brontix: cannot read '$OUT': Is a directory" "$OUT"
expect 1 "^brontix: .*broken.brontix: line 2: " "$OUT/broken.brontix"
expect 2 "^usage: brontix " "$OUT/broken.brontix" "$OUT/broken.brontix" "$OUT/broken.brontix"
expect 2 "^usage: brontix " "$OUT/broken.brontix" --help
# Two recordings are compared only when they are on one wall.
printf 'clock 1\nclock 7\nmenu new\ntick 5\n' >"$OUT/wall-7.brontix"
printf 'clock 1\nclock 8\nmenu new\ntick 5\n' >"$OUT/wall-8.brontix"
expect 1 "^brontix: these recordings are not on the same wall: the first is on wall 7, the second on wall 8$" \
    "$OUT/wall-7.brontix" "$OUT/wall-8.brontix"
expect 1 "^brontix: .*broken.brontix: line 2: " "$OUT/wall-7.brontix" "$OUT/broken.brontix"
expect 2 "^usage: brontix " --help
# A pipe with no writer or an endless device is refused at once, never read.
mkfifo "$OUT/fifo.brontix"
expect 1 "^brontix: cannot read '$OUT/fifo.brontix': not a regular file" "$OUT/fifo.brontix"
expect 1 "^brontix: cannot read '/dev/zero': not a regular file" /dev/zero
rm -f "$OUT/fifo.brontix"
: >"$OUT/empty.brontix"
expect 1 "^brontix: .*empty.brontix: the recording is empty$" "$OUT/empty.brontix"
pass

# --- the viewer's window --------------------------------------------------------
STEP=xserver
start_x_session
pass

STEP=end
# A Demo game that plays on to the end of the recording, no box over it.
RECORDING=$OUT/demo.brontix
printf '# Brontix recording\nclock 4242\nmenu new\nmenu demo\nclick\ntick 900\n' >"$RECORDING"
"$BRONTIX" "$RECORDING" >"$OUT/viewer.log" 2>&1 &
PIDS+=($!)
wait_for 15 'W=$(xdotool search --onlyvisible --name "^Brontix" 2>/dev/null | head -1); [ -n "$W" ]' ||
    fail "no viewer window"
key() {
    xdotool windowactivate --sync "$W" key "$@" 2>/dev/null || fail "cannot type $*"
}
caption() { xdotool getwindowname "$W"; }
# The screenshot's playfield against the frame of the script cut at a
# point; waits until the screen has it.
shows() {
    local script=$1 name=$2
    printf '%s' "$script" | "$REPLAY" --frame "$OUT/$name-frame.ppm" >/dev/null || fail "no replay"
    wait_for 10 'import -window root "$OUT/$name.png" && convert "$OUT/$name.png" "$OUT/$name.ppm" &&
        "$FIND_FRAME" "$OUT/$name.ppm" "$OUT/$name-frame.ppm" >/dev/null' ||
        fail "the screen does not show the frame of $name"
}
key End
shows "$(cat "$RECORDING")" end
# The game's caption, and which recording it is.
[[ "$(caption)" =~ ^Brontix\ \|\ [0-9]+\ Balls:\ [0-9]+\ —\ demo\.brontix$ ]] || fail "caption $(caption)"
pass

STEP=keys
key Home
shows $'clock 4242\nmenu new\nmenu demo\nclick\n' start
key Right Right Right
shows $'clock 4242\nmenu new\nmenu demo\nclick\ntick 3\n' three-ticks
key shift+Right
shows $'clock 4242\nmenu new\nmenu demo\nclick\ntick 67\n' a-second-on
key Left
shows $'clock 4242\nmenu new\nmenu demo\nclick\ntick 66\n' a-tick-back
pass

# --- two games of one wall: the second as a ghost over the first --------------------------------
STEP=compare
printf 'clock 4242\nmenu new\nmove 100 400\nclick\ntick 600\n' >"$OUT/other.brontix"
"$BRONTIX" "$RECORDING" "$OUT/other.brontix" >"$OUT/compare.log" 2>&1 &
PIDS+=($!)
wait_for 15 'C=$(xdotool search --onlyvisible --name "— demo\.brontix and other\.brontix$" 2>/dev/null | head -1); [ -n "$C" ]' ||
    fail "no window compares the two"
xdotool windowactivate --sync "$C" key End 2>/dev/null || fail "cannot type End"
# The first game's last point, the shorter ghost still at its own end.
wait_for 10 'import -window "$C" "$OUT/compare.png" 2>/dev/null' || fail "no screenshot"
pass

# --- a recording that cannot be watched, opened where nobody reads standard error ------------
STEP=box
"$BRONTIX" "$OUT/broken.brontix" >/dev/null 2>"$OUT/broken.log" &
BROKEN=$!
PIDS+=($BROKEN)
wait_for 15 'B=$(xdotool search --onlyvisible --name "^Brontix$" 2>/dev/null | head -1); [ -n "$B" ]' ||
    fail "no box says the recording cannot be watched"
import -window "$B" "$OUT/box.png" 2>/dev/null
xdotool windowactivate --sync "$B" key Return 2>/dev/null || fail "cannot answer the box"
wait "$BROKEN"
status=$?
[ "$status" = 1 ] || fail "the box's program ended with $status"
grep -q "^brontix: .*broken.brontix: line 2: " "$OUT/broken.log" || fail "standard error says: $(cat "$OUT/broken.log")"
pass
