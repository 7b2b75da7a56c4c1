// The deterministic platform of the replay driver and the tests: the
// script's clock, a queue of random values in front of the generator,
// message boxes answered at once, and a 1920 x 1080 virtual screen.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/random.h"
#include "platform/services.h"

namespace brontix::platform::headless {

// The headless screen, pixels.
inline constexpr int kScreenWidth = 1920;
inline constexpr int kScreenHeight = 1080;

// The fixed frame around the game window's client area, pixels: a 24-pixel
// title bar, a 20-pixel menu bar and 4-pixel borders.
inline constexpr int kFrameTitle = 24;
inline constexpr int kFrameMenu = 20;
inline constexpr int kFrameBorder = 4;

struct WindowState {
    bool exists = false;
    bool visible = false;
    int left = 0;  // outer frame, screen pixels
    int top = 0;
    int width = 0;
    int height = 0;
    bool ownedByBackdrop = false;
};

// One line drawn on the background picture.
struct Stroke {
    Colour colour;
    int width;
    float x1, y1, x2, y2;
};

class HeadlessServices : public Services {
public:
    HeadlessServices();

    // The value the clock reports from now on.
    void setClock(std::uint64_t value) { clock_ = value; }
    // Values the random source returns next, before its generator's.
    void queueRandom(float value) { queued_.push_back(value); }

    void Randomize() override { generator_.seed(clock_); }
    float Rnd() override;

    void setDrawColor(Colour colour) override { drawColour_ = colour; }
    void setDrawWidth(int pixels) override { drawWidth_ = pixels; }
    void drawLine(float x1, float y1, float x2, float y2) override;
    int scaleHeight() const override;

    void messageBox(const std::string& text) override;

    void showBackdrop() override;
    WindowRect backdropRect() const override { return inTwips(form2_); }
    void hideGameWindow() override { form1_.visible = false; }
    WindowRect gameWindowRect() const override { return inTwips(form1_); }
    void moveGameWindow(float leftTwips, float topTwips) override;
    void showGameWindowOwnedByBackdrop() override;

    // The game window is created with the main window, and shown after
    // start-up.
    void createGameWindow();
    void showGameWindow() { form1_.visible = true; }

    const std::vector<std::string>& messages() const { return messages_; }
    const std::vector<Stroke>& strokes() const { return strokes_; }
    const WindowState& form1() const { return form1_; }
    const WindowState& form2() const { return form2_; }

    // Called with each message box's text while it is open (tests use it
    // to look inside the box's lifetime).
    std::function<void(const std::string&)> onMessageBox;

private:
    void showCaption(const std::string&) override {}

    static WindowRect inTwips(const WindowState& w) {
        return pixelsInTwips(w.left, w.top, w.width, w.height);
    }

    std::uint64_t clock_ = 0;
    std::deque<float> queued_;
    SplitMix64 generator_;
    Colour drawColour_ = 0;
    int drawWidth_ = 1;
    std::vector<Stroke> strokes_;
    std::vector<std::string> messages_;
    WindowState form1_;
    WindowState form2_;
};

}  // namespace brontix::platform::headless
