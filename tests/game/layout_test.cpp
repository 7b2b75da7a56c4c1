// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <vector>

#include "game/form1.h"
#include "support/stub_services.h"

namespace brontix::game {
namespace {

class Layout : public ::testing::Test {
protected:
    testing::StubServices services;
    Form1 f{services};
};

TEST_F(Layout, BricksFollowTheGridRule) {
    struct Case {
        int index;
        float left, top;
    };
    for (const Case c : {Case{0, 8, 0}, Case{12, 584, 0}, Case{13, 8, 16}, Case{246, 584, 288},
                         Case{259, 584, 304}}) {
        SCOPED_TRACE(c.index);
        EXPECT_EQ(f.Shape1[c.index].Left, c.left);
        EXPECT_EQ(f.Shape1[c.index].Top, c.top);
        EXPECT_EQ(f.Shape1[c.index].Width, 49);
        EXPECT_EQ(f.Shape1[c.index].Height, 17);
        EXPECT_TRUE(f.Shape1[c.index].Visible);
    }
    EXPECT_EQ(f.Shape1.UBound(), 259);
    // Brick 12 ends one pixel past the right wall's inner edge.
    EXPECT_EQ(f.Shape1[12].Left + f.Shape1[12].Width, 633);
}

TEST_F(Layout, StacksFrontToBackInTheLayoutOrder) {
    std::vector<scene::StackKey> order = {f.RFire[0].Z, f.LFire[0].Z, f.PowUp[0].Z, f.Line14[0].Z,
                                          f.Line2.Z,    f.Line7.Z,    f.Ball[2].Z,  f.Ball[1].Z,
                                          f.Line1.Z,    f.Ball[0].Z,  f.Paddle.Z};
    for (int i = 259; i >= 0; --i) order.push_back(f.Shape1[i].Z);
    for (auto* l : {&f.Line3, &f.Line4, &f.Line5, &f.Line6, &f.Line9, &f.Line8, &f.Line10,
                    &f.Line11, &f.Line12})
        order.push_back(l->Z);
    order.push_back(f.Line13[0].Z);
    for (std::size_t i = 1; i < order.size(); ++i) EXPECT_GT(order[i - 1], order[i]) << i;
}

TEST_F(Layout, LinesHaveTheirEndsColoursAndWidths) {
    struct Case {
        const scene::Line* line;
        float x1, y1, x2, y2;
        scene::Colour colour;
        int width;
    };
    const Case cases[] = {
        {&f.Line1, 8, 0, 8, 472, 0xE0E0E0, 2},       {&f.Line2, 633, 0, 633, 472, 0xC0C0C0, 2},
        {&f.Line7, 8, 472, 632, 472, 0xC0C0C0, 2},   {&f.Line14[0], 8, 16, 632, 16, 0x800000, 1},
        {&f.Line13[0], 56, 456, 56, 0, 0x000000, 1}, {&f.Line3, 16, 440, 624, 440, 0x00FFFF, 1},
        {&f.Line4, 16, 424, 624, 424, 0x0080FF, 1},  {&f.Line5, 16, 400, 624, 400, 0x0040C0, 1},
        {&f.Line6, 16, 368, 624, 368, 0x004080, 1},  {&f.Line9, 616, 464, 24, 464, 0x000000, 1},
        {&f.Line10, 24, 464, 24, 0, 0x808080, 1},    {&f.Line12, 616, 464, 616, 0, 0x808080, 1},
        {&f.Line8, 24, 464, 8, 472, 0x808080, 1},    {&f.Line11, 616, 464, 632, 472, 0x808080, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.line->X1, c.x1);
        EXPECT_EQ(c.line->Y1, c.y1);
        EXPECT_EQ(c.line->X2, c.x2);
        EXPECT_EQ(c.line->Y2, c.y2);
        EXPECT_EQ(c.line->BorderColor, c.colour);
        EXPECT_EQ(c.line->BorderWidth, c.width);
        EXPECT_TRUE(c.line->Visible);
    }
    EXPECT_EQ(f.Line13.UBound(), 0);
    EXPECT_EQ(f.Line14.UBound(), 0);
}

TEST_F(Layout, ShowsThreeBallsAndHidesTheTemplates) {
    using scene::ShapeForm;
    const float balls[3][2] = {{304, 427}, {288, 424}, {320, 424}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(f.Ball[i].Visible);
        EXPECT_EQ(f.Ball[i].Left, balls[i][0]);
        EXPECT_EQ(f.Ball[i].Top, balls[i][1]);
        EXPECT_EQ(f.Ball[i].Width, 14);
        EXPECT_EQ(f.Ball[i].Form, ShapeForm::Circle);
        EXPECT_EQ(f.Ball[i].BackColor, 0xC0C0C0);
    }
    EXPECT_FALSE(f.PowUp[0].Visible);
    EXPECT_FALSE(f.LFire[0].Visible);
    EXPECT_FALSE(f.RFire[0].Visible);
    EXPECT_EQ(f.PowUp[0].BackColor, 0xFF00FF);
    EXPECT_EQ(f.PowUp[0].Form, ShapeForm::Oval);
    EXPECT_EQ(f.LFire[0].Left, 280);
    EXPECT_EQ(f.RFire[0].Left, 328);
    EXPECT_EQ(f.Paddle.Form, ShapeForm::RoundedRectangle);
    EXPECT_EQ(f.Paddle.Left, 272);
    EXPECT_EQ(f.Paddle.Width, 73);
    EXPECT_TRUE(f.Timer1.Enabled);
    EXPECT_EQ(f.Timer1.Interval, 1);
    EXPECT_EQ(services.caption(), "Brontix");
}

TEST_F(Layout, TheStateStartsEmpty) {
    EXPECT_EQ(f.state.score, 0);
    EXPECT_EQ(f.state.demoMode, False);
    EXPECT_EQ(f.state.stickyPaddle, False);
    EXPECT_TRUE(f.state.ballVel.empty());
    EXPECT_TRUE(f.state.ballPos.empty());
    EXPECT_TRUE(f.state.ballHeld.empty());
    EXPECT_TRUE(f.state.ballFade.empty());
    EXPECT_TRUE(f.state.capsuleSpeed.empty());
}

TEST(Booleans, ToggleByComplement) {
    EXPECT_EQ(Not(False), True);
    EXPECT_EQ(Not(Not(False)), False);
}

TEST(Score, WrapsInsteadOfOverflowing) {
    std::int32_t score = 2147483647 - 5;
    addScore(score, 10);
    EXPECT_EQ(score, -2147483648 + 4);
    addScore(score, -10);
    EXPECT_EQ(score, 2147483647 - 5);
}

}  // namespace
}  // namespace brontix::game
