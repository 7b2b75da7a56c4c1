# SPDX-FileCopyrightText: 2026 The Brontix developers
# SPDX-License-Identifier: MIT
# What every test of the real game on a display server shares: sourced by
# the X11 session, the Wayland test and the window benchmark. The caller
# sets OUT (a folder for logs, emptied here) and defines fail(); it gets a
# private XDG_RUNTIME_DIR, wait_for, and PIDS, whose processes end, last
# started first, when the caller exits.

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
