#!/bin/bash
# SPDX-FileCopyrightText: 2026 The Brontix developers
# SPDX-License-Identifier: MIT
# The Windows game under Wine, in an X server with a window manager, driven
# with xdotool as a player would and read through its caption and
# screenshots. It records itself; wherever the game stands still (paused,
# or ended under its box) its client area on the screen must equal, pixel
# for pixel, the frame its recording replays to on Linux. Then the viewer
# window watches that recording.
#   window.sh WINE_SH PREFIX BRONTIX_EXE REPLAY OUTPUT_DIR
# (PREFIX: a folder for the Wine prefix it makes, and removes at the end.)
# A failing step leaves its screenshot in OUTPUT_DIR.
set -u

WINE_SH=$1
PREFIX=$2
EXE=$3
REPLAY=$4
OUT=$5
STEP=start
fail() {
    echo "windows: FAILED at $STEP: $*" >&2
    import -window root "$OUT/failed-$STEP.png" 2>/dev/null
    xwininfo -root -tree >"$OUT/failed-$STEP-windows.txt" 2>&1
    [ -n "${W:-}" ] && { xwininfo -id "$W"; xwininfo -tree -id "$W"; xprop -id "$W"; } >"$OUT/failed-$STEP-game.txt" 2>&1
    echo "windows: screenshot $OUT/failed-$STEP.png" >&2
    exit 1
}
pass() { echo "windows: ok: $STEP"; }

source "$(dirname "$0")/../e2e/x_session.sh"

STEP=xserver
start_x_session
pass

# A prefix of its own, made on this display: one whose desktop process
# began without a display (as the replay driver's tests leave theirs)
# tells every program a screen of 1024 x 768.
STEP=prefix
sh "$WINE_SH" --prefix "$PREFIX" || fail "no Wine prefix"
trap 'sh "$WINE_SH" --stop "$PREFIX"; cleanup' EXIT
pass

# The tallest visible window whose name begins with $1 (the game's box
# is named Brontix too).
top_window() {
    local w
    for w in $(xdotool search --onlyvisible --name "$1" 2>/dev/null); do
        echo "$(xwininfo -id "$w" 2>/dev/null | awk '/Height:/{print $2}') $w"
    done | sort -n | tail -1 | cut -d' ' -f2
}
# Wine's X window is the client area and the menu bar, without the frame.
geometry() {
    local info
    info=$(xwininfo -id "$W")
    WX=$(awk '/Absolute upper-left X/{print $4}' <<<"$info")
    WY=$(awk '/Absolute upper-left Y/{print $4}' <<<"$info")
    WW=$(awk '/Width:/{print $2}' <<<"$info")
    WH=$(awk '/Height:/{print $2}' <<<"$info")
    MENU=$((WH - 530))
    PX=$WX
    PY=$((WY + MENU))
}
caption() { xdotool getwindowname "$W"; }
# Wine ignores keys sent to a window: it takes them once it is active.
focus() { xdotool windowactivate --sync "$W" >/dev/null 2>&1; }
key() { focus; xdotool key --clearmodifiers "$@"; }
# The menu bar's commands, where its font puts them.
menu() {
    case $1 in
    new) xdotool mousemove --window "$W" 30 $((MENU / 2)) click 1 ;;
    demo) xdotool mousemove --window "$W" 100 $((MENU / 2)) click 1 ;;
    full) xdotool mousemove --window "$W" 165 $((MENU / 2)) click 1 ;;
    esac
}
shot() { import -window root "$OUT/$1.png"; }
# The client area on the screen against the frame the recording, as it
# stands, replays to (at a scale, of a size): not one pixel may differ.
#   same_as_replay NAME [SCALE SIZE]
same_as_replay() {
    local name=$1 scale=${2:-1} size=${3:-640x530} diff
    "$REPLAY" --frame "$OUT/$name-replay.ppm" --scale "$scale" "$RECORDING" >/dev/null 2>"$OUT/$name-replay.log" ||
        fail "the recording does not replay: $(cat "$OUT/$name-replay.log")"
    # The screen catches up with the game's last paint: on a busy machine
    # the X server may show it a while later.
    matches() {
        shot "$name"
        convert "$OUT/$name.png" -crop "$size+$PX+$PY" +repage "$OUT/$name-screen.ppm"
        diff=$(compare -metric AE "$OUT/$name-screen.ppm" "$OUT/$name-replay.ppm" "$OUT/$name-diff.png" 2>&1)
        [ "${diff%% *}" = 0 ]
    }
    wait_for 10 matches ||
        fail "$diff pixels of the client area differ from the replay's frame (see $name-diff.png)"
}
pause() {
    key p
    wait_for 10 '[ "$(caption)" = "Brontix [Paused]" ]' || fail "caption $(caption), not paused"
}
# Wine may take a window's first key or click before it has made it its
# foreground window, and drop it: a command is given again until the
# recording has one more of its line.
#   recorded LINE COMMAND...
recorded() {
    local line=$1 before
    shift
    before=$(grep -cx "$line" "$RECORDING")
    for _ in 1 2 3; do
        "$@"
        wait_for 3 '[ "$(grep -cx "$line" "$RECORDING")" -gt "$before" ]' && return 0
    done
    fail "$* did not reach the game: caption $(caption)"
}
new_game() { recorded 'menu new' key alt+n; }
running() { [[ "$(caption)" =~ ^Brontix\ \|\ -?[0-9]+(\ Balls:\ [0-9]+)?$ ]]; }

