// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// What a front end gives the session: the screen and windows it runs in,
// its clock, and its way of showing a modal box. The Qt window, the page
// and the replay driver each implement it; the game never sees it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "render/pixels.h"
#include "scene/services.h"

namespace brontix::session {

// The full-screen windows (scene::Windows) are the front end's as well.
class Host : public scene::Windows {
public:
    // The system clock the random source is seeded from.
    virtual std::uint64_t clock() = 0;

    // Shows the rectangles of the frame that were drawn again.
    virtual void present(const render::PixelBuffer& frame, const std::vector<render::Rect>& rects) = 0;
    // Whether it shows frames as the game goes; one that does not (the
    // replay driver) has the frame drawn only when it asks for it.
    virtual bool showsFrames() const { return true; }

    // The main window's caption, only when it changed.
    virtual void showCaption(const std::string& text) = 0;

    // A modal box with an OK button. Returns true when the player has
    // answered it by the time it returns (a desktop box runs its own loop);
    // false when it stays open, in which case the front end calls
    // Session::boxClosed() once the player answers.
    virtual bool messageBox(const std::string& text) = 0;
};

}  // namespace brontix::session
