// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// For tests, benchmarks and fuzzing only: the rules' state inside a
// session, to set up a board or look at it, the background picture, and a
// look at the moment the game opens its box. Front ends see the session
// only through session.h; this reaches the rules, which no front end may.
#pragma once

#include <functional>
#include <string>

#include "game/form1.h"
#include "session/core.h"

namespace brontix::session {

struct Inside {
    static game::Form1& form(Session& s) { return s.core_->form(); }
    static const game::Form1& form(const Session& s) { return s.core_->form(); }
    static const render::BackgroundPicture& picture(const Session& s) { return s.core_->picture(); }
    // Called with the box's text as the game opens it, inside the tick that
    // opens it: the rules' order at that moment.
    static void onBoxOpening(Session& s, std::function<void(const std::string&)> look) {
        s.core_->onBoxOpening = std::move(look);
    }
};

}  // namespace brontix::session
