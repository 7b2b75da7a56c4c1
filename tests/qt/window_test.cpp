// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QEventLoop>
#include <QMenuBar>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <optional>

#include "qt_game.h"
#include "session/inside.h"
#include "session/recorder.h"

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

// Minimised by the player, a running game pauses as p would; the hiding
// and showing of Full Screen does not pause it.
TEST(Window, MinimisedItPausesAsPWould) {
    QtGame g;
    g.window().newGameAction()->trigger();
    g.window().fullScreenAction()->trigger();
    EXPECT_TRUE(g.session().timerEnabled());
    g.window().showMinimized();
    EXPECT_FALSE(g.session().timerEnabled());
    EXPECT_EQ(g.window().windowTitle(), "Brontix [Paused]");
}

// The window's own timer paces the ticks. The game's box opens without a
// loop of its own; while it is up, p, New Game, a click and a pointer move
// are neither run nor recorded and no tick runs, until it is answered.
TEST(Window, ItsTimerPacesTheTicksAndTheBoxHoldsTheGame) {
    std::string script;
    session::Recorder recorder([&script](std::string_view line) { script += line; }, 0);
    platform::qt::QtGame g;
    g.start(&recorder);
    game::Form1& f = session::Inside::form(g.session());
    auto* field = g.window().playfield();
    g.window().newGameAction()->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return g.session().ticksRun() >= 5; }, 10000));
    f.Ball[0].Visible = false;  // the next tick loses
    ASSERT_TRUE(QTest::qWaitFor([&] { return g.host().box() != nullptr; }, 10000));
    QMessageBox* box = g.host().box();
    EXPECT_EQ(box->text(), "You lose!");
    EXPECT_EQ(box->windowModality(), Qt::WindowModal);
    // Wide enough for the title the window manager draws above it.
    ASSERT_TRUE(QTest::qWaitForWindowExposed(box));
    EXPECT_GE(box->width(), box->fontMetrics().horizontalAdvance(box->windowTitle()) +
                                platform::qt::QtHost::kTitleBarRoom);

    const std::uint64_t ticks = g.session().ticksRun();
    const std::string recorded = script;
    const QString caption = g.window().windowTitle();
    QTest::keyClick(field, Qt::Key_P);
    g.window().newGameAction()->trigger();
    QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(500, 100));
    QTest::mouseMove(field, QPoint(500, 100));
    g.session().key('p');
    spin(200);  // time in which a tick would have come
    EXPECT_EQ(g.session().ticksRun(), ticks);
    EXPECT_EQ(script, recorded);
    EXPECT_EQ(g.window().windowTitle(), caption);
    EXPECT_FALSE(f.Timer1.Enabled);

    box->accept();
    ASSERT_TRUE(QTest::qWaitFor([&] { return g.host().box() == nullptr; }, 10000));
    EXPECT_FALSE(g.session().boxOpen());
    spin(100);  // the game is over: no tick is woken
    EXPECT_EQ(g.session().ticksRun(), ticks);
    g.window().newGameAction()->trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return g.session().ticksRun() > ticks; }, 10000));
}

}  // namespace
}  // namespace brontix::testing