# --- the window, recording --------------------------------------------------------------------
STEP=window
RECORDING=$OUT/recording.txt
BRONTIX_RECORD=$RECORDING sh "$WINE_SH" "$PREFIX" "$EXE" >"$OUT/brontix.log" 2>&1 &
GAME_PID=$!
PIDS+=($GAME_PID)
wait_for 60 'W=$(top_window "^Brontix"); [ -n "$W" ]' || fail "no window named Brontix"
wait_for 10 'geometry; [ "$WW" -eq 640 ] && ((MENU > 10 && MENU < 60))' ||
    fail "a window of $WW x $WH holds no 640 x 530 client area under a menu bar"
# Fixed size: the hints a window manager reads name no minimising or
# maximising, and the smallest size is the largest.
read -r flags functions decorations _ <<<"$(xprop -id "$W" _MOTIF_WM_HINTS | sed -n 's/.*= //p' | tr -d ',')"
((flags & 3)) && ((!(functions & 0x19) && !(decorations & 0x61))) || fail "the window offers to be minimised or maximised"
xprop -id "$W" WM_NORMAL_HINTS | grep -q "minimum size: 640 by $WH" && xprop -id "$W" WM_NORMAL_HINTS | grep -q "maximum size: 640 by $WH" ||
    fail "the window can be resized"
head -1 "$RECORDING" | grep -Eq '^# Brontix [0-9.]+ recording, begun [0-9-]+T[0-9:]+Z$' ||
    fail "the recording does not start with its heading: $(head -1 "$RECORDING")"
sed -n 2p "$RECORDING" | grep -qx 'format 1' || fail "no format line: $(sed -n 2p "$RECORDING")"
sed -n 3p "$RECORDING" | grep -Eq '^clock [0-9]+$' || fail "no clock line: $(sed -n 3p "$RECORDING")"
pass

# --- New Game, Demo, a launch, paused -----------------------------------------------------------
STEP=demo
new_game
recorded 'menu demo' menu demo
xdotool mousemove --window "$W" 320 $((MENU + 300)) click 1
wait_for 10 'grep -qx click "$RECORDING"' || fail "the launch is not in the recording"
sleep 1
pause
same_as_replay demo
pass

# --- Full Screen: the game centred on black, paused ---------------------------------------------
STEP=fullscreen
menu full
wait_for 10 'B=$(top_window "^Brontix FullScreen$"); [ -n "$B" ]' || fail "no backdrop named Brontix FullScreen"
binfo=$(xwininfo -id "$B")
(($(awk '/Width:/{print $2}' <<<"$binfo") == 1280 && $(awk '/Height:/{print $2}' <<<"$binfo") == 1024)) ||
    fail "the backdrop does not cover the screen: $(grep -E 'Width|Height' <<<"$binfo" | tr -s ' \n' ' ')"
wait_for 10 'geometry; CX=$((WX + WW / 2)); CY=$((PY + 265)); ((CX > 620 && CX < 660 && CY > 470 && CY < 560))' ||
    fail "the game window at ($WX, $WY) is not centred"
shot fullscreen
for corner in 5,1019 1275,5 1275,1019; do
    [ "$(convert "$OUT/fullscreen.png" -format "%[hex:p{$corner}]" info: | cut -c1-6)" = 000000 ] ||
        fail "the backdrop is not black at $corner"
done
same_as_replay fullscreen
pass

