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
        drawWholeFrame(f, background, g);
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
    incremental.render(frame, background, f);
    EXPECT_TRUE(incremental.renderChanges(frame, background, f).empty());

    f.Ball[1].Visible = true;
    f.Ball[1].Move(200, 380);                        // shown and moved
    f.Shape1[100].Visible = !f.Shape1[100].Visible;  // a brick shown
    f.Paddle.Width = 105;                            // resized
    f.Ball[0].BackColor = 0x123456;                  // recoloured
    const auto& rects = incremental.renderChanges(frame, background, f);
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
    incremental.renderChanges(frame, background, f);
    EXPECT_EQ(frame, whole());
}

// A background with a gradient line and a palette mark, which a scaled
// frame must draw at its scale too.
BackgroundPicture painted() {
    BackgroundPicture pic(kW, kH, kGround);
    pic.setPenColour(0x00C0C0);
    pic.drawLine(0, 250, kW, 250);
    pic.setPenWidth(15);
    pic.setPenColour(0xC000C0);
    pic.drawLine(30, 480, 45, 480);
    return pic;
}

// Moves and shows enough to redraw pieces of every kind.
void play(game::Form1& f) {
    f.Ball[1].Visible = true;
    f.Ball[1].Move(201, 377);
    f.Paddle.Width = 105;
    f.Line13[3].Visible = false;
    f.Shape1[247].Visible = true;
}

TEST_F(Render, AtAWholeScaleEachPlayfieldPixelIsASquare) {
    const BackgroundPicture pic = painted();
    for (const int k : {2, 3}) {
        SceneRenderer r;
        r.setScale({k, 1});
        PixelBuffer big = frameAt({k, 1});
        r.render(big, pic, g);
        play(g);
        for (const Rect& rect : r.renderChanges(big, pic, g))
            EXPECT_TRUE(rect.x % k == 0 && rect.y % k == 0 && rect.w % k == 0 && rect.h % k == 0);
        PixelBuffer one(kW, kH);
        drawWholeFrame(one, pic, g);
        ASSERT_EQ(big.width(), kW * k);
        int wrong = 0;
        for (int y = 0; y < big.height(); ++y)
            for (int x = 0; x < big.width(); ++x)
                wrong += big.pixel(x, y) != one.pixel(x / k, y / k);
        EXPECT_EQ(wrong, 0) << "at scale " << k;
    }
}

TEST_F(Render, AtOtherScalesEdgesAreNearestAndWidthsHoldEverywhere) {
    const BackgroundPicture pic = painted();
    for (const Scale s : {Scale{5, 4}, Scale{3, 2}, Scale{173, 100}}) {
        const int thin = s.width(1);
        // The device columns of row y, from x0 to x1, that have colour c.
        auto columns = [](const PixelBuffer& f, int y, int x0, int x1, Colour c) {
            std::vector<int> xs;
            for (int x = x0; x <= x1; ++x)
                if (f.pixel(x, y) == toPixel(c)) xs.push_back(x);
            return xs;
        };
        auto run = [](int from, int n) {
            std::vector<int> xs;
            for (int i = 0; i < n; ++i) xs.push_back(from + i);
            return xs;
        };
        for (int i = 0; i <= 12; ++i) g.Line13[i].Visible = true;
        PixelBuffer f = frameAt(s);
        drawWholeFrame(f, pic, g, s);
        const int row = s.at(300);
        // Every upright grid line, one playfield pixel wide (the last lies
        // under the right wall), and the left wall.
        for (int i = 0; i < 12; ++i) {
            const int x = s.at(56 + 48 * i);
            EXPECT_EQ(columns(f, row, x - 4, x + 4, 0x000000), run(x, thin)) << i;
        }
        EXPECT_EQ(columns(f, row, 0, 20, 0xE0E0E0), run(s.at(7), s.width(2)));
        // The background's line, drawn at the scale too.
        std::vector<int> gradient;
        for (int y = s.at(245); y < s.at(255); ++y)
            if (f.pixel(s.at(300), y) == toPixel(0x00C0C0)) gradient.push_back(y);
        EXPECT_EQ(gradient, run(s.at(250), thin));

        // A rectangle: its edges where its playfield edges fall, its
        // outline as deep as a line is wide.
        solo(scene::ShapeForm::Rectangle, 20, 10);
        drawWholeFrame(f, pic, g, s);
        const int left = s.at(100), right = s.at(120), mid = s.at(105);
        EXPECT_EQ(columns(f, mid, left - 2, right + 2, 0x00FF00), [&] {
            std::vector<int> xs = run(left, thin);
            for (const int x : run(right - thin, thin)) xs.push_back(x);
            return xs;
        }());
        EXPECT_EQ(columns(f, mid, left, right, 0x0000FF).size(),
                  static_cast<std::size_t>(right - left - 2 * thin));

        // Redrawn piece by piece, the frame is the one drawn whole.
        SceneRenderer r;
        r.setScale(s);
        PixelBuffer followed = frameAt(s);
        r.render(followed, pic, g);
        play(g);
        r.renderChanges(followed, pic, g);
        drawWholeFrame(f, pic, g, s);
        EXPECT_EQ(followed, f);
    }
}

TEST(Scale, EdgesGoToTheNearestDevicePixelAndHalfwayToTheEven) {
    const Scale s(3, 2);
    EXPECT_EQ((std::vector{s.at(1), s.at(3), s.at(5), s.at(-3)}), (std::vector{2, 4, 8, -4}));
    EXPECT_EQ((std::vector{s.width(1), s.width(2), Scale(5, 4).width(1), Scale(1, 4).width(1)}),
              (std::vector{2, 3, 1, 1}));
    // 1.1 x 15 is 16.5 exactly, which the even neighbour takes.
    EXPECT_EQ(Scale::parse("1.1")->at(15), 16);
    EXPECT_EQ(Scale::parse("15e-1"), Scale(3, 2));
    EXPECT_FALSE(Scale::parse("4.01") || Scale::parse("0.2") || Scale::parse("1,5"));
}

}  // namespace
}  // namespace brontix::render
