#!/bin/bash
# SPDX-FileCopyrightText: 2026 The Brontix developers
# SPDX-License-Identifier: MIT
# End-to-end: the real brontix in an X server with a window manager, driven
# with xdotool as a player would, read through its caption and screenshots.
# The game records itself; at every pause the playfield on the screen must
# equal, pixel for pixel, the frame its recording replays to, also after
# the window was moved half off the screen and back, covered and
# uncovered, had a menu open over it, and went full screen.
#   run.sh BRONTIX REPLAY OUTPUT_DIR REGISTRAR
# A failing step leaves its screenshot in OUTPUT_DIR. REGISTRAR owns the
# global-menu name on a private session bus, as on a desktop whose global
# menu takes menu bars out of their windows; the game's must stay.
set -u

BRONTIX=$1
REPLAY=$2
OUT=$3
REGISTRAR=$4
STEP=start
fail() {
    echo "e2e: FAILED at $STEP: $*" >&2
    import -window root "$OUT/failed-$STEP.png" 2>/dev/null
    echo "e2e: screenshot $OUT/failed-$STEP.png" >&2
    exit 1
}
pass() { echo "e2e: ok: $STEP"; }

source "$(dirname "$0")/x_session.sh"

# --- an X server with a window manager ---------------------------------------
STEP=xserver
start_x_session
pass

STEP=global-menu
exec 4>"$OUT/bus"
dbus-daemon --session --nofork --nopidfile --print-address=4 >"$OUT/dbus.log" 2>&1 &
PIDS+=($!)
wait_for 10 '[ -s "$OUT/bus" ]' || fail "no session bus"
export DBUS_SESSION_BUS_ADDRESS=$(head -1 "$OUT/bus")
"$REGISTRAR" >"$OUT/registrar.log" 2>&1 &
PIDS+=($!)
wait_for 10 'grep -q registered "$OUT/registrar.log"' || fail "the global-menu registrar did not start"
pass

# --- the game window, recording -------------------------------------------------
STEP=window
RECORDING=$OUT/recording.txt
BRONTIX_RECORD=$RECORDING "$BRONTIX" >"$OUT/brontix.log" 2>&1 &
GAME_PID=$!
PIDS+=($GAME_PID)
wait_for 15 'W=$(game_window $GAME_PID); [ -n "$W" ]' ||
    fail "no window named Brontix"
caption() { xdotool getwindowname "$W"; }
focus() { xdotool windowactivate --sync "$W" 2>/dev/null || xdotool windowfocus --sync "$W"; }
geometry() {
    local info
    info=$(xwininfo -id "$W")
    WX=$(awk '/Absolute upper-left X/{print $4}' <<<"$info")
    WY=$(awk '/Absolute upper-left Y/{print $4}' <<<"$info")
    WW=$(awk '/Width:/{print $2}' <<<"$info")
    WH=$(awk '/Height:/{print $2}' <<<"$info")
    MENU=$((WH - 530))  # the menu bar sits above the playfield
    PX=$WX
    PY=$((WY + MENU))
}
# The window's Motif hints, which window managers read for the functions
# and buttons of a frame, name neither minimising nor maximising (nor all).
no_minimise_or_maximise() {
    local hints
    hints=$(xprop -id "$1" _MOTIF_WM_HINTS | sed -n 's/.*= //p' | tr -d ',')
    read -r flags functions decorations _ <<<"$hints"
    ((flags & 3)) && ((!(functions & 0x19) && !(decorations & 0x61)))
}
# The menu bar may be laid out after the window is first shown.
wait_for 10 'W=$(game_window $GAME_PID); geometry; [ "$WW" -eq 640 ] && ((MENU > 10 && MENU < 60))' || {
    [ "$WW" -eq 640 ] || fail "window width $WW, not 640"
    fail "window height $WH leaves no 640 x 530 playfield under a menu bar"
}
xprop -id "$W" -len 8 _NET_WM_ICON | grep -q "Icon (" || fail "the window has no icon"
no_minimise_or_maximise "$W" || fail "the window offers to be minimised or maximised"
head -1 "$RECORDING" | grep -Eq '^# Brontix [0-9.]+ recording, begun [0-9-]+T[0-9:]+Z$' ||
    fail "the recording does not start with its heading: $(head -1 "$RECORDING")"
