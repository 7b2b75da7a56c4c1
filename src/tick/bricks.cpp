// The brick pass of one ball: shots and the ball against every present
// brick, and the knock-out of each brick hit.
#include <cmath>

#include "tick/phases.h"

namespace brontix::tick {

namespace {

// Not a collision response: a coarse box gate, then four independent side
// cases, each a band one radius deep along one face, each forcing one
// velocity component away from that face. The right and bottom edges are
// the ones from before the step; x and y are the position after it.
void ballAgainstBrick(Form1& form, TickLocals& t, int i, const BallEdges& e,
                      const Shape& brick) {
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
    game::addScore(form.state.score, 10);
    // The ball of the running pass slows, even when a shot made the hit.
    game::BallVector& vel = form.state.ballVel[i];
    vel.x = vel.x * 0.95f;
    vel.y = vel.y * 0.95f;
    showScoreLine(form, t.visibleCount);
    t.hitFlag = False;
}

}  // namespace

void brickPass(Form1& form, TickLocals& t, int i, const BallEdges& edges) {
    t.hiddenCount = 0;
    const bool shotsFlying = form.LFire.UBound() > 0;
    for (t.brickIndex = 0; t.brickIndex <= 259; t.brickIndex += 1) {
        Shape& brick = form.Shape1[brickAt(t.brickIndex)];
        if (!brick.Visible) {
            t.hiddenCount += 1;
            continue;
        }
        t.brickRight = brick.Width + brick.Left;
        t.brickBottom = brick.Height + brick.Top;
        if (shotsFlying) shotsAgainstBrick(form, t, brick);
        ballAgainstBrick(form, t, i, edges, brick);
        if (t.hitFlag == True) knockOut(form, t, i, brick);
    }
}

}  // namespace brontix::tick
