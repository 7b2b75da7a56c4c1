// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// The phases of one tick and the values that live only for one tick.
#pragma once

#include <vector>

#include "game/form1.h"

namespace brontix::tick {

using game::Boolean;
using game::False;
using game::Form1;
using game::True;
using scene::Shape;

// Values local to one tick; every tick starts them afresh.
struct TickLocals {
    float ballSize = 0;  // width of ball 0, then of the ball being processed
    // The brick pass's counter. Only the demo's autopilot reads it, before
    // the first brick pass, when it is still 0; the pass itself walks cells.
    float brickIndex = 0;
    int visibleCount = 0;  // visible balls met so far in the ball pass
    int hiddenCount = 0;   // invisible bricks met in the current brick pass
    Boolean hitFlag = False;
    float brickRight = 0;
    float brickBottom = 0;
    int freeCapsule = 0;
    Boolean capsuleFound = False;

    // The wall as the ball pass found it, kept up to date by its
    // knock-outs: bricks appear only between ball passes, so a pass's count
    // of hidden bricks is what is not present as it starts.
    int bricksPresent = 0;
    int firstPresent = -1;  // the lowest present brick as the ball pass starts
    // Every brick cell a shot in flight can meet in this tick, with that
    // shot: the cell, then the side (left first), then the shot's index.
    struct ShotCell {
        int brick;
        int side;  // 0 left, 1 right
        int shot;
        bool operator<(const ShotCell& o) const {
            return brick != o.brick ? brick < o.brick
                   : side != o.side ? side < o.side
                                    : shot < o.shot;
        }
    };
    std::vector<ShotCell> shotCells;
    bool shotsTested = false;  // a brick pass ran them this tick
};

// The edges of the ball being processed before this tick's step, carried
// from its motion into its brick pass.
struct BallEdges {
    float oldRight = 0;
    float oldBottom = 0;
    float radius = 0;
};

// Shots (cannons.cpp).
void shotsRise(Form1& form);
void gatherShotCells(Form1& form, TickLocals& t);
void shotAgainstBrick(Form1& form, TickLocals& t, const Shape& brick,
                      const TickLocals::ShotCell& cell);
void cannonsFollowPaddle(Form1& form);

// Capsules (capsules.cpp, effects.cpp).
void capsulePhase(Form1& form);
void releaseCapsule(Form1& form, TickLocals& t, const Shape& brick);
void applyEffect(Form1& form, scene::Colour kind);

// Balls (ball.cpp) and bricks (bricks.cpp).
BallEdges moveBall(Form1& form, TickLocals& t, int i);
void surveyWall(Form1& form, TickLocals& t);
void brickPass(Form1& form, TickLocals& t, int i, const BallEdges& edges);
// One present brick against ball i, and its knock-out once hit.
void ballAgainstBrick(Form1& form, TickLocals& t, int i, const BallEdges& edges,
                      const Shape& brick);
void knockOut(Form1& form, TickLocals& t, int i, Shape& brick);
// Every visible ball moves, then meets the bricks.
void ballPass(Form1& form, TickLocals& t);

// The cells [first, last] of a row or column of the brick grid whose span
// [start + pitch n, start + pitch n + size] satisfies both tests against
// [low, high]: inclusive (start + pitch n <= high, ... + size >= low) or
// strict (<, >). Empty (first > last) when none does, or a bound is NaN.
struct CellSpan {
    int first = 0;
    int last = -1;
};
CellSpan cellsMeeting(float low, float high, float start, float pitch, float size, int count,
                      bool strict);

// The end of a game (endgame.cpp).
void loseTest(Form1& form);
void winTest(Form1& form, const TickLocals& t);
void showScoreLine(Form1& form, int visibleCount);

}  // namespace brontix::tick
