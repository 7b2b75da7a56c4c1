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
    weston --backend=headless-backend.so --use-pixman --socket=brontix --width="${SCREEN_W:-1280}" \
        --height="${SCREEN_H:-800}" --idle-time=0 "$@" --log="$OUT/weston.log" >/dev/null 2>&1 &
    WESTON=$!
    PIDS+=($WESTON)
    wait_for 10 '[ -S "$XDG_RUNTIME_DIR/brontix" ]' || fail "weston did not start"
}
# Runs the game natively at a scale factor, takes a screenshot once it has
# come to rest (start-up's three balls fall and ball 0 is held), and finds
# in it, pixel for pixel, the playfield its recording replays to at that
# scale, after as many ticks as ran until the screenshot (known within a
# second or so).
shows_its_game() {
    local name=$1 scale=$2 started ticks clock found="" k
    mkdir -p "$OUT/$name"
    QT_SCALE_FACTOR=$scale BRONTIX_RECORD="$OUT/$name/recording.txt" WAYLAND_DISPLAY=brontix \
        "$BRONTIX" >"$OUT/$name/game.log" 2>&1 &
    GAME=$!
    PIDS+=($GAME)
    started=$(date +%s%N)
    sleep 12
    kill -0 $GAME 2>/dev/null || fail "the game ended: $(cat "$OUT/$name/game.log")"
    (cd "$OUT/$name" && WAYLAND_DISPLAY=brontix timeout 10 weston-screenshooter) || fail "no screenshot"
    ticks=$((($(date +%s%N) - started) / 15625000))
    convert "$OUT/$name"/wayland-screenshot-*.png "$OUT/$name/screen.ppm"
    clock=$(sed -n 3p "$OUT/$name/recording.txt")
    [[ "$clock" =~ ^clock\ [0-9]+$ ]] || fail "the recording starts with $clock"
    for k in $(seq "$ticks" -1 $((ticks - 192))); do
        printf '%s\ntick %d\n' "$clock" "$k" |
            "$REPLAY" --frame "$OUT/$name/frame.ppm" --scale "$scale" || fail "no replay"
        if found=$("$FIND_FRAME" "$OUT/$name/screen.ppm" "$OUT/$name/frame.ppm"); then break; fi
    done
    [ -n "$found" ] || fail "the screenshot shows no frame of the game near tick $ticks"
    echo "wayland: at scale $scale the playfield at $found is the game's after $k ticks"
}

STEP=wayland
compositor --debug
shows_its_game native 1
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

# At 150 % the window's 960 x 795 device pixels of playfield are the frame
# drawn at that scale (on a larger screen, for the larger window).
STEP=wayland-scaled
SCREEN_W=1600 SCREEN_H=1200 compositor --debug
shows_its_game scaled 1.5
kill $WESTON
wait $GAME 2>/dev/null
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
kill $WESTON
pass

# Full Screen, played through weston's X11 backend, which takes the pointer
# and keys of the X server it runs in (Xvfb, here): the backdrop holds the
# game window, caption and menu bar included, centred on black; Escape
# closes it and the game runs on in its own window.
STEP=wayland-fullscreen
exec 4>"$OUT/xvfb-display"
Xvfb -displayfd 4 -screen 0 1400x1000x24 -nolisten tcp >"$OUT/xvfb.log" 2>&1 &
PIDS+=($!)
wait_for 10 '[ -s "$OUT/xvfb-display" ]' || fail "Xvfb did not start"
XV=":$(head -1 "$OUT/xvfb-display")"
DISPLAY=$XV weston --backend=x11-backend.so --socket=brontix-x --width=1300 --height=950 \
    --idle-time=0 --log="$OUT/weston-x11.log" >/dev/null 2>&1 &
WESTON=$!
PIDS+=($WESTON)
wait_for 10 '[ -S "$XDG_RUNTIME_DIR/brontix-x" ]' || fail "weston did not start in Xvfb"
RECORDING=$OUT/fullscreen.txt
BRONTIX_RECORD=$RECORDING WAYLAND_DISPLAY=brontix-x "$BRONTIX" >"$OUT/game-fs.log" 2>&1 &
GAME=$!
PIDS+=($GAME)
xdo() { DISPLAY=$XV xdotool "$@"; }
# Where screenshot NAME shows the playfield as the recording, as it stands,
# replays to: "X Y", or nothing.
find_game() {
    DISPLAY=$XV import -window root "$OUT/$1.png" && convert "$OUT/$1.png" "$OUT/$1.ppm"
    "$REPLAY" --frame "$OUT/$1-frame.ppm" "$RECORDING" >/dev/null || fail "no replay"
    "$FIND_FRAME" "$OUT/$1.ppm" "$OUT/$1-frame.ppm"
}
black() { [ "$(convert "$OUT/$1.png" -format "%[hex:p{$2,$3}]" info: | cut -c1-6)" = 000000 ]; }
wait_for 10 '[ -s "$RECORDING" ]' || fail "the game did not start: $(cat "$OUT/game-fs.log")"
xdo mousemove 20 600
wait_for 10 'xdo key p; sleep 0.5; tail -1 "$RECORDING" | grep -q "^key 112$"' || fail "p did not pause the game"
wait_for 10 'at=$(find_game window)' || fail "the window does not show the game"
read -r X Y <<<"$at"
# "Full Screen", clicked until the game has it: the pointer comes in from
# outside weston's window each time, since weston's X11 backend may not
# have given its surfaces the pointer yet (a click then reaches nobody).
choose_full_screen() {
    xdo mousemove 1390 990 mousemove $((X + 175)) $((Y - 10)) click 1
    sleep 0.5
    tail -1 "$RECORDING" | grep -q "^menu fullscreen$"
}
wait_for 10 choose_full_screen || fail "Full Screen was not chosen"
xdo mousemove 20 600  # weston draws the pointer into its screenshots
wait_for 10 'at=$(find_game held) && read -r X Y <<<"$at" && ((X + 320 >= 648 && X + 320 <= 652))' ||
    fail "the playfield is not centred on the backdrop (at ${at:-nowhere})"
black held $((X - 30)) $((Y + 265)) && black held $((X + 670)) $((Y + 265)) || fail "the backdrop is not black"
black held $((X + 100)) $((Y - 12)) && fail "no menu bar above the playfield"
black held $((X + 100)) $((Y - 36)) && fail "no caption above the menu bar"
# Closed by Escape, then by its close button (which Qt's decorations draw
# at the top right of the screen): each time the game window is back.
for how in Escape button; do
    if [ "$how" = Escape ]; then
        xdo key Escape
    else
        xdo mousemove $((X + 175)) $((Y - 10)) click 1 mousemove 20 600
        wait_for 10 'at=$(find_game held-again) && read -r X Y <<<"$at" && black held-again $((X - 30)) $((Y + 265))' ||
            fail "Full Screen again did not hold the game window"
        xdo mousemove 1282 44 click 1 mousemove 20 600
    fi
    wait_for 10 'at=$(find_game back) && read -r X Y <<<"$at" && ! black back $((X - 30)) $((Y + 265))' ||
        fail "closing the backdrop by $how did not give the game its window back (at ${at:-nowhere})"
    kill -0 $GAME 2>/dev/null || fail "the game ended with the backdrop: $(cat "$OUT/game-fs.log")"
done
grep -q "^key 27$" "$RECORDING" && fail "Escape reached the game"
pass
echo "wayland: all steps passed"
