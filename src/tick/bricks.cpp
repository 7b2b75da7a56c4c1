// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// The brick pass of one ball: shots and the ball against the present
// bricks, and the knock-out of each brick hit.
//
// The rule walks all 260 bricks for every ball, testing every shot at
// every present brick. Bricks are fixed cells of the grid (a drop moves
// visibility, not bricks), so a ball can pass the overlap gate only at the
// cells its box reaches, and a shot can hit only the cells its box
// overlaps: the pass visits just those, in index order, and finds every
// hit the full walk finds, in the same order. Shots matter only in the
// first pass of a tick: one that hits nothing there overlaps no brick
// that a later pass of the same tick can find (bricks only go), and one
// above the top ends at the first present brick.
#include <algorithm>
#include <cmath>
#include <span>

#include "tick/phases.h"

namespace brontix::tick {

namespace {

// Positions far past the playfield still give cell numbers in range.
double clampedCell(double cell) { return std::clamp(cell, -2.0, 1e6); }

}  // namespace

// Not a collision response: a coarse box gate, then four independent side
// cases, each a band one radius deep along one face, each forcing one
// velocity component away from that face. The right and bottom edges are
// the ones from before the step; x and y are the position after it.
void ballAgainstBrick(Form1& form, TickLocals& t, int i, const BallEdges& e, const Shape& brick) {
    const Shape& ball = form.Ball[i];
    game::BallVector& vel = form.state.ballVel[i];
    const float bl = brick.Left;
    const float bt = brick.Top;
    const float right = t.brickRight;
    const float bottom = t.brickBottom;
    if (!(ball.Left <= right && e.oldRight >= bl && e.oldBottom >= bt && ball.Top <= bottom))
        return;

    const float x = form.state.ballPos[i].x;
    const float y = form.state.ballPos[i].y;
    const float r = e.radius;
    // Right face.
    if (right - r <= x && x <= right && y + r >= bt && e.oldBottom - r <= bottom) {
        vel.x = std::fabs(vel.x);
        t.hitFlag = True;
    }
    // Bottom face.
    if (e.oldRight - r >= bl && y <= bottom && x + r <= right && y >= bt) {
        vel.y = std::fabs(vel.y);
        t.hitFlag = True;
    }
    // Left face.
    if (bl + r >= e.oldRight && e.oldRight >= bl && y + r >= bt && e.oldBottom - r <= bottom) {
        vel.x = -std::fabs(vel.x);
        t.hitFlag = True;
    }
    // Top face.
    if (e.oldRight - r >= bl && e.oldBottom >= bt && e.oldBottom <= bottom && x + r <= right) {
        vel.y = -std::fabs(vel.y);
        t.hitFlag = True;
    }
}

void knockOut(Form1& form, TickLocals& t, int i, Shape& brick) {
    releaseCapsule(form, t, brick);
    brick.Visible = false;
    --t.bricksPresent;
    game::addScore(form.state.score, 10);
    // The ball of the running pass slows, even when a shot made the hit.
    game::BallVector& vel = form.state.ballVel[i];
    vel.x = vel.x * 0.95f;
    vel.y = vel.y * 0.95f;
    showScoreLine(form, t.visibleCount);
    t.hitFlag = False;
}

// start + pitch n <= high  <=>  n <= (high - start) / pitch, and
// start + pitch n + size >= low  <=>  n >= (low - start - size) / pitch:
// floor and ceil of quotients worked out in double from float bounds. A
// float's quotient is never within rounding of a whole number it is not, so
// these are the exact cells; the strict tests take the neighbours inside.
CellSpan cellsMeeting(float low, float high, float start, float pitch, float size, int count,
                      bool strict) {
    const double up = (double(high) - start) / pitch;
    const double down = (double(low) - start - size) / pitch;
    if (std::isnan(up) || std::isnan(down)) return {};
    const double last = strict ? std::ceil(clampedCell(up)) - 1 : std::floor(clampedCell(up));
    const double first = strict ? std::floor(clampedCell(down)) + 1 : std::ceil(clampedCell(down));
    return {static_cast<int>(std::max(first, 0.0)), static_cast<int>(std::min(last, count - 1.0))};
}

void surveyWall(Form1& form, TickLocals& t) {
    t.bricksPresent = 0;
    t.firstPresent = -1;
    for (int k = game::kBrickCount - 1; k >= 0; --k)
        if (form.Shape1[k].Visible) {
            ++t.bricksPresent;
            t.firstPresent = k;
        }
}

void brickPass(Form1& form, TickLocals& t, int i, const BallEdges& edges) {
    t.hiddenCount = game::kBrickCount - t.bricksPresent;
    // The cells the ball's gate can pass at: its left and top as drawn, its
    // right and bottom from before the step.
    const Shape& ball = form.Ball[i];
    const CellSpan rows = cellsMeeting(ball.Top, edges.oldBottom, 0, game::kBrickPitchY,
                                       game::kBrickHeight, game::kBrickRows, false);
    const CellSpan cols =
        cellsMeeting(ball.Left, edges.oldRight, game::kWallLeft, game::kBrickPitchX,
                     game::kBrickWidth, game::kBrickColumns, false);
    const bool ballReaches = rows.first <= rows.last && cols.first <= cols.last;
    const std::span<const TickLocals::ShotCell> shots =
        t.shotsTested ? std::span<const TickLocals::ShotCell>() : t.shotCells;
    t.shotsTested = true;
    if (!ballReaches && shots.empty()) return;

    // The ball's cells, row by row, and the shots' cells, merged in index
    // order.
    std::size_t s = 0;
    int row = rows.first, col = cols.first;
    auto nextBallCell = [&] {
        return ballReaches && row <= rows.last ? row * game::kBrickColumns + col
                                               : game::kBrickCount;
    };
    for (;;) {
        const int ballCell = nextBallCell();
        const int shotCell = s < shots.size() ? shots[s].brick : game::kBrickCount;
        const int k = std::min(ballCell, shotCell);
        if (k >= game::kBrickCount) break;
        Shape& brick = form.Shape1[k];
        const bool present = brick.Visible;
        if (present) {
            t.brickRight = brick.Width + brick.Left;
            t.brickBottom = brick.Height + brick.Top;
        }
        for (; s < shots.size() && shots[s].brick == k; ++s)
            if (present) shotAgainstBrick(form, t, brick, shots[s]);
        if (k == ballCell) {
            if (present) ballAgainstBrick(form, t, i, edges, brick);
            if (++col > cols.last) {
                col = cols.first;
                ++row;
            }
        }
        if (t.hitFlag == True) knockOut(form, t, i, brick);
    }
}

}  // namespace brontix::tick
