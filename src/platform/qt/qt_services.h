// The game's services on a real Qt window.
#pragma once

#include <functional>
#include <QPoint>
#include <memory>

#include "platform/qt/backdrop.h"
#include "platform/qt/main_window.h"
#include "platform/random.h"
#include "platform/services.h"

namespace brontix::platform::qt {

class QtServices : public Services {
public:
    explicit QtServices(MainWindow& window);
    ~QtServices() override;

    void Randomize() override;
    float Rnd() override { return generator_.next(); }

    void setDrawColor(Colour colour) override;
    void setDrawWidth(int pixels) override;
    void drawLine(float x1, float y1, float x2, float y2) override;
    int scaleHeight() const override;

    void messageBox(const std::string& text) override;

    void showBackdrop() override;
    WindowRect backdropRect() const override;
    void hideGameWindow() override;
    WindowRect gameWindowRect() const override;
    void moveGameWindow(float leftTwips, float topTwips) override;
    void showGameWindowOwnedByBackdrop() override;

    Backdrop* backdrop() { return backdrop_.get(); }

    // Replaces the modal box (tests open their own event loop here).
    std::function<void(const std::string&)> messageBoxHook;

private:
    void showCaption(const std::string& text) override;

    MainWindow& window_;
    std::unique_ptr<Backdrop> backdrop_;
    QPoint placed_;  // where full-screen mode last put the game window
    SplitMix64 generator_;
};

}  // namespace brontix::platform::qt
