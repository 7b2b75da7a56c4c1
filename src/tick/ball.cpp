// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// Ball motion: the step, the fade and its colour, gravity, the walls, the
// loss line and the paddle with its steering zones.
#include <cmath>

#include "game/basic.h"
#include "tick/phases.h"

namespace brontix::tick {

namespace {

// Below the client area, so a ball is out of sight before it is out of play.
constexpr float kLossLine = 600;

// Fade added per tick of free flight, and the value a paddle bounce leaves.
constexpr double kFadePerTick = 0.0002;
constexpr double kFadeAfterBounce = 0.001;

// A fresh ball is white, and grey as its fade grows: the channels are
// 1/fade (red slightly more). Channels are capped at 255 before they are
// converted, so a tiny fade cannot overflow the conversion.
void fadeColour(Shape& ball, double fade) {
    // A zero fade has no shade; the ball keeps its colour for this tick.
    if (fade == 0) return;
    const double shade = 1 / fade;
    const int red = game::colourComponent(std::fabs(shade + 1 / shade));
    const int grey = game::colourComponent(std::fabs(shade));
    ball.BackColor = game::RGB(red, grey, grey);
    ball.BorderColor = ball.BackColor ^ 0xFFFFFF;
}

// Signs are forced rather than negated so that a ball still inside a wall
// on the next tick is not turned back into it. Left and top use the new
// position, right and bottom the edges from before the step.
void bounceOffWalls(Form1& form, int i, const BallEdges& e) {
    game::BallVector& pos = form.state.ballPos[i];
    game::BallVector& vel = form.state.ballVel[i];
    if (pos.x < game::kWallLeft) vel.x = std::fabs(vel.x);
    if (pos.y < game::kWallTop) vel.y = std::fabs(vel.y);
    if (e.oldRight > game::kWallRight) vel.x = -std::fabs(vel.x);
    if (e.oldBottom > kLossLine) {
        // Out of play; the rest of this ball's tick still runs.
        form.Ball[i].Visible = false;
        vel.y = -std::fabs(vel.y);
        form.services.report({scene::GameEvent::Kind::BallLost, {}});
    }
}

// Landing left of the paddle's centre pushes the ball left, right of it
// right, in proportion to the distance; the middle 35 % to 65 % keeps the
// horizontal speed. The left zone is judged by the centre before the step.
void steer(Form1& form, int i, const BallEdges& e, float centreNow) {
    game::BallVector& vel = form.state.ballVel[i];
    const float centreOld = e.oldRight - e.radius;
    const float pl = form.Paddle.Left;
    const float pw = form.Paddle.Width;
    const float leftZoneEnd = pl + 0.35f * pw;
    const float rightZoneStart = pl + 0.65f * pw;
    if (leftZoneEnd > centreOld || rightZoneStart < centreNow) {
        // The blend is worked in double, the paddle's centre included (a
        // centre rounded to single first loses low bits and the path drifts
        // over many bounces), and stored; the quarter is added on the stored
        // value.
        const double pc = double(pl) + 0.5 * double(pw);
        vel.x = static_cast<float>(0.75 * (double(centreNow) - pc) / 15 + 0.25 * double(vel.x));
        vel.x = 1.25f * vel.x;
    }
}

void bounceOffPaddle(Form1& form, int i, const BallEdges& e, float ballSize) {
    game::GameState& st = form.state;
    game::BallVector& pos = st.ballPos[i];
    game::BallVector& vel = st.ballVel[i];
    const Shape& paddle = form.Paddle;
    const float centreNow = pos.x + ballSize / 2;
    const float paddleBottom = paddle.Top + paddle.Height;
    const float paddleRight = paddle.Left + paddle.Width;
    if (!(paddleBottom >= e.oldBottom && e.oldBottom >= paddle.Top && centreNow > paddle.Left &&
          paddleRight > centreNow))
        return;

    // Upward, and clamped into a narrow band: above 4 becomes 3.5, up to 3
    // gains half a pixel per tick.
    vel.y = -std::fabs(vel.y);
    if (vel.y < -4) vel.y = -3;
    if (vel.y >= -3) vel.y = vel.y - 0.5f;
    if (st.stickyPaddle == True) {
        st.ballHeld[i] = True;
        // Drawn there from the next tick on.
        pos.y = paddle.Top - form.Ball[i].Height - 2;
    }
    st.ballFade[i] = kFadeAfterBounce;
    steer(form, i, e, centreNow);
}

}  // namespace

BallEdges moveBall(Form1& form, TickLocals& t, int i) {
    game::GameState& st = form.state;
    Shape& ball = form.Ball[i];
    t.visibleCount += 1;
    t.ballSize = ball.Width;
    BallEdges e;
    e.oldRight = st.ballPos[i].x + t.ballSize;
    e.oldBottom = st.ballPos[i].y + t.ballSize;
    e.radius = t.ballSize * 0.5f;

    const bool free = st.ballHeld[i] == False;
    if (free) {
        st.ballPos[i].x = st.ballPos[i].x + st.ballVel[i].x;
        st.ballPos[i].y = st.ballPos[i].y + st.ballVel[i].y;
        // Ball 0's colour gates the fade of every ball.
        if (form.Ball[0].BackColor > 0) st.ballFade[i] += kFadePerTick;
        fadeColour(ball, st.ballFade[i]);
    }
    ball.Move(st.ballPos[i].x, st.ballPos[i].y);
    if (free) st.ballVel[i].y = static_cast<float>(double(st.ballVel[i].y) + st.ballFade[i]);

    bounceOffWalls(form, i, e);
    bounceOffPaddle(form, i, e, t.ballSize);
    return e;
}

}  // namespace brontix::tick