sed -n 2p "$RECORDING" | grep -qx 'format 1' || fail "the recording's second line is not its format: $(sed -n 2p "$RECORDING")"
sed -n 3p "$RECORDING" | grep -Eq '^clock [0-9]+$' || fail "the recording's third line is not the clock: $(sed -n 3p "$RECORDING")"
pass

shot() { import -window root "$OUT/$1.png"; }
# The playfield on the screen against the frame the recording, as it
# stands, replays to: not one pixel may differ.
same_as_replay() {
    local name=$1 diff
    sleep 0.3
    shot "$name"
    convert "$OUT/$name.png" -crop "640x530+$PX+$PY" +repage "$OUT/$name-screen.ppm"
    "$REPLAY" --frame "$OUT/$name-replay.ppm" "$RECORDING" >/dev/null 2>"$OUT/$name-replay.log" ||
        fail "the recording does not replay: $(cat "$OUT/$name-replay.log")"
    diff=$(compare -metric AE "$OUT/$name-screen.ppm" "$OUT/$name-replay.ppm" "$OUT/$name-diff.png" 2>&1)
    [ "${diff%% *}" = 0 ] || fail "$diff pixels of the playfield differ from the replay's frame (see $name-diff.png)"
}
pause() {
    focus
    xdotool type p
    wait_for 5 '[ "$(caption)" = "Brontix [Paused]" ]' || fail "caption $(caption), not paused"
}
resume() {
    focus
    xdotool type p
    # The score alone, or, once a brick has gone since, with the balls.
    wait_for 5 '[[ "$(caption)" =~ ^Brontix\ \|\ -?[0-9]+(\ Balls:\ [0-9]+)?$ ]]' || fail "resume caption $(caption)"
}

STEP=start-up
pause
same_as_replay start
resume
pass

# --- New Game, the paddle under the pointer, the launch --------------------------
STEP=new-game
focus; xdotool key --clearmodifiers alt+n
sleep 0.3
# The centre of the paddle's light grey fill on row 448: the longest run of
# that grey (the right wall has it too, two pixels wide).
paddle_centre() {
    convert "$OUT/$1.png" -crop "640x1+$PX+$((PY + 448))" +repage -depth 8 txt:- |
        awk -F'[,: ]+' '/#C0C0C0/ {
                if ($1 == last + 1 && start != "") last = $1; else {start = $1; last = $1}
                if (last - start > best) {best = last - start; from = start}
            }
            END {print from + best / 2}'
}
xdotool mousemove --window "$W" 200 $((MENU + 300))
wait_for 5 'shot paddle; c=$(paddle_centre paddle); [ "${c%.*}" -ge 197 ] && [ "${c%.*}" -le 201 ]' ||
    fail "paddle centre at $(paddle_centre paddle), not under the pointer at 200"
xdotool mousemove --window "$W" 420 $((MENU + 300))
wait_for 5 'shot paddle2; c=$(paddle_centre paddle2); [ "${c%.*}" -ge 417 ] && [ "${c%.*}" -le 421 ]' ||
    fail "paddle centre at $(paddle_centre paddle2), not under the pointer at 420"
pass

# Demo from the menu bar first: the game plays on in real time while this
# test's own steps take what a busy machine gives them, and the autopilot
# keeps the launched ball in play until the test has paused it.
STEP=launch
xdotool mousemove --window "$W" 100 10 click 1  # "Demo" on the menu bar
xdotool mousemove --window "$W" 420 $((MENU + 300))
ballarea() { convert "$OUT/$1.png" -crop "640x120+$PX+$((PY + 330))" +repage "$OUT/$1-area.png"; }
shot before-click
ballarea before-click
xdotool click 1
moved_since_click() {
    shot after-click
    ballarea after-click
    diff=$(compare -metric AE "$OUT/before-click-area.png" "$OUT/after-click-area.png" /dev/null 2>&1)
    [ "${diff%% *}" -gt 20 ]
}
wait_for 10 moved_since_click || fail "nothing moved after the click ($diff pixels changed)"
pass

