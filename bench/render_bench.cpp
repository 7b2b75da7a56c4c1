// The cost of drawing a frame: a whole one, and one after a tick that moved
// the balls, each with the renderer every screen uses.
#include <benchmark/benchmark.h>

#include "game/form1.h"
#include "render/background_picture.h"
#include "render/scene_renderer.h"
#include "scenes.h"

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
        renderer.render(frame, picture.pixels(), scene.form());
        benchmark::DoNotOptimize(frame.data());
    }
}
BENCHMARK(BM_RenderFrame)->Arg(1)->Arg(64)->Arg(1024)->Unit(benchmark::kMicrosecond);

// A tick and the frame it changed: what the window does 64 times a second.
void BM_TickAndChangedFrame(benchmark::State& state) {
    Scene scene(static_cast<int>(state.range(0)));
    const render::BackgroundPicture picture = gradient();
    render::PixelBuffer frame(scene::kPlayfieldWidth, scene::kPlayfieldHeight);
    render::SceneRenderer renderer;
    renderer.render(frame, picture.pixels(), scene.form());
    for (auto _ : state) {
        scene.rewind();
        scene.tick();
        benchmark::DoNotOptimize(renderer.renderChanges(frame, picture.pixels(), scene.form()));
    }
}
BENCHMARK(BM_TickAndChangedFrame)->Arg(1)->Arg(64)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace brontix::bench
