// The cost of one tick, through the game's own tick code.
#include <benchmark/benchmark.h>

#include "scenes.h"

namespace brontix::bench {
namespace {

void runTicks(benchmark::State& state, Scene& scene) {
    for (auto _ : state) {
        scene.rewind();
        scene.tick();
    }
    benchmark::DoNotOptimize(scene.form().state.score);
}

void BM_TickOneBall(benchmark::State& state) {
    Scene scene(1);
    runTicks(state, scene);
}
BENCHMARK(BM_TickOneBall);

void BM_TickManyBalls(benchmark::State& state) {
    Scene scene(static_cast<int>(state.range(0)));
    runTicks(state, scene);
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_TickManyBalls)->Arg(64)->Arg(1024)->Complexity(benchmark::oN);

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

}  // namespace
}  // namespace brontix::bench
