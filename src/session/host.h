// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// What the session must ask of its front end: the system clock, and whether
// it shows frames at all. The Qt window, the page and the replay driver
// each implement it; the game never sees it. Everything else (what was
// drawn, the caption, the box, the windows of full screen) the session
// answers from each call.
#pragma once

#include <cstdint>

namespace brontix::session {

class Host {
public:
    virtual ~Host() = default;

    // The system clock the random source is seeded from.
    virtual std::uint64_t clock() = 0;

    // Whether it shows frames as the game goes; one that does not (the
    // replay driver) has the frame drawn only when it asks for it.
    virtual bool showsFrames() const { return true; }
};

}  // namespace brontix::session
