// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// Cannons and shots: shots rise, knock out the first brick they overlap,
// cost 5 points each, and end above the top; the cannons ride the paddle.
#include <algorithm>

#include "tick/phases.h"

namespace brontix::tick {

namespace {

constexpr float kShotRise = 16;  // pixels per tick

void riseSide(scene::ObjectArray<Shape>& side, const game::Pool& shots) {
    for (int i : shots.active()) side[i].Top = side[i].Top - kShotRise;
}

// The cells a shot can hit: those its box overlaps. One above the top
// ends at the first present brick of the pass, after being tested against
// it; one at or below the wall's lowest edge can do neither.
void gatherSide(const scene::ObjectArray<Shape>& side, const game::Pool& shots, int sideNumber,
                TickLocals& t) {
    for (int i : shots.active()) {
        const Shape& shot = side[i];
        if (shot.Top < 0) {
            if (t.firstPresent >= 0) t.shotCells.push_back({t.firstPresent, sideNumber, i});
            continue;
        }
        if (shot.Top >= game::kBricksBottom) continue;
        const CellSpan rows = cellsMeeting(shot.Top, shot.Top + shot.Height, 0, game::kBrickPitchY,
                                           game::kBrickHeight, game::kBrickRows, true);
        const CellSpan cols =
            cellsMeeting(shot.Left, shot.Left + shot.Width, game::kWallLeft, game::kBrickPitchX,
                         game::kBrickWidth, game::kBrickColumns, true);
        for (int r = rows.first; r <= rows.last; ++r)
            for (int c = cols.first; c <= cols.last; ++c)
                t.shotCells.push_back({r * game::kBrickColumns + c, sideNumber, i});
    }
}

}  // namespace

void shotsRise(Form1& form) {
    riseSide(form.LFire, form.leftShots);
    riseSide(form.RFire, form.rightShots);
}

void gatherShotCells(Form1& form, TickLocals& t) {
    gatherSide(form.LFire, form.leftShots, 0, t);
    gatherSide(form.RFire, form.rightShots, 1, t);
    std::sort(t.shotCells.begin(), t.shotCells.end());
}

void shotAgainstBrick(Form1& form, TickLocals& t, const Shape& brick,
                      const TickLocals::ShotCell& cell) {
    scene::ObjectArray<Shape>& side = cell.side == 0 ? form.LFire : form.RFire;
    game::Pool& shots = cell.side == 0 ? form.leftShots : form.rightShots;
    Shape& shot = side[cell.shot];
    if (!shot.Visible) return;  // it hit a brick before this one
    if (shot.Left + shot.Width > brick.Left && shot.Left < t.brickRight &&
        shot.Top < t.brickBottom && shot.Top + shot.Height > brick.Top) {
        t.hitFlag = True;
        game::addScore(form.state.score, -5);
        shots.hide(side, cell.shot);
    }
    if (shot.Top < 0) shots.hide(side, cell.shot);
}

void cannonsFollowPaddle(Form1& form) {
    // 8 pixels inside the paddle's left end and 9 inside its right end.
    form.LFire[0].Left = form.Paddle.Left + 8;
    form.RFire[0].Left = form.Paddle.Left + form.Paddle.Width - 18;
}

}  // namespace brontix::tick
