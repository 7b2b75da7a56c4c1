// The phases of one tick and the values that live only for one tick.
#pragma once

#include <cmath>
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
    float ballSize = 0;    // width of ball 0, then of the ball being processed
    float brickIndex = 0;  // the brick pass's counter, in steps of 1.0
    int visibleCount = 0;  // visible balls met so far in the ball pass
    int hiddenCount = 0;   // invisible bricks met in the current brick pass
    Boolean hitFlag = False;
    float brickRight = 0;
    float brickBottom = 0;
    int freeCapsule = 0;
    Boolean capsuleFound = False;
    // Shots in flight that can still meet a brick in this tick's brick passes.
    std::vector<int> leftShotsNearWall;
    std::vector<int> rightShotsNearWall;
};

// The edges of the ball being processed before this tick's step, carried
// from its motion into its brick pass.
struct BallEdges {
    float oldRight = 0;
    float oldBottom = 0;
    float radius = 0;
};

// The brick counter as an index into Shape1.
inline int brickAt(float brickIndex) { return static_cast<int>(std::nearbyint(brickIndex)); }

// Shots (cannons.cpp).
void shotsRise(Form1& form);
void gatherShotsNearWall(Form1& form, TickLocals& t);
void shotsAgainstBrick(Form1& form, TickLocals& t, const Shape& brick);
void cannonsFollowPaddle(Form1& form);

// Capsules (capsules.cpp, effects.cpp).
void capsulePhase(Form1& form);
void releaseCapsule(Form1& form, TickLocals& t, const Shape& brick);
void applyEffect(Form1& form, scene::Colour kind);

// Balls (ball.cpp) and bricks (bricks.cpp).
BallEdges moveBall(Form1& form, TickLocals& t, int i);
void brickPass(Form1& form, TickLocals& t, int i, const BallEdges& edges);

// The end of a game (endgame.cpp).
void loseTest(Form1& form);
void winTest(Form1& form, const TickLocals& t);
void showScoreLine(Form1& form, int visibleCount);

}  // namespace brontix::tick
