# SPDX-FileCopyrightText: 2026 The Brontix developers
# SPDX-License-Identifier: MIT
# A process's share of one core, and a game that plays the same every run,
# for the window benchmarks (sourced after they define fail; they set
# SECONDS_EACH).

# Put before a command: the system clock the walls are dealt from stands
# still at one moment for it (libfaketime; the monotonic clock the pace runs
# on is left alone), so Demo plays the same walls, capsules and balls each
# time and only the machine varies. env executes the command in its own
# place, so a job started so has the command's process id.
FAKETIME_LIB=$(dpkg -L libfaketime 2>/dev/null | grep '/libfaketime.so.1$' | head -1)
[ -n "$FAKETIME_LIB" ] || fail "libfaketime is missing (scripts/install-deps brings it)"
FROZEN_CLOCK=(env LD_PRELOAD="$FAKETIME_LIB" FAKETIME="2026-12-09 12:00:00" FAKETIME_DONT_FAKE_MONOTONIC=1)

# CPU time of a process, all its threads, in nanoseconds: schedstat is
# exact, stat counts whole clock ticks. (Printed as an integer: mawk prints
# a sum past 2^31 as 2.7e+09, which shell arithmetic cannot read.)
cpu_ns() {
    if [ -r "/proc/$1/task/$1/schedstat" ]; then
        cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{sum += $1} END {printf "%.0f\n", sum}'
    else
        echo $(($(cpu_ticks "$1") * 1000000000 / $(getconf CLK_TCK)))
    fi
}
# Percent of one core over SECONDS_EACH.
measure() {
    local c0 c1 t0 t1
    c0=$(cpu_ns "$1")
    t0=$(date +%s%N)
    sleep "$SECONDS_EACH"
    c1=$(cpu_ns "$1")
    t1=$(date +%s%N)
    awk -v c="$((c1 - c0))" -v t="$((t1 - t0))" 'BEGIN {printf "%.3f", 100 * c / t}'
}
median() { tr ' ' '\n' | sort -g | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }

