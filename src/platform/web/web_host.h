// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// The session's front end in a web page: the page's caption, modal box,
// full-screen backdrop, clock and canvas, reached through the functions the
// page's script gives the WebAssembly module (page.h).
#pragma once

#include <cstdint>
#include <vector>

#include "session/host.h"

namespace brontix::platform::web {

class WebHost final : public session::Host {
public:
    std::uint64_t clock() override;
    void present(const render::PixelBuffer& frame, const std::vector<render::Rect>& rects) override;
    void showCaption(const std::string& text) override;
    // A page cannot stop a tick until the player answers: the box opens as
    // the tick goes on, and the page says when it is closed.
    bool messageBox(const std::string& text) override;

    void showBackdrop() override;
    scene::WindowRect backdropRect() const override;
    void hideGameWindow() override;
    scene::WindowRect gameWindowRect() const override;
    void moveGameWindow(float leftTwips, float topTwips) override;
    void showGameWindowOwnedByBackdrop() override;

private:
    // The frame as the canvas wants it, bytes R, G, B, A.
    std::vector<std::uint32_t> rgba_ = std::vector<std::uint32_t>(
        static_cast<std::size_t>(scene::kPlayfieldWidth) * scene::kPlayfieldHeight);
    std::vector<std::int32_t> rectWords_;
};

}  // namespace brontix::platform::web
