// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// The cost of drawing a frame: a whole one, and one after a tick that moved
// the balls, each with the renderer every screen uses; and the window's own
// road with the ball array full: a wake-up of the session 64 times a second.
#include <benchmark/benchmark.h>

#include "game/form1.h"
#include "render/background_picture.h"
#include "render/scene_renderer.h"
#include "scenes.h"
#include "session/inside.h"

namespace brontix::bench {
namespace {

render::BackgroundPicture gradient() {
    render::BackgroundPicture picture(scene::kPlayfieldWidth, scene::kPlayfieldHeight,
                                      game::kFormBackColor);
    for (int y = 0; y < scene::kPlayfieldHeight; ++y) {
        picture.setPenColour(0x808080 - 0x010101 * (y / 5));
        picture.drawLine(0, static_cast<float>(y), scene::kPlayfieldWidth, static_cast<float>(y));
    }
    return picture;
}

void BM_RenderFrame(benchmark::State& state) {
    Scene scene(static_cast<int>(state.range(0)));
    const render::BackgroundPicture picture = gradient();
    render::PixelBuffer frame(scene::kPlayfieldWidth, scene::kPlayfieldHeight);
    render::SceneRenderer renderer;
    for (auto _ : state) {
        renderer.render(frame, picture, scene.form());
        benchmark::DoNotOptimize(frame.data());
    }
}
BENCHMARK(BM_RenderFrame)->Arg(1)->Arg(64)->Arg(1024)->Arg(32768)->Unit(benchmark::kMicrosecond);

// A tick and the frame it changed: what the window does 64 times a second.
void BM_TickAndChangedFrame(benchmark::State& state) {
    Scene scene(static_cast<int>(state.range(0)));
    const render::BackgroundPicture picture = gradient();
    render::PixelBuffer frame(scene::kPlayfieldWidth, scene::kPlayfieldHeight);
    render::SceneRenderer renderer;
    renderer.render(frame, picture, scene.form());
    for (auto _ : state) {
        scene.rewind();
        scene.tick();
        benchmark::DoNotOptimize(renderer.renderChanges(frame, picture, scene.form()));
    }
}
BENCHMARK(BM_TickAndChangedFrame)->Arg(1)->Arg(64)->Arg(32768)->Unit(benchmark::kMicrosecond);

// A front end that shows frames, as the window does.
class Framed : public platform::headless::HeadlessHost {
public:
    bool showsFrames() const override { return true; }
};

// Copies the rectangles an answer drew onto a screen, as the window does.
void show(render::PixelBuffer& screen, const render::PixelBuffer& frame, const session::Answer& a) {
    for (const render::Rect& r : a.drawn)
        for (int y = r.y; y < r.bottom(); ++y)
            std::copy(frame.row(y) + r.x, frame.row(y) + r.right(), screen.row(y) + r.x);
}

// The session as the window drives it with the ball array full: one
// wake-up a tick, 64 a second, each running its tick, drawing what changed
// and handing that to the screen. One second of play; the window keeps its
// pace while a wake-up takes under 15.6 ms.
void BM_WindowPaceFullBallArray(benchmark::State& state) {
    Framed host;
    render::PixelBuffer screen(scene::kPlayfieldWidth, scene::kPlayfieldHeight);
    std::int64_t now = 0;
    session::Session session(host, [&now] { return now; });
    session.start();
    session.menu(session::Command::NewGame);
    fillBallArray(session::Inside::form(session));
    session.click();
    for (auto _ : state) {
        now = session.nextWake().value();
        show(screen, session.frame(), session.wake());
    }
    state.counters["balls"] = session::Inside::form(session).Ball.UBound() + 1;
    state.counters["ticks"] = static_cast<double>(session.ticksRun());
}
BENCHMARK(BM_WindowPaceFullBallArray)->Iterations(64)->Unit(benchmark::kMillisecond);

// Demo with 64 balls in play on a screen of `scale` hundredths of a device
// pixel a playfield pixel: a wake-up a tick, its tick run and what it
// changed drawn at that scale and shown. Ten seconds of play.
void BM_DemoTickAtScale(benchmark::State& state) {
    Framed host;
    const render::Scale scale(state.range(0), 100);
    render::PixelBuffer screen = render::frameAt(scale);
    std::int64_t now = 0;
    session::Session session(host, [&now] { return now; });
    session.setScale(scale);
    host.setClock(7);
    session.start();
    session.menu(session::Command::Demo);
    fillBallArray(session::Inside::form(session), 64);
    session.click();
    for (auto _ : state) {
        now = session.nextWake().value();
        show(screen, session.frame(), session.wake());
    }
    state.counters["ticks"] = static_cast<double>(session.ticksRun());
}
BENCHMARK(BM_DemoTickAtScale)
    ->Arg(100)
    ->Arg(150)
    ->Arg(200)
    ->Arg(300)
    ->Iterations(640)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace brontix::bench
