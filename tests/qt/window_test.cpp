// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QEventLoop>
#include <QMenuBar>
#include <QTest>
#include <QTimer>
#include <optional>

#include "qt_game.h"

namespace brontix::testing {
namespace {

TEST(Window, StartsWithTheCaptionAndThreeTopLevelCommands) {
    QtGame g;
    EXPECT_EQ(g.window().windowTitle(), "Brontix");
    const QList<QAction*> actions = g.window().menuBar()->actions();
    ASSERT_EQ(actions.size(), 3);
    EXPECT_EQ(actions[0]->text(), "&New Game");
    EXPECT_EQ(actions[1]->text(), "Demo");
    EXPECT_EQ(actions[2]->text(), "Full Screen");
    for (QAction* a : actions) {
        EXPECT_EQ(a->menu(), nullptr);
        EXPECT_FALSE(a->isCheckable());
        EXPECT_TRUE(a->isEnabled());
        EXPECT_TRUE(a->isVisible());
    }
}

TEST(Window, HasAFixedFrameAroundA640By530Playfield) {
    QtGame g;
    g.window().show();
    EXPECT_EQ(g.window().playfield()->size(), QSize(640, 530));
    EXPECT_EQ(g.window().minimumSize(), g.window().maximumSize());
    const Qt::WindowFlags flags = g.window().windowFlags();
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(g.window().playfield()->hasMouseTracking());
    g.window().hide();
}

void spin(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

TEST(Window, EveryEventReachesTheSession) {
    QtGame g;
    game::Form1& f = g.form();
    auto* field = g.window().playfield();
    g.window().newGameAction()->trigger();
    QTest::mouseMove(field, QPoint(200, 100));
    EXPECT_EQ(f.Paddle.Left, 200 - 36.5f);
    QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(200, 100));
    EXPECT_EQ(f.state.ballHeld[0], game::False);
    g.window().demoAction()->trigger();
    EXPECT_EQ(f.state.demoMode, game::True);
    QTest::keyClick(field, Qt::Key_P);
    EXPECT_EQ(g.window().windowTitle(), "Brontix [Paused]");
    g.window().fullScreenAction()->trigger();
    ASSERT_NE(g.host().backdrop(), nullptr);
    EXPECT_TRUE(g.host().backdrop()->isVisible());
}

// The window's own timer paces the ticks; under the game's box, whose loop
// runs inside a tick, none runs, and once the game is over none is woken.
TEST(Window, ItsTimerPacesTheTicksAndNoneRunsUnderTheBox) {
    QtGame g;
    g.window().newGameAction()->trigger();
    spin(300);
    const std::uint64_t ticks = g.session().ticksRun();
    EXPECT_GE(ticks, 5u);
    g.form().Ball[0].Visible = false;  // the next tick loses
    std::optional<std::uint64_t> underTheBox;
    g.host().messageBoxHook = [&](const std::string&) {
        const std::uint64_t before = g.session().ticksRun();
        spin(200);
        underTheBox = g.session().ticksRun() - before;
    };
    spin(100);
    EXPECT_EQ(underTheBox, std::optional<std::uint64_t>(0));
    EXPECT_FALSE(g.form().Timer1.Enabled);
    const std::uint64_t over = g.session().ticksRun();
    spin(100);
    EXPECT_EQ(g.session().ticksRun(), over);
}

}  // namespace
}  // namespace brontix::testing
