// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include "platform/web/web_host.h"

#include <algorithm>

#include "platform/web/page.h"

namespace brontix::platform::web {

render::Scale canvasScale(int deviceWidth) {
    const std::int64_t width =
        std::clamp(deviceWidth, scene::kPlayfieldWidth / 4, scene::kPlayfieldWidth * 4);
    return {width, scene::kPlayfieldWidth};
}

std::string spoken(std::span<const session::Event> events, std::int32_t score) {
    using Kind = session::Event::Kind;
    std::string said;
    for (const session::Event& e : events) {
        std::string one;
        switch (e.kind) {
        case Kind::NewGame: one = "New game."; break;
        case Kind::Paused: one = "Paused."; break;
        case Kind::Resumed: one = "Playing."; break;
        case Kind::BallLost: one = "Ball lost."; break;
        case Kind::CapsuleCaught: continue;
        case Kind::Lost:
        case Kind::Won: one = std::string(e.what) + " Score " + std::to_string(score) + "."; break;
        }
        said += (said.empty() ? "" : " ") + one;
    }
    return said;
}

std::uint64_t WebHost::clock() { return pageClock(); }

double WebHost::apply(const session::Answer& answer) {
    for (const session::WindowStep& step : answer.windows) carryOut(step);
    if (!answer.drawn.empty()) canvas_.present(answer.drawn, *answer.frame);
    if (answer.caption)
        pageSetCaption(answer.caption->data(), static_cast<int>(answer.caption->size()));
    if (answer.box) pageMessageBox(answer.box->data(), static_cast<int>(answer.box->size()));
    return answer.wake ? static_cast<double>(*answer.wake) / 1e6 : -1;
}

void toRgba(const render::PixelBuffer& frame, std::span<const render::Rect> rects,
            std::uint32_t* rgba) {
    // Little-endian RGBA bytes are 0xAABBGGRR words.
    for (const render::Rect& r : rects) {
        for (int y = r.y; y < r.bottom(); ++y) {
            const std::uint32_t* from = frame.row(y);
            std::uint32_t* to = rgba + static_cast<std::size_t>(y) * frame.width();
            for (int x = r.x; x < r.right(); ++x) {
                const std::uint32_t p = from[x];
                to[x] = (p & 0xFF00FF00u) | (p >> 16 & 0xFFu) | (p & 0xFFu) << 16;
            }
        }
    }
}

void Canvas::present(std::span<const render::Rect> rects, const render::PixelBuffer& frame) {
    rgba_.resize(static_cast<std::size_t>(frame.width()) *
                 static_cast<std::size_t>(frame.height()));
    toRgba(frame, rects, rgba_.data());
    rectWords_.clear();
    for (const render::Rect& r : rects) rectWords_.insert(rectWords_.end(), {r.x, r.y, r.w, r.h});
    pagePresent(reinterpret_cast<const std::uint8_t*>(rgba_.data()), frame.width(), frame.height(),
                rectWords_.data(), static_cast<int>(rects.size()));
}

void WebHost::carryOut(const session::WindowStep& step) {
    using Kind = session::WindowStep::Kind;
    switch (step.kind) {
    case Kind::ShowBackdrop: pageShowBackdrop(); break;
    case Kind::HideGame: pageHideGame(); break;
    case Kind::MoveGame: pageMoveGame(step.left, step.top); break;
    case Kind::ShowGameOwnedByBackdrop: pageShowGameOwned(); break;
    }
}

}  // namespace brontix::platform::web