# --- paused: still, and exactly the game ------------------------------------------
STEP=pause
pause
shot paused1
sleep 0.5
shot paused2
still=$(compare -metric AE "$OUT/paused1.png" "$OUT/paused2.png" /dev/null 2>&1)
[ "${still%% *}" = 0 ] || fail "the picture moved while paused ($still pixels)"
same_as_replay paused
pass

# --- the screen after what the window system does to the window ---------------
STEP=moved-off-screen-and-back
xdotool windowmove --sync "$W" -320 $((WY - 30)) 2>/dev/null || xdotool windowmove "$W" -320 $((WY - 30))
sleep 0.5
xdotool windowmove --sync "$W" "$WX" $((WY - 30)) 2>/dev/null || xdotool windowmove "$W" "$WX" $((WY - 30))
wait_for 5 'geometry; [ "$WX" -ge 0 ]' || fail "the window did not come back"
same_as_replay moved
pass

STEP=covered-and-uncovered
xmessage -geometry 500x400+$((PX + 60))+$((PY + 40)) "a window over the game" &
COVER=$!
wait_for 5 'xdotool search --onlyvisible --class Xmessage 2>/dev/null | grep -q .' || fail "no covering window"
sleep 0.5
shot covered
kill $COVER
wait $COVER 2>/dev/null
focus
same_as_replay uncovered
pass

STEP=menu-over-it
# The window manager's own menu of the window, opened on its title bar so
# that it falls over the playfield, then closed.
xdotool mousemove $((WX + 200)) $((WY - 10)) click 3
sleep 0.5
shot menu-open
xdotool key Escape
focus
same_as_replay menu-closed
diff=$(compare -metric AE "$OUT/menu-open.png" "$OUT/menu-closed.png" /dev/null 2>&1)
[ "${diff%% *}" -gt 100 ] || fail "no menu opened over the window ($diff pixels changed)"
resume
pass

# --- Demo, on since the launch ---------------------------------------------------------
STEP=demo
# The autopilot can lose a ball it cannot reach, and a game can be won:
# a box that came up is answered and a new game served, as a player would.
serve_again_if_ended() {
    local box
    box=$(game_box "$W")
    [ -n "$box" ] || return 0
    echo "e2e: demo: a game ended (caption $(caption)); a new one is served"
    xdotool windowactivate --sync "$box" key Return 2>/dev/null
    wait_for 10 '[ -z "$(game_box "$W")" ]' ||
        fail "the box did not close"
    focus; xdotool key --clearmodifiers alt+n
    xdotool mousemove --window "$W" 320 $((MENU + 300)) click 1
    xdotool mousemove 1200 1000
}
score() { sed -E 's/^Brontix \| (-?[0-9]+).*/\1/' <<<"$(caption)"; }
xdotool mousemove 1200 1000  # the mouse leaves the game window alone
# A served ball: New Game, then release it. The score is taken before the
# launch: a sticky capsule caught later would hold the ball (the autopilot
# never clicks), but never before the first bricks have gone.
focus; xdotool key --clearmodifiers alt+n
sleep 0.2
START_SCORE=$(score)
[[ "$START_SCORE" =~ ^-?[0-9]+$ ]] || START_SCORE=0
xdotool mousemove --window "$W" 320 $((MENU + 300)) click 1
xdotool mousemove 1200 1000
sleep 2
# CPU use of the game alone over 10 seconds of demo play.
c0=$(cpu_ticks $GAME_PID)
t0=$(date +%s.%N)
for n in $(seq 28); do
    sleep 1
    if [ "$n" -eq 10 ]; then
        c1=$(cpu_ticks $GAME_PID)
        t1=$(date +%s.%N)
    fi
    serve_again_if_ended
done
END_SCORE=$(score)
[[ "$END_SCORE" =~ ^-?[0-9]+$ ]] || fail "caption $(caption) has no score"
((END_SCORE > START_SCORE)) || fail "the score did not grow: $START_SCORE then $END_SCORE"
CPU=$(awk -v c0="$c0" -v c1="$c1" -v t0="$t0" -v t1="$t1" -v hz="$(getconf CLK_TCK)" \
    'BEGIN {printf "%.2f", 100 * (c1 - c0) / hz / (t1 - t0)}')
