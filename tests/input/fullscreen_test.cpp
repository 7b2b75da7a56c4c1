// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "input/input.h"
#include "session/session.h"
#include "support/fixture.h"
#include "support/stub_services.h"

namespace brontix::input {
namespace {

using testing::Game;

// Full Screen as a front end sees it: the session answers the window
// steps, and the headless front end carries them out.
void fullScreen(Game& g) {
    g.host().apply(g.session(), g.session().menu(session::Command::FullScreen));
}

TEST(FullScreen, CentresTheGameWindowOnTheBackdrop) {
    Game g;
    const auto& w1 = g.host().form1();
    const auto& w2 = g.host().form2();
    EXPECT_FALSE(w2.exists);
    const session::Answer a = g.session().menu(session::Command::FullScreen);
    // The steps in the order the rules take them.
    using Kind = session::WindowStep::Kind;
    ASSERT_EQ(a.windows.size(), 4u);
    EXPECT_EQ(a.windows[0].kind, Kind::ShowBackdrop);
    EXPECT_EQ(a.windows[1].kind, Kind::HideGame);
    EXPECT_EQ(a.windows[2].kind, Kind::MoveGame);
    EXPECT_EQ(a.windows[3].kind, Kind::ShowGameOwnedByBackdrop);
    EXPECT_FALSE(w2.exists);  // nothing moves until the front end applies them
    g.host().apply(g.session(), a);
    EXPECT_TRUE(w2.visible);
    EXPECT_EQ(w2.width, 1920);
    EXPECT_EQ(w2.height, 1080);
    EXPECT_TRUE(w1.visible);
    EXPECT_TRUE(g.host().ownedByBackdrop());
    EXPECT_EQ(w1.left, (1920 - 648) / 2);
    EXPECT_EQ(w1.top, (1080 - 578) / 2);
    EXPECT_EQ(w1.width, 648);
}

TEST(FullScreen, ASecondCommandKeepsOneBackdropAndRecentres) {
    Game g;
    fullScreen(g);
    // The player moved it.
    g.session().placeWindows({0, 0, 1920, 1080}, {10, 20, 648, 578});
    fullScreen(g);
    EXPECT_EQ(g.host().form1().left, 636);
    EXPECT_EQ(g.host().form1().top, 251);
}

TEST(FullScreen, AResizeRecentresOnlyWhileTheBackdropOwnsTheGame) {
    Game g;
    const std::string before = g.session().caption();
    EXPECT_TRUE(g.session().placeWindows({0, 0, 800, 600}, {0, 0, 648, 578}).windows.empty());
    fullScreen(g);
    // The backdrop grew (the browser went full screen): centred again,
    // one move and nothing else.
    session::Answer a = g.session().placeWindows({0, 0, 1000, 700}, {76, 11, 648, 578});
    ASSERT_EQ(a.windows.size(), 1u);
    EXPECT_EQ(a.windows[0].kind, session::WindowStep::Kind::MoveGame);
    EXPECT_EQ(a.windows[0].left, 176);
    EXPECT_EQ(a.windows[0].top, 61);
    g.session().backdropClosed();
    EXPECT_TRUE(g.session().placeWindows({0, 0, 500, 400}, {176, 61, 648, 578}).windows.empty());
    EXPECT_EQ(g.session().caption(), before);
}

TEST(FullScreen, PauseAndCaptionStay) {
    Game g;
    g.newGame();
    Form_KeyPress(g.form(), 112);
    fullScreen(g);
    EXPECT_FALSE(g.form().Timer1.Enabled);
    EXPECT_EQ(g.caption(), "Brontix [Paused]");
}

// The centring arithmetic, on windows of any size.
class MeasuredWindows : public testing::StubServices {
public:
    scene::WindowRect back, game;
    float movedLeft = -1, movedTop = -1;
    scene::WindowRect backdropRect() const override { return back; }
    scene::WindowRect gameWindowRect() const override { return game; }
    void moveGameWindow(float l, float t) override {
        movedLeft = l;
        movedTop = t;
    }
};

TEST(FullScreen, AHalfSizeWindowLandsAtAQuarter) {
    MeasuredWindows s;
    game::Form1 form(s);
    s.back = {0, 0, 28800, 16200};
    s.game = {123, 456, 14400, 8100};
    mnuFS_Click(form);
    EXPECT_EQ(s.movedLeft, 7200);
    EXPECT_EQ(s.movedTop, 4050);
    // On an offset backdrop the centre follows the backdrop, not the screen;
    // a window wider than it goes negative and is left so.
    s.back = {1500, 300, 9000, 6000};
    s.game = {0, 0, 12000, 3000};
    mnuFS_Click(form);
    EXPECT_EQ(s.movedLeft, 4500 + 1500 - 6000);
    EXPECT_EQ(s.movedTop, 3000 + 300 - 1500);
    s.back = {0, 0, 3000, 3000};
    mnuFS_Click(form);
    EXPECT_EQ(s.movedLeft, 1500 - 6000);
}

}  // namespace
}  // namespace brontix::input
