// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include <benchmark/benchmark.h>

BENCHMARK_MAIN();
