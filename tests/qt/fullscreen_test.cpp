// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWindow>

#include <string>

#include "qt_game.h"
#include "session/recorder.h"

namespace brontix::testing {
namespace {

TEST(QtFullScreen, BackdropCoversTheScreenAndOwnsTheCentredGameWindow) {
    QtGame g;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&g.window()));
    g.window().fullScreenAction()->trigger();
    platform::qt::Backdrop* back = g.host().backdrop();
    ASSERT_NE(back, nullptr);
    EXPECT_TRUE(back->isVisible());
    EXPECT_TRUE(back->windowState() & Qt::WindowMaximized);
    EXPECT_EQ(back->windowTitle(), "Brontix FullScreen");
    EXPECT_FALSE(back->windowFlags() & Qt::WindowMaximizeButtonHint);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(back->frameGeometry().contains(screen)) << back->frameGeometry().width();
    EXPECT_TRUE(g.window().isVisible());
    ASSERT_NE(g.window().windowHandle(), nullptr);
    EXPECT_EQ(g.window().windowHandle()->transientParent(), back->windowHandle());
    // Centred on what a maximised window covers: the screen's available
    // area (this platform draws the backdrop's frame outside it).
    const QRect frame = g.window().frameGeometry();
    EXPECT_NEAR(frame.center().x(), screen.center().x(), 1);
    EXPECT_NEAR(frame.center().y(), screen.center().y(), 1);

    // Again: still one backdrop, and a moved game window comes back.
    g.window().move(5, 5);
    g.window().fullScreenAction()->trigger();
    EXPECT_EQ(g.host().backdrop(), back);
    EXPECT_NEAR(g.window().frameGeometry().center().x(), screen.center().x(), 1);
    EXPECT_EQ(g.window().frameGeometry().size(), frame.size());
    back->close();
    EXPECT_FALSE(back->isVisible());
    EXPECT_TRUE(g.window().isVisible());  // closing the backdrop leaves the game
}

TEST(QtFullScreen, EscapeClosesTheBackdropAndOtherwiseIsTheGames) {
    // The recorder outlives the session, which writes its last check as it goes.
    std::string script;
    session::Recorder recorder([&script](std::string_view line) { script += line; }, 0);
    QtGame g;
    g.session().record(&recorder);
    auto* field = g.window().playfield();
    // Typed in the game window, or in the backdrop itself.
    for (const bool inBackdrop : {false, true}) {
        g.window().fullScreenAction()->trigger();
        platform::qt::Backdrop* back = g.host().backdrop();
        ASSERT_TRUE(back->isVisible());
        QTest::keyClick(inBackdrop ? static_cast<QWidget*>(back) : field, Qt::Key_Escape);
        EXPECT_FALSE(back->isVisible());
        EXPECT_TRUE(g.window().isVisible());
    }
    EXPECT_EQ(script.find("key 27"), std::string::npos);
    QTest::keyClick(field, Qt::Key_Escape);  // no backdrop: the game's key
    g.session().record(nullptr);
    EXPECT_NE(script.find("key 27"), std::string::npos);
}

TEST(QtFullScreen, BackdropIsBlackAndInert) {
    QtGame g;
    g.window().fullScreenAction()->trigger();
    platform::qt::Backdrop* back = g.host().backdrop();
    const QImage img = back->grab().toImage();
    EXPECT_EQ(img.pixelColor(img.width() / 2, img.height() / 2), QColor(Qt::black));
    const float paddle = g.form().Paddle.Left;
    QTest::mouseClick(back, Qt::LeftButton);
    QTest::keyClick(back, 'p');
    EXPECT_TRUE(g.form().Timer1.Enabled);
    EXPECT_EQ(g.form().Paddle.Left, paddle);
}

}  // namespace
}  // namespace brontix::testing
