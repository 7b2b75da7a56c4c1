# SPDX-FileCopyrightText: 2026 The Brontix developers
# SPDX-License-Identifier: MIT
# An X server with a window manager, for the real window: sourced by the
# end-to-end test and the window benchmark. The caller sets OUT (a folder for
# logs, emptied here) and defines fail(); it gets DISPLAY, wait_for and PIDS,
# whose processes end, last started first, when the caller exits.

rm -rf "$OUT"
mkdir -p "$OUT"
export XDG_RUNTIME_DIR="$OUT/runtime"
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM

PIDS=()
cleanup() {
    for ((i = ${#PIDS[@]} - 1; i >= 0; i--)); do kill "${PIDS[i]}" 2>/dev/null; done
    for pid in "${PIDS[@]}"; do
        for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
        kill -9 "$pid" 2>/dev/null
    done
}
trap cleanup EXIT

# Polls a condition (a shell command) every 0.1 s for at most $1 seconds.
wait_for() {
    local limit=$1
    shift
    local deadline=$((SECONDS + limit))
    until eval "$@"; do
        ((SECONDS >= deadline)) && return 1
        sleep 0.1
    done
}

start_x_session() {
    exec 3>"$OUT/display"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >"$OUT/xvfb.log" 2>&1 &
    PIDS+=($!)
    wait_for 10 '[ -s "$OUT/display" ]' || fail "Xvfb did not start"
    export DISPLAY=":$(head -1 "$OUT/display")"
    openbox >"$OUT/openbox.log" 2>&1 &
    PIDS+=($!)
    wait_for 10 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window' ||
        fail "openbox did not start"
    sleep 1  # openbox announces itself before it manages windows
}

# CPU time of a process so far, in clock ticks.
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
