# SPDX-FileCopyrightText: 2026 The Brontix developers
# SPDX-License-Identifier: MIT
# An X server with a window manager, for the real window: sourced by the
# end-to-end test and the window benchmark, on top of common.sh (whose OUT,
# fail, wait_for and PIDS it shares); start_x_session sets DISPLAY.

source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

# XVFB_SCREEN: the screen's size and depth (a window at 300 % needs more).
start_x_session() {
    exec 3>"$OUT/display"
    Xvfb -displayfd 3 -screen 0 "${XVFB_SCREEN:-1280x1024x24}" -nolisten tcp >"$OUT/xvfb.log" 2>&1 &
    PIDS+=($!)
    wait_for 60 '[ -s "$OUT/display" ]' || fail "Xvfb did not start"
    export DISPLAY=":$(head -1 "$OUT/display")"
    openbox >"$OUT/openbox.log" 2>&1 &
    PIDS+=($!)
    wait_for 60 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window' ||
        fail "openbox did not start"
    sleep 1  # openbox announces itself before it manages windows
}

# The game's top-level window: the tallest of its windows named Brontix,
# since its playfield and menu bar are native windows too, with its name.
#   game_window PID
game_window() {
    local w
    for w in $(xdotool search --onlyvisible --pid "$1" --name "^Brontix" 2>/dev/null); do
        echo "$(xwininfo -id "$w" 2>/dev/null | awk '/Height:/{print $2}') $w"
    done | sort -n | tail -1 | cut -d' ' -f2
}

# The game's box: a window of its own, owned by the game window W (the
# playfield and the menu bar are native windows of the same name, never
# owned). Nothing when no box is up.
#   game_box W
game_box() {
    local b
    for b in $(xdotool search --onlyvisible --name "^Brontix$" 2>/dev/null); do
        if xprop -id "$b" WM_TRANSIENT_FOR 2>/dev/null | grep -qi "# $(printf '0x%x' "$1")$"; then
            echo "$b"
            return
        fi
    done
}

# Whether a recording's last ticks are followed by a check: the state of a
# game that ended, checked as it ended.
#   ended_game_checked RECORDING
ended_game_checked() {
    awk '/^tick [0-9]+$/ {last = NR} {line[NR] = $0} END {exit !(last && line[last + 1] ~ /^check [0-9a-f]+$/)}' "$1"
}

# CPU time of a process so far, in clock ticks.
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
