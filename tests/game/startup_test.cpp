// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <string>

#include "game/basic.h"
#include "session/inside.h"
#include "support/fixture.h"

namespace brontix::game {
namespace {

using testing::Game;

std::string visibleRows(Form1& f) {
    std::string rows;
    for (int r = 0; r < 20; ++r) {
        int shown = 0;
        for (int c = 0; c < 13; ++c) shown += f.Shape1[13 * r + c].Visible ? 1 : 0;
        rows += shown == 13 ? '#' : shown == 0 ? '.' : '?';
    }
    return rows;
}

int shownCount(Form1& f) {
    int n = 0;
    for (const auto& b : f.Shape1) n += b.Visible ? 1 : 0;
    return n;
}

TEST(StartupWall, BandsOfTenRowsHiddenFirst) {
    Game g({0.0f, 0.9f});  // p = 0, q = 10
    EXPECT_EQ(visibleRows(g.form()), "..........##########");
    EXPECT_EQ(shownCount(g.form()), 130);
}

TEST(StartupWall, SingleRowBandsShowTheOddRows) {
    Game g({0.49f, 0.09f});  // p = 0, q = 1
    EXPECT_EQ(visibleRows(g.form()), ".#.#.#.#.#.#.#.#.#.#");
}

TEST(StartupWall, CheckerboardWithSingleRowsShowsEvenColumns) {
    Game g({0.5f, 0.0f});  // p = 1, q = 1
    for (int i = 0; i < 260; ++i) EXPECT_EQ(g.form().Shape1[i].Visible, (i % 13) % 2 == 0) << i;
}

TEST(StartupWall, CheckerboardShiftsAtEveryBand) {
    Game g({0.99f, 0.15f});  // p = 1, q = 2
    for (int i = 0; i < 260; ++i) {
        const bool expected = (i + i / 26) % 2 == 0;
        EXPECT_EQ(g.form().Shape1[i].Visible, expected) << i;
    }
}

TEST(StartupWall, FillsRunFromYellowToRedCappedAt255) {
    Game g;
    for (int i = 0; i <= 5; ++i) EXPECT_EQ(g.form().Shape1[i].BackColor, 0x00FFFF) << i;
    EXPECT_EQ(g.form().Shape1[6].BackColor, 0x00FEFF);
    EXPECT_EQ(g.form().Shape1[259].BackColor, 0x0001FF);
    EXPECT_EQ(g.form().Shape1[100].BorderColor, 0x000000);
}

TEST(StartupGrid, VerticalLinesOnColumnBoundariesBehindEverything) {
    Game g;
    Form1& f = g.form();
    ASSERT_EQ(f.Line13.UBound(), 12);
    for (int i = 0; i <= 12; ++i) {
        EXPECT_EQ(f.Line13[i].X1, 56 + 48 * i);
        EXPECT_EQ(f.Line13[i].X2, 56 + 48 * i);
        EXPECT_EQ(f.Line13[i].Y1, 456);
        EXPECT_EQ(f.Line13[i].Y2, 0);
        EXPECT_EQ(f.Line13[i].BorderColor, 0);
        EXPECT_TRUE(f.Line13[i].Visible);
    }
    EXPECT_EQ(f.Line13[12].X1, 632);  // on the right wall's inner edge
    // Each line sent back lands behind the ones sent before it, and all of
    // them behind the layout's last object.
    for (int i = 1; i <= 12; ++i) EXPECT_LT(f.Line13[i].Z, f.Line13[i - 1].Z);
    EXPECT_LT(f.Line14[1].Z, f.Line13[12].Z);
}

TEST(StartupGrid, HorizontalLinesFadeFromBrightToDarkBlue) {
    Game g;
    Form1& f = g.form();
    ASSERT_EQ(f.Line14.UBound(), 19);
    EXPECT_EQ(f.Line14[0].BorderColor, 0x800000);
    EXPECT_EQ(f.Line14[1].BorderColor, 0xFC0000);
    EXPECT_EQ(f.Line14[19].BorderColor, 0x240000);
    for (int i = 0; i <= 19; ++i) {
        EXPECT_EQ(f.Line14[i].Y1, 16 * (i + 1));
        EXPECT_EQ(f.Line14[i].X1, 8);
        EXPECT_EQ(f.Line14[i].X2, 632);
    }
    for (int i = 1; i <= 19; ++i) {
        EXPECT_LT(f.Line14[i].Z, f.Line14[i - 1].Z);
        EXPECT_LT(f.Line14[i].Z, f.Shape1[0].Z);
    }
    // Line14(0) keeps its layout place in front of the bricks.
    EXPECT_GT(f.Line14[0].Z, f.Shape1[259].Z);
}

TEST(StartupState, LeavesTheStateTable) {
    Game g;
    GameState& st = g.state();
    ASSERT_EQ(st.ballVel.size(), 3u);
    ASSERT_EQ(st.ballPos.size(), 3u);
    ASSERT_EQ(st.ballHeld.size(), 3u);
    EXPECT_EQ(st.ballVel[0].x, 1.0f);
    EXPECT_EQ(st.ballVel[0].y, 0.0f);
    EXPECT_EQ(st.ballVel[1].x, 0.0f);
    for (const auto& p : st.ballPos) {
        EXPECT_EQ(p.x, 0.0f);
        EXPECT_EQ(p.y, 0.0f);
    }
    EXPECT_EQ(st.ballHeld[0], True);
    EXPECT_EQ(st.ballHeld[1], False);
    EXPECT_EQ(st.ballHeld[2], False);
    EXPECT_TRUE(st.ballFade.empty());
    EXPECT_TRUE(st.capsuleSpeed.empty());
    EXPECT_EQ(st.score, 0);
    EXPECT_EQ(st.demoMode, False);
    EXPECT_EQ(st.stickyPaddle, False);
    EXPECT_TRUE(g.form().Timer1.Enabled);
    EXPECT_EQ(g.caption(), "Brontix");
    // The balls stay at their layout places until the first tick.
    EXPECT_EQ(g.form().Ball[0].Left, 304);
}

TEST(StartupBackground, PaintsTheGradientThenThePaletteStrip) {
    Game g;
    const render::PixelBuffer& img = session::Inside::picture(g.session()).pixels();
    // &HBBGGRR of a pixel.
    auto at = [&](int x, int y) {
        const std::uint32_t p = img.pixel(x, y);
        return static_cast<Colour>((p >> 16 & 0xFF) | (p & 0xFF00) | (p & 0xFF) << 16);
    };
    for (int x : {0, 320, 639}) {
        EXPECT_EQ(at(x, 0), 0x808080);
        for (int y = 3; y <= 7; ++y) EXPECT_EQ(at(x, y), 0x7F7F7F) << y;
        EXPECT_EQ(at(x, 8), 0x7E7E7E);
        EXPECT_EQ(at(x, 529), 0x161616);  // the last row too
    }
    // Sixteen marks 15 pixels apart on row 480, each over the one before;
    // past them the gradient shows again.
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(at(15 * i + 3, 480), kPalette[static_cast<unsigned>(i)]) << i;
    EXPECT_EQ(at(93, 473), kPalette[6]);
    EXPECT_EQ(at(400, 480), RGB(32, 32, 32));
}

TEST(StartupRandom, SeedsFromTheClockBeforeDrawing) {
    // With nothing queued the two pattern draws come from the generator
    // seeded with the clock value, so the draw after them is the third of
    // that seed's sequence.
    platform::headless::HeadlessHost host;
    host.setClock(77);
    session::Session s(host, [] { return std::int64_t{0}; });
    s.start();
    scene::SplitMix64 seeded;
    seeded.seed(77);
    const int p = Int(2.0f * seeded.next());
    const int q = Int(10.0f * seeded.next()) + 1;
    EXPECT_EQ(session::Inside::form(s).services.Rnd(), seeded.next());
    for (int i = 0; i < 260; ++i) {
        const int band = i / (13 * q);
        EXPECT_EQ(session::Inside::form(s).Shape1[i].Visible,
                  p == 0 ? band % 2 == 1 : (i + band) % 2 == 0)
            << i;
    }
}

}  // namespace
}  // namespace brontix::game
