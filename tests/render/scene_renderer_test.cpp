// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "game/game.h"
#include "render/background_picture.h"
#include "render/scene_renderer.h"
#include "support/stub_services.h"

namespace brontix::render {
namespace {

constexpr int kW = scene::kPlayfieldWidth;
constexpr int kH = scene::kPlayfieldHeight;
constexpr Colour kGround = 0x404040;

// The renderer alone, on a game with an empty wall, over a plain background.
class Render : public ::testing::Test {
protected:
    Render() : background(kW, kH, kGround), frame(kW, kH) {
        game::Form_Load(g);
        game::ng_Click(g);
        for (auto& brick : g.Shape1) brick.Visible = false;
    }

    PixelBuffer whole() {
        PixelBuffer f(kW, kH);
        drawWholeFrame(f, background.pixels(), g);
        return f;
    }
    // A shape of the given form alone in an empty corner of the playfield.
    scene::Shape& solo(scene::ShapeForm form, float w, float h) {
        scene::Shape& s = g.PowUp[0];
        s.Form = form;
        s.Move(100, 100, w, h);
        s.BackColor = 0x0000FF;
        s.BorderColor = 0x00FF00;
        s.Visible = true;
        for (int i = 0; i <= 12; ++i) g.Line13[i].Visible = false;
        return s;
    }
    std::uint32_t at(const PixelBuffer& f, int x, int y) { return f.pixel(x, y); }

    testing::StubServices services;
    game::Form1 g{services};
    BackgroundPicture background;
    PixelBuffer frame;
    const std::uint32_t fill = toPixel(0x0000FF), border = toPixel(0x00FF00),
                        ground = toPixel(kGround);
};

TEST_F(Render, EachFigureIsFilledAndOutlinedInsideItsBox) {
    using scene::ShapeForm;
    // A rectangle covers its whole box, outlined on its edge pixels.
    solo(ShapeForm::Rectangle, 20, 10);
    PixelBuffer f = whole();
    EXPECT_EQ(at(f, 100, 100), border);
    EXPECT_EQ(at(f, 119, 109), border);
    EXPECT_EQ(at(f, 101, 101), fill);
    EXPECT_EQ(at(f, 120, 105), ground);

    // An oval leaves its box's corners; its widest row touches both sides.
    solo(ShapeForm::Oval, 33, 17);
    f = whole();
    EXPECT_EQ(at(f, 100, 100), ground);
    EXPECT_EQ(at(f, 100, 108), border);
    EXPECT_EQ(at(f, 132, 108), border);
    EXPECT_EQ(at(f, 116, 108), fill);
    EXPECT_EQ(at(f, 116, 100), border);

    // A circle uses the smaller side, centred in the box.
    solo(ShapeForm::Circle, 30, 14);
    f = whole();
    EXPECT_EQ(at(f, 100, 107), ground);
    EXPECT_EQ(at(f, 108, 107), border);
    EXPECT_EQ(at(f, 121, 107), border);
    EXPECT_EQ(at(f, 114, 107), fill);
    EXPECT_EQ(at(f, 122, 107), ground);

    // A rounded rectangle keeps straight sides and cuts its corners.
    solo(ShapeForm::RoundedRectangle, 73, 17);
    f = whole();
    EXPECT_EQ(at(f, 100, 100), ground);
    EXPECT_EQ(at(f, 136, 100), border);
    EXPECT_EQ(at(f, 100, 108), border);
    EXPECT_EQ(at(f, 136, 108), fill);
}

TEST_F(Render, LinesCoverBothEndsAndWidePensWidenThem) {
    const PixelBuffer f = whole();
    // Line1, the left wall, 2 pixels wide at X 8: columns 7 and 8.
    EXPECT_EQ(at(f, 7, 200), toPixel(0xE0E0E0));
    EXPECT_EQ(at(f, 8, 200), toPixel(0xE0E0E0));
    EXPECT_EQ(at(f, 6, 200), ground);
    // Line8, the bevel from (24, 464) to (8, 472), one pixel.
    EXPECT_EQ(at(f, 20, 466), toPixel(0x808080));
    EXPECT_EQ(at(f, 16, 468), toPixel(0x808080));

    // On the background, a 15-pixel pen covers 15 rows and rounds its ends.
    BackgroundPicture pic(kW, kH, 0);
    pic.setPenWidth(15);
    pic.setPenColour(0xFFFFFF);
    pic.drawLine(100, 480, 115, 480);
    int rows = 0;
    for (int y = 460; y < 500; ++y) rows += pic.pixels().pixel(107, y) == 0xFFFFFFFFu;
    EXPECT_EQ(rows, 15);
    EXPECT_EQ(pic.pixels().pixel(120, 480), 0xFFFFFFFFu);  // the cap past the end
    EXPECT_EQ(pic.pixels().pixel(120, 473), 0xFF000000u);  // but not its corner
}

TEST_F(Render, ChangedRectanglesGiveTheWholeFrame) {
    game::Form1& f = g;
    SceneRenderer incremental;
    incremental.render(frame, background.pixels(), f);
    EXPECT_TRUE(incremental.renderChanges(frame, background.pixels(), f).empty());

    f.Ball[1].Visible = true;
    f.Ball[1].Move(200, 380);                        // shown and moved
    f.Shape1[100].Visible = !f.Shape1[100].Visible;  // a brick shown
    f.Paddle.Width = 105;                            // resized
    f.Ball[0].BackColor = 0x123456;                  // recoloured
    const auto& rects = incremental.renderChanges(frame, background.pixels(), f);
    ASSERT_FALSE(rects.empty());
    int area = 0;
    for (const Rect& r : rects) area += r.w * r.h;
    EXPECT_LT(area, kW * kH / 10);
    EXPECT_EQ(frame, whole());

    // Loaded elements, and a ball brought to the front over another.
    for (int n = 0; n < 40; ++n) f.PowUp.Load();
    f.PowUp[39].Move(190, 380);
    f.PowUp[39].Visible = true;
    f.ZOrderFront(f.Ball[1]);
    incremental.renderChanges(frame, background.pixels(), f);
    EXPECT_EQ(frame, whole());
}

}  // namespace
}  // namespace brontix::render
