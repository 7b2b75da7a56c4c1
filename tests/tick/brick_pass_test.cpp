// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// The brick pass visits only the cells balls and shots can reach, and must
// find exactly what the rule's full walk finds: every ball against all 260
// bricks, every shot at every present brick, in index order. Both run on
// the same generated states; every knock-out releases a capsule, so the
// capsules' order is the order of the hits.
#include <gtest/gtest.h>

#include <random>

#include "input/input.h"
#include "session/dump.h"
#include "support/fixture.h"
#include "tick/phases.h"

namespace brontix::tick {
namespace {

using testing::Game;

// The rule as written, from the same per-brick tests.
void fullWalk(Form1& form, TickLocals& t) {
    surveyWall(form, t);
    std::vector<TickLocals::ShotCell> shots;
    for (int side = 0; side < 2; ++side)
        for (int i : (side == 0 ? form.leftShots : form.rightShots).active())
            shots.push_back({0, side, i});
    for (int i = 0; i <= form.Ball.UBound(); ++i) {
        if (!form.Ball[i].Visible) continue;
        const BallEdges edges = moveBall(form, t, i);
        t.hiddenCount = 0;
        for (int k = 0; k < game::kBrickCount; ++k) {
            Shape& brick = form.Shape1[k];
            if (!brick.Visible) {
                t.hiddenCount += 1;
                continue;
            }
            t.brickRight = brick.Width + brick.Left;
            t.brickBottom = brick.Height + brick.Top;
            if (form.LFire.UBound() > 0)
                for (const auto& shot : shots) shotAgainstBrick(form, t, brick, shot);
            ballAgainstBrick(form, t, i, edges, brick);
            if (t.hitFlag == True) knockOut(form, t, i, brick);
        }
    }
}

// A state full of edges: balls of every size on and around the cells'
// edges and corners, some held, some lost; shots across two bricks and
// above the top; a wall with gaps, dropped or dealt.
void generate(Game& g, unsigned seed) {
    std::mt19937 rng(seed);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    auto real = [&](float lo, float hi) {
        return std::uniform_real_distribution<float>(lo, hi)(rng);
    };
    game::Form1& f = g.form();
    g.newGame({real(0, 1), real(0, 1), real(0, 1), real(0, 1), real(0, 1)});
    for (int k = 0; k < game::kBrickCount; ++k)
        if (pick(3) == 0) f.Shape1[k].Visible = !f.Shape1[k].Visible;
    if (pick(4) == 0)
        for (int k = 0; k < game::kBrickCount; ++k) f.Shape1[k].Visible = pick(8) == 0;
    // An edge of a cell, a pixel either side, or anywhere.
    auto near = [&](float start, float pitch, int cells, float size) {
        const float edge =
            start + pitch * static_cast<float>(pick(cells + 1)) + (pick(2) ? 0 : pitch + 1);
        const float offsets[] = {0, -size, 1, -1, 0.5f, -0.25f, -size - 1, size / 2};
        return pick(3) ? edge + offsets[pick(8)] : real(start - 60, start + pitch * cells + 60);
    };
    const int balls = 1 + pick(80);
    for (int b = 0; b < balls; ++b) {
        if (b > f.Ball.UBound()) f.Ball.Load();
        const float size = pick(4) ? 14.0f : static_cast<float>(2 + pick(120));
        f.Ball[b].Width = size;
        f.Ball[b].Height = size;
        const float speed = pick(5) ? 4.0f : 60.0f;
        g.placeBall(b, near(game::kWallLeft, 48, 13, size), near(0, 16, 20, size),
                    real(-speed, speed), real(-speed, speed), pick(10) == 0);
        if (pick(15) == 0) f.Ball[b].Visible = false;
    }
    if (pick(3)) {
        f.LFire[0].Visible = f.RFire[0].Visible = true;
        const int pairs = 1 + pick(30);
        for (int n = 0; n < pairs; ++n) input::Form_Click(f);
        for (auto* side : {&f.LFire, &f.RFire})
            for (int i = 1; i <= side->UBound(); ++i)
                (*side)[i].Move(near(game::kWallLeft, 48, 13, 9),
                                pick(6) ? near(0, 16, 20, 25) : real(-40, 0));
    }
    // Every knock-out releases a capsule, each of a colour of its own kind.
    for (int n = 0; n < 600; ++n) g.queue({0.9f, static_cast<float>(n % 10) / 10 + 0.05f});
}

std::string dump(Game& g) { return g.host().dump(g.session()); }

TEST(BrickPass, FindsEveryHitTheFullWalkFindsInTheSameOrder) {
    int hits = 0, withShots = 0, shotHits = 0;
    for (unsigned seed = 1; seed <= 150; ++seed) {
        Game fast, full;
        generate(fast, seed);
        generate(full, seed);
        TickLocals tf, tw;
        ballPass(fast.form(), tf);
        fullWalk(full.form(), tw);
        ASSERT_EQ(dump(fast), dump(full)) << "seed " << seed;
        ASSERT_EQ(tf.hiddenCount, tw.hiddenCount) << "seed " << seed;
        ASSERT_EQ(tf.visibleCount, tw.visibleCount);
        hits += full.form().PowUp.UBound();
        withShots += full.form().LFire.UBound() > 0;
        for (auto* side : {&full.form().LFire, &full.form().RFire})
            for (int i = 1; i <= side->UBound(); ++i) shotHits += !(*side)[i].Visible;
    }
    // The states did what they are for.
    EXPECT_GT(hits, 1000);
    EXPECT_GT(withShots, 80);
    EXPECT_GT(shotHits, 300);
}

// The cells a span meets, inclusive and strict, at its exact edges and
// beyond the grid.
TEST(BrickPass, CellsMeetingAreExactAtTheEdges) {
    auto inclusive = [](float low, float high) {
        const CellSpan s = cellsMeeting(low, high, 8, 48, 49, 13, false);
        return std::pair(s.first, s.last);
    };
    auto strict = [](float low, float high) {
        const CellSpan s = cellsMeeting(low, high, 8, 48, 49, 13, true);
        return std::pair(s.first, s.last);
    };
    // Cell 1 spans 56 to 105.
    EXPECT_EQ(inclusive(105, 105), std::pair(1, 2));  // 105 is on cell 1 and at 104 + 1 in cell 2
    EXPECT_EQ(strict(105, 105.5f), std::pair(2, 2));
    EXPECT_EQ(strict(104.5f, 105), std::pair(1, 2));
    EXPECT_EQ(inclusive(56, 56), std::pair(0, 1));
    EXPECT_EQ(strict(57, 57.5f), std::pair(1, 1));
    EXPECT_EQ(inclusive(-1e30f, 1e30f), std::pair(0, 12));
    EXPECT_GT(inclusive(700, 710).first, inclusive(700, 710).second);
    const float nan = std::nanf("");
    EXPECT_GT(inclusive(nan, 100).first, inclusive(nan, 100).second);
}

}  // namespace
}  // namespace brontix::tick
