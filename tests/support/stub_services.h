// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// Services that do nothing, for tests of the game's own code that look at
// a window before start-up or measure its windows by hand.
#pragma once

#include "scene/services.h"

namespace brontix::testing {

class StubServices : public scene::Services {
public:
    void Randomize() override {}
    float Rnd() override { return 0; }
    void setDrawColor(scene::Colour) override {}
    void setDrawWidth(int) override {}
    void drawLine(float, float, float, float) override {}
    void messageBox(const std::string&) override {}
    void showBackdrop() override {}
    scene::WindowRect backdropRect() const override { return {}; }
    void hideGameWindow() override {}
    scene::WindowRect gameWindowRect() const override { return {}; }
    void moveGameWindow(float, float) override {}
    void showGameWindowOwnedByBackdrop() override {}
    void report(const scene::GameEvent&) override {}

private:
    void showCaption(const std::string&) override {}
};

}  // namespace brontix::testing
