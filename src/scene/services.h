// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// What the game needs from the windowing layer. The game calls these and
// nothing else of the platform; the session provides them all and answers
// the front end what came of them.
#pragma once

#include <cmath>
#include <string>
#include <string_view>

#include "scene/scene.h"

namespace brontix::scene {

// A window's outer frame on the screen, in twips (1/1440 inch).
struct WindowRect {
    float Left = 0;
    float Top = 0;
    float Width = 0;
    float Height = 0;
};

// 15 twips to a pixel, at 96 dots per inch.
inline constexpr float kTwipsPerPixel = 15.0f;

// A window's outer frame given in screen pixels.
inline WindowRect pixelsInTwips(int left, int top, int width, int height) {
    return {static_cast<float>(left) * kTwipsPerPixel, static_cast<float>(top) * kTwipsPerPixel,
            static_cast<float>(width) * kTwipsPerPixel,
            static_cast<float>(height) * kTwipsPerPixel};
}

// The whole pixel a window placed in twips lands on. A place far past any
// screen is still a place; it is kept within a million pixels.
inline int twipsToPixels(float twips) {
    const float px = std::nearbyint(twips / kTwipsPerPixel);
    if (!(px > -1e6f)) return -1000000;
    if (px > 1e6f) return 1000000;
    return static_cast<int>(px);
}

// What the game tells of itself as it goes, for whoever watches it: the
// moments a player would point at.
struct GameEvent {
    enum class Kind { NewGame, Paused, Resumed, BallLost, CapsuleCaught, Lost, Won };
    Kind kind;
    // A caught capsule's effect; the box's text of a game lost or won.
    std::string_view what;
};

class Services {
public:
    virtual ~Services() = default;

    // Random source: reseed from the system clock; draw a value in [0, 1).
    virtual void Randomize() = 0;
    virtual float Rnd() = 0;

    // The main window's persistent background picture.
    virtual void setDrawColor(Colour colour) = 0;
    virtual void setDrawWidth(int pixels) = 0;
    virtual void drawLine(float x1, float y1, float x2, float y2) = 0;
    // The client area's height in pixels, the same on every screen.
    int scaleHeight() const { return kPlayfieldHeight; }

    // The main window's caption. Every tick writes the score line, which
    // mostly reads as it did: a platform shows only a caption that changed.
    void setCaption(const std::string& text) {
        if (text == caption_) return;
        caption_ = text;
        showCaption(caption_);
    }
    const std::string& caption() const { return caption_; }

    // A modal box with an OK button.
    virtual void messageBox(const std::string& text) = 0;

    // The two windows of full-screen mode as the game moves them: the
    // backdrop (Form2) and the game window (Form1), their outer frames in
    // twips.
    virtual void showBackdrop() = 0;
    virtual WindowRect backdropRect() const = 0;
    virtual void hideGameWindow() = 0;
    virtual WindowRect gameWindowRect() const = 0;
    virtual void moveGameWindow(float leftTwips, float topTwips) = 0;
    virtual void showGameWindowOwnedByBackdrop() = 0;

    // Something happened that a watcher marks.
    virtual void report(const GameEvent& event) = 0;

protected:
    virtual void showCaption(const std::string& text) = 0;

private:
    std::string caption_;
};

}  // namespace brontix::scene