# --- Escape: the game's own window again, still paused ------------------------------------------
STEP=escape
key Escape
wait_for 10 '[ -z "$(top_window "^Brontix FullScreen$")" ]' || fail "Escape left the backdrop up"
[ "$(caption)" = "Brontix [Paused]" ] || fail "Escape changed the game: caption $(caption)"
geometry
same_as_replay escaped
pass

# --- the backdrop closed by its own close command: the game runs on -----------------------------
STEP=backdrop-closed
key p
wait_for 10 running || fail "resume: caption $(caption)"
menu full
wait_for 10 'B=$(top_window "^Brontix FullScreen$"); [ -n "$B" ]' || fail "no backdrop the second time"
xdotool windowactivate --sync "$B" >/dev/null 2>&1
xdotool key --clearmodifiers alt+F4
wait_for 10 '[ -z "$(top_window "^Brontix FullScreen$")" ]' || fail "Alt+F4 left the backdrop up"
wait_for 10 '[ -n "$(top_window "^Brontix")" ]' || fail "the game window went with the backdrop"
ticks=$(wc -c <"$RECORDING")
wait_for 10 'running && [ "$(wc -c <"$RECORDING")" -gt "$ticks" ]' || fail "the game stopped: caption $(caption)"
pass

# --- minimised, the game cannot be seen: it pauses as p would ----------------------------------
STEP=minimised
MINIMISE=$(dirname "$EXE")/minimise-window.exe
sh "$WINE_SH" "$PREFIX" "$MINIMISE" BrontixGame || fail "the window could not be minimised"
wait_for 10 '[ "$(caption)" = "Brontix [Paused]" ]' || fail "minimised, the game runs on: caption $(caption)"
grep -qx 'key 112' "$RECORDING" || fail "the pause is not in the recording as p"
sh "$WINE_SH" "$PREFIX" "$MINIMISE" BrontixGame restore || fail "the window could not be restored"
wait_for 10 'xdotool search --onlyvisible --name "^Brontix \[Paused\]$" >/dev/null' || fail "the window did not come back"
[ "$(caption)" = "Brontix [Paused]" ] || fail "restored, the game did not stay paused: caption $(caption)"
key p
wait_for 10 running || fail "resume: caption $(caption)"
pass

# --- a lost game: its box answered with Return --------------------------------------------------
STEP=lose
recorded 'menu demo' menu demo  # Demo off
new_game
xdotool mousemove --window "$W" 320 $((MENU + 300)) click 1
xdotool mousemove --window "$W" 600 $((MENU + 300))  # the paddle away from the ball
# The box is a window of its own named Brontix, smaller than the game's.
box() {
    local b
    for b in $(xdotool search --onlyvisible --name "^Brontix$" 2>/dev/null); do
        [ "$b" != "$W" ] && echo "$b"
    done | head -1
}
wait_for 60 'BOX=$(box); [ -n "$BOX" ]' || fail "no box came up"
xdotool windowactivate --sync "$BOX" >/dev/null 2>&1
xdotool key Return
wait_for 10 '[ -z "$(box)" ]' || fail "Return did not close the box"
wait_for 10 'ended_game_checked "$RECORDING"' || fail "the ended game is not checked"
"$REPLAY" --verify "$RECORDING" | grep -Eq '^verified: [1-9][0-9]* checks, [0-9]+ ticks, score [0-9]+, won 0, lost 1$' ||
    fail "the recording does not verify: $("$REPLAY" --verify "$RECORDING" 2>&1)"
printf 'dump\n' | cat "$RECORDING" - | "$REPLAY" | grep -q '"messages":\[[^]]*"You lose!"\]' ||
    fail "the recording does not replay to the lost game"
geometry
same_as_replay lost
pass

# --- closed: the recording ends with its last check ---------------------------------------------
STEP=closed
key alt+F4
wait_for 30 '! kill -0 $GAME_PID 2>/dev/null' || fail "the program did not end with its window"
wait "$GAME_PID"
status=$?
[ "$status" -eq 0 ] || fail "status $status"
tail -1 "$RECORDING" | grep -Eq '^check [0-9a-f]{16}$' || fail "the recording does not end with a check"
pass

