#!/bin/bash
# SPDX-FileCopyrightText: 2026 The Brontix developers
# SPDX-License-Identifier: MIT
# The game on a real Wayland compositor: weston's headless backend. With
# only WAYLAND_DISPLAY set it runs there natively and draws its window, whose
# playfield a screenshot must show exactly as the game's recording replays
# it; when the compositor goes away it ends at once, without a core dump.
# With DISPLAY set as well it takes X11 through XWayland.
#   wayland.sh BRONTIX REPLAY OUTPUT_DIR FIND_FRAME
set -u
BRONTIX=$1
REPLAY=$2
OUT=$3
FIND_FRAME=$4
STEP=start
fail() {
    echo "wayland: FAILED at $STEP: $*" >&2
    exit 1
}
pass() { echo "wayland: ok: $STEP"; }

source "$(dirname "$0")/common.sh"
unset DISPLAY
# A compositor with no screen, drawing in memory so that it can be read
# back (--debug lets weston-screenshooter do that).
compositor() {
    weston --backend=headless-backend.so --use-pixman --socket=brontix --width=1280 --height=800 \
        --idle-time=0 "$@" --log="$OUT/weston.log" >/dev/null 2>&1 &
    WESTON=$!
    PIDS+=($WESTON)
    wait_for 10 '[ -S "$XDG_RUNTIME_DIR/brontix" ]' || fail "weston did not start"
}

STEP=wayland
compositor --debug
BRONTIX_RECORD="$OUT/wayland.txt" WAYLAND_DISPLAY=brontix "$BRONTIX" >"$OUT/game.log" 2>&1 &
GAME=$!
PIDS+=($GAME)
STARTED=$(date +%s%N)
# Start-up's three balls fall and the game comes to rest with ball 0 held.
sleep 12
kill -0 $GAME 2>/dev/null || fail "the game ended: $(cat "$OUT/game.log")"
(cd "$OUT" && WAYLAND_DISPLAY=brontix timeout 10 weston-screenshooter) || fail "no screenshot"
TICKS=$((($(date +%s%N) - STARTED) / 15625000))
convert "$OUT"/wayland-screenshot-*.png "$OUT/screen.ppm"
pass

STEP=wayland-frame
CLOCK=$(sed -n 2p "$OUT/wayland.txt")
[[ "$CLOCK" =~ ^clock\ [0-9]+$ ]] || fail "the recording starts with $CLOCK"
# The playfield is the game's after as many ticks as ran until the
# screenshot; the count is known within a second or so.
found=""
for k in $(seq "$TICKS" -1 $((TICKS - 192))); do
    printf '%s\ntick %d\n' "$CLOCK" "$k" | "$REPLAY" --frame "$OUT/frame.ppm" || fail "no replay"
    if found=$("$FIND_FRAME" "$OUT/screen.ppm" "$OUT/frame.ppm"); then break; fi
done
[ -n "$found" ] || fail "the screenshot shows no frame of the game near tick $TICKS"
echo "wayland: the playfield at $found is the game's after $k ticks"
pass

STEP=compositor-gone
kill $WESTON
wait_for 5 '! kill -0 $GAME 2>/dev/null' || fail "the game outlived the compositor"
wait $GAME
status=$?
((status == 0 || status == 1)) || fail "exit status $status: $(cat "$OUT/game.log")"
# Qt's Wayland client can notice the broken connection on its reading
# thread and on the main thread at once, and then says so twice: one line
# however often it is said.
[ "$(sort -u "$OUT/game.log" | wc -l)" -le 1 ] || fail "it said: $(cat "$OUT/game.log")"
pass

STEP=xwayland
compositor --xwayland
X=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$OUT/weston.log" | head -1)
[ -n "$X" ] || fail "no XWayland display"
DISPLAY=$X WAYLAND_DISPLAY=brontix "$BRONTIX" >"$OUT/game-x.log" 2>&1 &
GAME=$!
PIDS+=($GAME)
wait_for 15 'xwininfo -root -tree -display "$X" 2>/dev/null | grep -q "\"Brontix"' ||
    fail "no X11 window on $X: $(cat "$OUT/game-x.log")"
pass
echo "wayland: all steps passed"
