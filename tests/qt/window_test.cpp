#include <gtest/gtest.h>

#include <QMenuBar>

#include "game/basic.h"
#include "qt_game.h"

namespace brontix::testing {
namespace {

TEST(Window, StartsWithTheCaptionAndThreeTopLevelCommands) {
    QtGame g;
    EXPECT_EQ(g.window.windowTitle(), "Brontix");
    const QList<QAction*> actions = g.window.menuBar()->actions();
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
    g.window.show();
    EXPECT_EQ(g.window.playfield()->size(), QSize(640, 530));
    EXPECT_EQ(g.window.minimumSize(), g.window.maximumSize());
    const Qt::WindowFlags flags = g.window.windowFlags();
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(g.window.playfield()->hasMouseTracking());
    g.window.hide();
}

TEST(BackgroundPicture, HoldsTheGradientAndThePaletteStrip) {
    QtGame g;
    const render::PixelBuffer& img = g.window.playfield()->picture().pixels();
    ASSERT_EQ(img.width(), 640);
    ASSERT_EQ(img.height(), 530);
    for (int x : {0, 320, 639}) {
        EXPECT_EQ(bgr(img.pixel(x, 0)), 0x808080);
        for (int y = 3; y <= 7; ++y) EXPECT_EQ(bgr(img.pixel(x, y)), 0x7F7F7F) << y;
        EXPECT_EQ(bgr(img.pixel(x, 529)), 0x161616);
    }
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(bgr(img.pixel(15 * i + 3, 480)), game::kPalette[static_cast<unsigned>(i)]) << i;
    // Past the strip the gradient shows again.
    EXPECT_EQ(bgr(img.pixel(400, 480)), game::RGB(32, 32, 32));
}

TEST(SceneRenderer, DrawsBricksOverTheGridInTheirColours) {
    QtGame g;
    game::Form1& f = g.form;
    // A known wall: only brick 14 shown, in a known colour.
    for (auto& brick : f.Shape1) brick.Visible = false;
    f.Shape1[14].Visible = true;
    f.Shape1[14].BackColor = 0x1234F0;
    f.Shape1[14].BorderColor = 0x00FF00;
    const QImage& frame = g.window.playfield()->renderFrame();
    const platform::Shape& b = f.Shape1[14];  // 56, 16, 49 x 17
    EXPECT_EQ(bgr(frame.pixel(int(b.Left) + 10, int(b.Top) + 8)), 0x1234F0);
    // The outline lies on the bounding box's own edge pixels; along the top
    // edge Line14(0), stacked in front of the bricks, covers it.
    EXPECT_EQ(bgr(frame.pixel(int(b.Left) + 10, int(b.Top))), 0x800000);
    EXPECT_EQ(bgr(frame.pixel(int(b.Left) + 10, int(b.Top) + 16)), 0x00FF00);
    EXPECT_EQ(bgr(frame.pixel(int(b.Left), int(b.Top) + 8)), 0x00FF00);
    EXPECT_EQ(bgr(frame.pixel(int(b.Left) + 48, int(b.Top) + 8)), 0x00FF00);
    // Where bricks are hidden the vertical grid line at X 152 shows, black.
    EXPECT_EQ(bgr(frame.pixel(152, 24)), 0x000000);
    // The right wall, 2 pixels wide, light grey.
    EXPECT_EQ(bgr(frame.pixel(633, 400)), 0xC0C0C0);
    // The paddle's fill at its centre.
    EXPECT_EQ(bgr(frame.pixel(308, 448)), 0xC0C0C0);
}

TEST(SceneRenderer, DrawsLaterLoadedObjectsInFront) {
    QtGame g;
    game::Form1& f = g.form;
    // A capsule over the paddle covers it; the paddle covers the band line.
    f.PowUp[0].Move(290, 440);
    f.PowUp[0].Visible = true;
    const QImage& frame = g.window.playfield()->renderFrame();
    EXPECT_EQ(bgr(frame.pixel(306, 448)), 0xFF00FF);
    EXPECT_EQ(bgr(frame.pixel(280, 440)), 0x000000);  // paddle outline over Line3
    EXPECT_EQ(bgr(frame.pixel(20, 440)), 0x00FFFF);   // Line3 where nothing covers it
}

}  // namespace
}  // namespace brontix::testing