echo "e2e: demo: score $START_SCORE -> $END_SCORE in 30 s; game CPU $CPU % of one core over 10 s"
awk -v c="$CPU" -v limit="${E2E_CPU_LIMIT:-5}" 'BEGIN {exit !(c < limit)}' ||
    fail "the game used $CPU % of a core"
serve_again_if_ended
pause
same_as_replay demo
resume
pass

# --- a lost game and its box ---------------------------------------------------------------
STEP=lose
xdotool mousemove --window "$W" 100 10 click 1  # Demo off
focus; xdotool key --clearmodifiers alt+n
sleep 0.2
xdotool mousemove --window "$W" 320 $((MENU + 300)) click 1
xdotool mousemove --window "$W" 600 $((MENU + 300))  # the paddle away from the ball
wait_for 30 'BOX=$(game_box "$W"); [ -n "$BOX" ]' ||
    fail "no box came up"
sleep 0.3
shot box
xdotool windowactivate --sync "$BOX" 2>/dev/null
xdotool key --window "$BOX" Return
wait_for 5 '[ -z "$(game_box "$W")" ]' || fail "the box did not close"
# The game's last ticks are in the recording, and its state checked right
# after them; its replay meets every check. (Keys may follow: on a busy
# machine the X server repeats a Return held down too long.)
ended_game_checked "$RECORDING" || fail "the ended game is not checked: $(tail -3 "$RECORDING" | tr '\n' ' ')"
"$REPLAY" --verify "$RECORDING" | grep -Eq '^verified: [1-9][0-9]* checks, [0-9]+ ticks, score [0-9]+, won 0, lost 1$' ||
    fail "the recording does not verify: $("$REPLAY" --verify "$RECORDING" 2>&1)"
printf 'dump\n' | cat "$RECORDING" - | "$REPLAY" | grep -q '"messages":\[[^]]*"You lose!"\]' ||
    fail "the recording does not replay to the lost game"
same_as_replay lost
pass

# --- full screen -------------------------------------------------------------------
STEP=fullscreen
xdotool mousemove --window "$W" 172 10 click 1  # "Full Screen"
wait_for 10 'B=$(xdotool search --onlyvisible --name "^Brontix FullScreen$" 2>/dev/null | head -1); [ -n "$B" ]' ||
    fail "no window named Brontix FullScreen"
sleep 1
binfo=$(xwininfo -id "$B")
BW=$(awk '/Width:/{print $2}' <<<"$binfo")
BH=$(awk '/Height:/{print $2}' <<<"$binfo")
((BW >= 1270 && BH >= 980)) || fail "the backdrop is ${BW}x$BH, not the screen"
geometry
CX=$((WX + WW / 2))
CY=$((WY + WH / 2))
((CX > 620 && CX < 660 && CY > 480 && CY < 545)) || fail "game window centre ($CX, $CY) is not centred"
xprop -id "$W" WM_TRANSIENT_FOR | grep -qi "$(printf '0x%x' "$B")" || fail "the game window is not owned by the backdrop"
no_minimise_or_maximise "$B" || fail "the backdrop offers to be minimised or maximised"
stack=$(xprop -root _NET_CLIENT_LIST_STACKING | tr -d ',' | awk '{for (i = 5; i <= NF; i++) print $i}')
gpos=$(grep -n -i "$(printf '0x%x' "$W")" <<<"$stack" | cut -d: -f1)
bpos=$(grep -n -i "$(printf '0x%x' "$B")" <<<"$stack" | cut -d: -f1)
[ -n "$gpos" ] && [ -n "$bpos" ] && ((gpos > bpos)) || fail "the game window is not in front of the backdrop"
shot fullscreen
[ "$(convert "$OUT/fullscreen.png" -format '%[hex:p{5,1019}]' info: | cut -c1-6)" = 000000 ] ||
    fail "the backdrop is not black"
same_as_replay fullscreen
pass

