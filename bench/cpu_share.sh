# SPDX-FileCopyrightText: 2026 The Brontix developers
# SPDX-License-Identifier: MIT
# A process's share of one core, for the window benchmarks (sourced; they
# set SECONDS_EACH).

# CPU time of a process, all its threads, in nanoseconds: schedstat is
# exact, stat counts whole clock ticks.
cpu_ns() {
    if [ -r "/proc/$1/task/$1/schedstat" ]; then
        cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{sum += $1} END {print sum}'
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

