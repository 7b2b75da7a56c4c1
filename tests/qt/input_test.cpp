// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QCursor>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include "game/form1.h"
#include "qt_game.h"
#include "session/inside.h"
#include "session/recorder.h"

namespace brontix::testing {
namespace {

using platform::qt::Playfield;

TEST(PlayfieldInput, MovesArriveInPlayfieldPixelsWithoutAButton) {
    QtGame g;
    Playfield* field = g.window().playfield();
    QSignalSpy moved(field, &Playfield::pointerMoved);
    QTest::mouseMove(field, QPoint(123, 45));
    ASSERT_GE(moved.count(), 1);
    EXPECT_EQ(moved.last().at(0).toFloat(), 123.0f);
    EXPECT_EQ(moved.last().at(1).toFloat(), 45.0f);
}

// A flick past the right edge in 200-pixel steps: the last move the window
// system reports is at 520, and the pointer leaves. The game gets one more
// move, where the path crossed the edge, and records it.
TEST(PlayfieldInput, APointerThatLeavesMovesTheGameToTheEdgeItCrossed) {
    std::string script;
    session::Recorder recorder([&script](std::string_view line) { script += line; }, 0);
    QtGame g;
    g.start(&recorder);
    g.window().newGameAction()->trigger();
    Playfield* field = g.window().playfield();
    QTest::mouseMove(field, QPoint(320, 100));
    QTest::mouseMove(field, QPoint(520, 200));
    QCursor::setPos(field->mapToGlobal(QPoint(720, 400)));
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(field, &leave);
    const game::Form1& f = session::Inside::form(g.session());
    EXPECT_EQ(f.Paddle.Left, 639 - f.Paddle.Width / 2);
    EXPECT_EQ(script.substr(script.size() - 13), "move 639 319\n");
}

TEST(PlayfieldInput, EachLeftReleaseIsOneClick) {
    QtGame g;
    Playfield* field = g.window().playfield();
    QSignalSpy clicked(field, &Playfield::clicked);
    QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(100, 100));
    EXPECT_EQ(clicked.count(), 1);
    // A double-click as the window system delivers it: press, release, a
    // double-click press, release. It gives two clicks.
    const QPointF at(100, 100);
    const QPointF global = field->mapToGlobal(at);
    auto send = [&](QEvent::Type type, Qt::MouseButtons held) {
        QMouseEvent e(type, at, global, Qt::LeftButton, held, Qt::NoModifier);
        QCoreApplication::sendEvent(field, &e);
    };
    send(QEvent::MouseButtonPress, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, Qt::NoButton);
    send(QEvent::MouseButtonDblClick, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, Qt::NoButton);
    EXPECT_EQ(clicked.count(), 3);
    QTest::mouseClick(field, Qt::RightButton, {}, QPoint(100, 100));
    EXPECT_EQ(clicked.count(), 3);
}

TEST(PlayfieldInput, TypedCharactersPassTheirCode) {
    QtGame g;
    Playfield* field = g.window().playfield();
    QSignalSpy typed(field, &Playfield::characterTyped);
    QTest::keyClick(field, Qt::Key_P);
    QTest::keyClick(field, 'P');
    QTest::keyClick(field, Qt::Key_Left);  // types nothing
    QTest::keyClick(field, Qt::Key_Space);
    ASSERT_EQ(typed.count(), 3);
    EXPECT_EQ(typed.at(0).at(0).toInt(), 112);
    EXPECT_EQ(typed.at(1).at(0).toInt(), 80);
    EXPECT_EQ(typed.at(2).at(0).toInt(), 32);
}

}  // namespace
}  // namespace brontix::testing
