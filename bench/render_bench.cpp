// The cost of drawing a whole frame with the Qt platform's renderer.
#include <benchmark/benchmark.h>

#include <QImage>

#include "game/form1.h"
#include "platform/qt/background_picture.h"
#include "platform/qt/scene_renderer.h"
#include "scenes.h"

namespace brontix::bench {
namespace {

void BM_RenderFrame(benchmark::State& state) {
    Scene scene(static_cast<int>(state.range(0)));
    platform::qt::BackgroundPicture picture(game::kClientWidth, game::kClientHeight,
                                            game::kFormBackColor);
    for (int y = 0; y < game::kClientHeight; ++y) {
        picture.setPenColour(0x808080 - 0x010101 * (y / 5));
        picture.drawLine(0, static_cast<float>(y), 640, static_cast<float>(y));
    }
    QImage frame(game::kClientWidth, game::kClientHeight, QImage::Format_RGB32);
    platform::qt::SceneRenderer renderer;
    for (auto _ : state) {
        renderer.render(frame, picture.image(), scene.form());
        benchmark::DoNotOptimize(frame.constBits());
    }
}
BENCHMARK(BM_RenderFrame)->Arg(1)->Arg(64)->Arg(1024)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace brontix::bench
