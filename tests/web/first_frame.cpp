// The first frame of the game for a clock value, drawn natively: the bytes
// R, G, B, A of each pixel, row after row, as the page's canvas holds them.
//   first_frame CLOCK > frame.rgba
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "game/game.h"
#include "platform/headless/headless_services.h"
#include "render/background_picture.h"
#include "render/scene_renderer.h"

int main(int argc, char** argv) {
    using namespace brontix;
    if (argc != 2) return 2;
    platform::headless::HeadlessServices services;
    services.setClock(std::strtoull(argv[1], nullptr, 10));
    game::Form1 form(services);
    game::Form_Load(form);
    render::BackgroundPicture picture(platform::kPlayfieldWidth, platform::kPlayfieldHeight,
                                      game::kFormBackColor);
    for (const auto& s : services.strokes()) {
        picture.setPenColour(s.colour);
        picture.setPenWidth(s.width);
        picture.drawLine(s.x1, s.y1, s.x2, s.y2);
    }
    render::PixelBuffer frame(platform::kPlayfieldWidth, platform::kPlayfieldHeight);
    render::drawWholeFrame(frame, picture.pixels(), form);
    std::vector<unsigned char> out;
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x) {
            const std::uint32_t p = frame.pixel(x, y);
            out.insert(out.end(), {static_cast<unsigned char>(p >> 16), static_cast<unsigned char>(p >> 8),
                                   static_cast<unsigned char>(p), 255});
        }
    return std::fwrite(out.data(), 1, out.size(), stdout) == out.size() ? 0 : 1;
}
