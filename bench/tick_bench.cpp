// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// The cost of one tick, through the game's own tick code.
#include <benchmark/benchmark.h>

#include "game/form1.h"
#include "scenes.h"
#include "session/inside.h"
#include "tick/tick.h"

namespace brontix::bench {
namespace {

void runTicks(benchmark::State& state, Scene& scene) {
    for (auto _ : state) {
        scene.rewind();
        scene.tick();
    }
    benchmark::DoNotOptimize(scene.form().state.score);
}

// Balls in flight under a New Game wall; 32768 is as many as the array
// holds.
void BM_TickBalls(benchmark::State& state) {
    Scene scene(static_cast<int>(state.range(0)));
    runTicks(state, scene);
    state.counters["per ball"] = benchmark::Counter(
        static_cast<double>(state.range(0)),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_TickBalls)->Arg(1)->Arg(64)->Arg(1024)->Arg(32768);

void BM_TickThousandShots(benchmark::State& state) {
    Scene scene(1, 1000);
    runTicks(state, scene);
}
BENCHMARK(BM_TickThousandShots);

// The capsule array holds at most 32768 elements (indexes are 16-bit), so
// that is as many missed capsules as a game can have.
void BM_TickParkedCapsules(benchmark::State& state) {
    Scene scene(1, 0, static_cast<int>(state.range(0)));
    runTicks(state, scene);
}
BENCHMARK(BM_TickParkedCapsules)->Arg(32768);

// A real game whose multi-ball capsules double the balls: 3 840 of them at
// tick 2500, 28 168 at tick 2640. The average of those 140 ticks.
void BM_TickCascadeOfBalls(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        platform::headless::HeadlessHost host;
        session::Session session(host, [] { return std::int64_t{0}; });
        playCascade(session, host, 2500);
        state.ResumeTiming();
        for (int n = 0; n < 140; ++n) tick::Timer1_Timer(session::Inside::form(session));
        state.PauseTiming();
        state.counters["balls"] = session::Inside::form(session).Ball.UBound() + 1;
        state.ResumeTiming();
    }
    state.counters["per tick"] = benchmark::Counter(
        140, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_TickCascadeOfBalls)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace brontix::bench
