// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// Under a scale factor (QT_SCALE_FACTOR, whole or not) the playfield is
// drawn at the screen's scale and shown pixel for pixel: the window shows
// exactly the frame the renderer draws at that scale, never a stretched one.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "qt_game.h"
#include "render/scene_renderer.h"

namespace brontix::testing {
namespace {

TEST(HiDpi, PlayfieldShowsTheFrameDrawnAtTheScreensScale) {
    QtGame g;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&g.window()));
    g.session().key('p');  // nothing moves while the window is read
    platform::qt::Playfield& field = *g.window().playfield();
    const double ratio = field.devicePixelRatioF();
    ASSERT_EQ(ratio, qEnvironmentVariable("QT_SCALE_FACTOR").toDouble());
    const render::Scale scale = render::Scale::nearest(ratio);

    render::PixelBuffer whole = render::frameAt(scale);
    render::drawWholeFrame(whole, session::Inside::picture(g.session()), g.form(), scale);
    const QImage& frame = g.frame();
    ASSERT_EQ(frame.size(), QSize(whole.width(), whole.height()));
    const QImage grabbed = field.grab().toImage();
    int unlike = 0, unshown = 0;
    for (int y = 0; y < whole.height(); ++y)
        for (int x = 0; x < whole.width(); ++x) {
            unlike += frame.pixel(x, y) != whole.pixel(x, y);
            unshown += grabbed.pixel(x, y) != whole.pixel(x, y);
        }
    EXPECT_EQ(unlike, 0);
    EXPECT_EQ(unshown, 0);
}

}  // namespace
}  // namespace brontix::testing

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR")) qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