# At 150 % the playfield's 960 x 795 device pixels are the frame the
# renderer draws at that scale, put on the screen as they are.
STEP=scaled
kill "$GAME_PID"
wait "$GAME_PID" 2>/dev/null
RECORDING=$OUT/recording-150.txt
QT_SCALE_FACTOR=1.5 BRONTIX_RECORD=$RECORDING "$BRONTIX" >"$OUT/brontix-150.log" 2>&1 &
GAME_PID=$!
PIDS+=($GAME_PID)
wait_for 15 'W=$(game_window $GAME_PID); [ -n "$W" ]' ||
    fail "no window at 150 %"
wait_for 10 'W=$(game_window $GAME_PID); geometry; [ "$WW" -eq 960 ] && ((WH > 795))' || fail "the window at 150 % is ${WW}x$WH"
pause
sleep 0.3
shot scaled
convert "$OUT/scaled.png" -crop "960x795+$WX+$((WY + WH - 795))" +repage "$OUT/scaled-screen.ppm"
"$REPLAY" --frame "$OUT/scaled-replay.ppm" --scale 1.5 "$RECORDING" >/dev/null 2>"$OUT/scaled-replay.log" ||
    fail "the recording does not replay: $(cat "$OUT/scaled-replay.log")"
diff=$(compare -metric AE "$OUT/scaled-screen.ppm" "$OUT/scaled-replay.ppm" "$OUT/scaled-diff.png" 2>&1)
[ "${diff%% *}" = 0 ] || fail "$diff pixels of the playfield at 150 % differ from the replay's frame at 1.5"
pass

# A window destroyed from outside ends the game as closing it does: the
# recording settled, status 0.
STEP=destroyed
xdotool windowclose "$W"
wait_for 10 '! kill -0 "$GAME_PID" 2>/dev/null' || fail "the game runs on without its window"
wait "$GAME_PID"
status=$?
[ "$status" -eq 0 ] || fail "the game ended with status $status"
printf 'dump\n' | cat "$RECORDING" - | "$REPLAY" >/dev/null || fail "the recording does not replay"
pass

# --- brontix --race WALL: New Game on that wall, said with its result --------------------------
STEP=race
RECORDING=$OUT/recording-race.txt
BRONTIX_RECORD=$RECORDING "$BRONTIX" --race 18446744073709551615 >"$OUT/race.log" 2>"$OUT/race.err" &
GAME_PID=$!
PIDS+=($GAME_PID)
wait_for 15 'W=$(game_window $GAME_PID); [ -n "$W" ]' || fail "no window for the race"
wait_for 10 'geometry; [ "$WW" -eq 640 ] && ((MENU > 10 && MENU < 60))' || fail "the race's window is ${WW}x$WH"
sed -n '4,5p' "$RECORDING" | tr '\n' ' ' | grep -qx 'clock 18446744073709551615 menu new ' ||
    fail "the race's New Game did not read its wall: $(sed -n '3,5p' "$RECORDING" | tr '\n' ' ')"
pause
same_as_replay race
focus
xdotool type p
wait_for 5 '[ "$(caption)" != "Brontix [Paused]" ]' || fail "the race did not resume"
xdotool mousemove --window "$W" 320 $((MENU + 300)) click 1
xdotool mousemove --window "$W" 600 $((MENU + 300))
wait_for 30 'BOX=$(game_box "$W"); [ -n "$BOX" ]' || fail "no box came up"
# Return until the box has it: a box just mapped may not take keys yet.
wait_for 10 'xdotool windowactivate --sync "$BOX" 2>/dev/null; xdotool key --window "$BOX" Return; [ -z "$(game_box "$W")" ]' ||
    fail "the box did not close"
xdotool windowclose "$W"
wait_for 10 '! kill -0 "$GAME_PID" 2>/dev/null' || fail "the game runs on without its window"
sed -n 1p "$OUT/race.log" | grep -qx 'race on wall 18446744073709551615' || fail "the wall is not said: $(cat "$OUT/race.log")"
sed -n 2p "$OUT/race.log" | grep -Eqx 'race on wall 18446744073709551615: You lose!, score [0-9]+, play time 0:[0-9]{2}' ||
    fail "the result is not said: $(cat "$OUT/race.log")"
pass

echo "e2e: all steps passed"