# --- the viewer: the recording's last point after End -------------------------------------------
STEP=viewer
sh "$WINE_SH" "$PREFIX" "$EXE" "$RECORDING" >"$OUT/viewer.log" 2>&1 &
VIEWER_PID=$!
PIDS+=($VIEWER_PID)
wait_for 60 'W=$(top_window "recording.txt$"); [ -n "$W" ]' || fail "no viewer window"
caption | grep -q " — recording.txt$" || fail "the title does not name the file: $(caption)"
# (End pressed until the picture is there: Wine may drop the first key.)
"$REPLAY" --frame "$OUT/viewer-replay.ppm" "$RECORDING" >/dev/null
info=$(xwininfo -id "$W")
VX=$(awk '/Absolute upper-left X/{print $4}' <<<"$info")
VY=$(awk '/Absolute upper-left Y/{print $4}' <<<"$info")
# The last point is the tick that opened the box, which the viewer shows
# over the middle of the picture: the rows above and below it are compared.
band() {
    convert "$1" -crop "640x200+$2+$3" +repage "$4"
    convert "$1" -crop "640x200+$2+$(($3 + 330))" +repage "${4%.ppm}-low.ppm"
}
band "$OUT/viewer-replay.ppm" 0 0 "$OUT/viewer-replay-band.ppm"
differs() {
    shot viewer
    band "$OUT/viewer.png" "$VX" "$VY" "$OUT/viewer-band.ppm"
    diff=$(compare -metric AE "$OUT/viewer-band.ppm" "$OUT/viewer-replay-band.ppm" /dev/null 2>&1)
    diff2=$(compare -metric AE "$OUT/viewer-band-low.ppm" "$OUT/viewer-replay-band-low.ppm" /dev/null 2>&1)
    [ "${diff%% *}" != 0 ] || [ "${diff2%% *}" != 0 ]
}
wait_for 20 'key End; ! differs' || fail "$diff and $diff2 pixels of the viewer's picture after End differ from the replay's"
pass

# --- at 150 %: the frame drawn at the monitor's scale, pixel for pixel -------------------------
# Wine cannot move a window between monitors of different DPI; a system
# DPI of 144 is what it can show: the window asks for 960 x 795 device
# pixels under its menu bar, which the renderer fills at 3/2.
STEP=scaled
xdotool key --clearmodifiers alt+F4
wait "$VIEWER_PID"
dpi() { sh "$WINE_SH" "$PREFIX" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1; }
dpi 144 || fail "the DPI could not be set"
trap 'dpi 96; sh "$WINE_SH" --stop "$PREFIX"; cleanup' EXIT
RECORDING=$OUT/recording-150.txt
BRONTIX_RECORD=$RECORDING sh "$WINE_SH" "$PREFIX" "$EXE" >"$OUT/brontix-150.log" 2>&1 &
GAME_PID=$!
PIDS+=($GAME_PID)
wait_for 60 'W=$(top_window "^Brontix"); [ -n "$W" ]' || fail "no window at 150 %"
wait_for 10 'geometry; [ "$WW" -eq 960 ] && MENU=$((WH - 795)) && ((MENU > 10 && MENU < 80))' ||
    fail "a window of $WW x $WH holds no 960 x 795 client area under a menu bar"
PY=$((WY + MENU))
pause
same_as_replay scaled 1.5 960x795
key alt+F4
pass

# --- a recording that cannot be watched: said in a box, status 1 --------------------------------
# (Started from Explorer there is no terminal to read.)
STEP=cannot-watch
sh "$WINE_SH" "$PREFIX" "$EXE" "$OUT/missing.txt" >"$OUT/missing.log" 2>&1 &
MISSING_PID=$!
PIDS+=($MISSING_PID)
wait_for 60 'W=$(top_window "^Brontix$"); [ -n "$W" ]' || fail "no box for a missing recording"
shot cannot-watch
recorded_status() { wait "$1"; echo $?; }
focus
xdotool key Return
wait_for 10 '! kill -0 $MISSING_PID 2>/dev/null' || fail "Return did not close the box"
[ "$(recorded_status $MISSING_PID)" -eq 1 ] || fail "a recording that cannot be watched does not give status 1"
grep -q "^brontix: This recording cannot be watched: cannot read '$OUT/missing.txt': " "$OUT/missing.log" ||
    fail "the reason is not on standard error: $(cat "$OUT/missing.log")"
pass

