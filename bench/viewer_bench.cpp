// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// Seeking in an hour of play: Demo on, then 36 times New Game, a launch and
// 6 400 ticks, 230 400 points in all. Each seek lands on its point and
// draws its picture.
#include <benchmark/benchmark.h>

#include "viewer/viewer.h"

namespace brontix::bench {
namespace {

std::string anHourOfPlay() {
    std::string s = "clock 20261209\nmenu demo\n";
    for (int game = 0; game < 36; ++game) s += "menu new\nclick\ntick 6400\n";
    return s;
}

void seekBetween(benchmark::State& state, double from, double to) {
    auto opened = viewer::Viewer::open(anHourOfPlay());
    auto& v = *std::get<std::unique_ptr<viewer::Viewer>>(opened);
    v.surveyAll();
    const auto at = [&v](double share) {
        return static_cast<std::uint64_t>(share * static_cast<double>(v.last()));
    };
    for (auto _ : state) {
        state.PauseTiming();
        v.seek(at(from));
        benchmark::DoNotOptimize(v.frame().data());
        state.ResumeTiming();
        v.seek(at(to));
        benchmark::DoNotOptimize(v.frame().data());
    }
    state.counters["points"] = static_cast<double>(v.last());
    state.counters["moments"] = static_cast<double>(v.savedMoments());
    state.counters["saved KiB"] = static_cast<double>(v.savedBytes()) / 1024;
}

void BM_SeekStartToEnd(benchmark::State& state) { seekBetween(state, 0, 1); }
void BM_SeekStartToMiddle(benchmark::State& state) { seekBetween(state, 0, 0.5); }
void BM_SeekEndToMiddle(benchmark::State& state) { seekBetween(state, 1, 0.5); }
// Opening a recording: reading it, and its survey run through, with the
// moments it keeps. The hour of play above, and the largest the viewer
// takes whole: a day of play (its bound), here at start-up.
void openWhole(benchmark::State& state, const std::string& script) {
    std::size_t bytes = 0, moments = 0;
    std::uint64_t last = 0;
    for (auto _ : state) {
        auto opened = viewer::Viewer::open(script);
        auto& v = *std::get<std::unique_ptr<viewer::Viewer>>(opened);
        v.surveyAll();
        bytes = v.savedBytes();
        moments = v.savedMoments();
        last = v.last();
    }
    state.counters["points"] = static_cast<double>(last);
    state.counters["moments"] = static_cast<double>(moments);
    state.counters["saved MiB"] = static_cast<double>(bytes) / (1 << 20);
}
void BM_OpenAnHour(benchmark::State& state) { openWhole(state, anHourOfPlay()); }
void BM_OpenTheLargest(benchmark::State& state) {
    openWhole(state, "clock 1\ntick " + std::to_string(viewer::kMaxPoints) + "\n");
}
BENCHMARK(BM_OpenAnHour)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_OpenTheLargest)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_SeekStartToEnd)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SeekStartToMiddle)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SeekEndToMiddle)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace brontix::bench
