// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// Under a scale factor of 2 the playfield is drawn at twice the size and
// stays crisp: each scene pixel becomes a 2 x 2 block of the same colour.
#include <gtest/gtest.h>

#include <QApplication>
#include <QSet>
#include <QTest>

#include "qt_game.h"

namespace brontix::testing {
namespace {

TEST(HiDpi, PlayfieldIsScaledByPixelRepetition) {
    QtGame g;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&g.window()));
    g.session().key('p');  // nothing moves while the window is read
    const QImage frame = g.frame().copy();
    const QImage grabbed = g.window().playfield()->grab().toImage();
    ASSERT_EQ(grabbed.devicePixelRatio(), 2.0);
    ASSERT_EQ(grabbed.size(), QSize(1280, 1060));

    // Along the left and bottom edges of brick 247 (row 19, column 0) and
    // across the paddle, only colours the frame itself has may appear, each
    // repeated over its 2 x 2 block.
    QSet<QRgb> own;
    for (int y = 300; y < 330; ++y)
        for (int x = 0; x < 64; ++x) own.insert(frame.pixel(x, y));
    for (int y = 436; y < 460; ++y)
        for (int x = 268; x < 350; ++x) own.insert(frame.pixel(x, y));
    auto check = [&](int x0, int y0, int x1, int y1) {
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) {
                const QRgb device = grabbed.pixel(x, y);
                ASSERT_TRUE(own.contains(device)) << "blended colour at " << x << "," << y;
                ASSERT_EQ(device, frame.pixel(x / 2, y / 2)) << x << "," << y;
            }
    };
    check(2 * 0, 2 * 300, 2 * 64, 2 * 330);
    check(2 * 268, 2 * 436, 2 * 350, 2 * 460);
}

}  // namespace
}  // namespace brontix::testing

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