# --- a recording whose writes fail: said once, and the game plays on ----------------------------
STEP=recording-fails
dpi 96
BRONTIX_RECORD=/dev/full sh "$WINE_SH" "$PREFIX" "$EXE" >"$OUT/full.log" 2>&1 &
FULL_PID=$!
PIDS+=($FULL_PID)
wait_for 60 'W=$(top_window "^Brontix"); [ -n "$W" ]' || fail "no window recording to a full disk"
wait_for 10 'grep -q "stops here" "$OUT/full.log"' || fail "the failed write is not said"
key p
wait_for 10 '[ "$(caption)" = "Brontix [Paused]" ]' || fail "the game does not play on: caption $(caption)"
key p
wait_for 10 running || fail "the game does not resume: caption $(caption)"
key alt+F4
wait_for 30 '! kill -0 $FULL_PID 2>/dev/null' || fail "the program did not end with its window"
# (Standard error is text, as on Windows: its lines end in CR LF.)
[ "$(tr -d '\r' <"$OUT/full.log")" = "brontix: the recording '/dev/full' stops here: Disk full" ] ||
    fail "not said once, in one line: $(cat "$OUT/full.log")"
pass

# --- a race: New Game on the wall given, the result on standard output --------------------------
STEP=race
RECORDING=$OUT/recording-race.txt
BRONTIX_RECORD=$RECORDING sh "$WINE_SH" "$PREFIX" "$EXE" --race 18446744073709551615 >"$OUT/race.log" 2>&1 &
RACE_PID=$!
PIDS+=($RACE_PID)
wait_for 60 'W=$(top_window "^Brontix"); [ -n "$W" ]' || fail "no window for the race"
geometry
wait_for 10 'grep -qx "menu new" "$RECORDING"' || fail "the race chose no New Game"
sed -n '4,5p' "$RECORDING" | tr '\n' ' ' | grep -qx 'clock 18446744073709551615 menu new ' ||
    fail "the race's New Game did not read its wall: $(sed -n '3,5p' "$RECORDING" | tr '\n' ' ')"
pause
same_as_replay race
key p
wait_for 10 '[ "$(caption)" != "Brontix [Paused]" ]' || fail "the race did not resume"
xdotool mousemove --window "$W" 320 $((MENU + 300)) click 1
xdotool mousemove --window "$W" 600 $((MENU + 300))
wait_for 60 'BOX=$(box); [ -n "$BOX" ]' || fail "no box came up"
wait_for 10 'xdotool windowactivate --sync "$BOX" >/dev/null 2>&1; xdotool key Return; [ -z "$(box)" ]' ||
    fail "Return did not close the box"
key alt+F4
wait_for 30 '! kill -0 $RACE_PID 2>/dev/null' || fail "the program did not end with its window"
tr -d '\r' <"$OUT/race.log" | sed -n 1p | grep -qx 'race on wall 18446744073709551615' || fail "the wall is not said: $(cat "$OUT/race.log")"
tr -d '\r' <"$OUT/race.log" | sed -n 2p |
    grep -Eqx 'race on wall 18446744073709551615: You lose!, score [0-9]+, play time 0:[0-9]{2}' ||
    fail "the result is not said: $(cat "$OUT/race.log")"
pass

# --- two games of one wall compared; games of two walls refused ---------------------------------
STEP=compare
printf 'clock 1\nclock 18446744073709551615\nmenu new\nmove 100 400\nclick\ntick 300\n' >"$OUT/other.txt"
sh "$WINE_SH" "$PREFIX" "$EXE" "$RECORDING" "$OUT/other.txt" >"$OUT/compare.log" 2>&1 &
COMPARE_PID=$!
PIDS+=($COMPARE_PID)
wait_for 60 'W=$(top_window " — recording-race.txt and other.txt$"); [ -n "$W" ]' || fail "no window compares the two"
key End
shot compare
key alt+F4
wait_for 30 '! kill -0 $COMPARE_PID 2>/dev/null' || fail "the program did not end with its window"
printf 'clock 1\nclock 7\nmenu new\ntick 5\n' >"$OUT/wall-7.txt"
sh "$WINE_SH" "$PREFIX" "$EXE" "$RECORDING" "$OUT/wall-7.txt" >"$OUT/two-walls.log" 2>&1 &
TWO_PID=$!
PIDS+=($TWO_PID)
wait_for 60 'W=$(top_window "^Brontix$"); [ -n "$W" ]' || fail "no box refuses two walls"
focus
xdotool key Return
wait_for 10 '! kill -0 $TWO_PID 2>/dev/null' || fail "Return did not close the box"
[ "$(recorded_status $TWO_PID)" -eq 1 ] || fail "two walls do not give status 1"
tr -d '\r' <"$OUT/two-walls.log" | grep -qx "brontix: These recordings cannot be compared: these recordings are not on the same wall: the first is on wall 18446744073709551615, the second on wall 7" ||
    fail "the reason is not on standard error: $(cat "$OUT/two-walls.log")"
pass
