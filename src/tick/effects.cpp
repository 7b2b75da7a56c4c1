// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// The ten effects of a caught capsule, chosen by its fill colour.
#include <array>
#include <string_view>

#include "game/basic.h"
#include "game/game.h"
#include "tick/phases.h"
#include "tick/tick.h"

namespace brontix::tick {

namespace {

constexpr scene::Colour kTwinColour = 0x0000FF;  // pure red: twins get no twin
constexpr float kPaddleStep = 32;                // pixels per wider or narrower capsule
constexpr float kBallStep = 4;                   // pixels per bigger or smaller capsule

void toggleSticky(Form1& form) { form.state.stickyPaddle = game::Not(form.state.stickyPaddle); }

void removeGravity(Form1& form) {
    for (int i = 0; i <= form.Ball.UBound(); ++i)
        form.state.ballFade[static_cast<std::size_t>(i)] = 0;
}

void doubleGravity(Form1& form) {
    for (int i = 0; i <= form.Ball.UBound(); ++i) {
        double& fade = form.state.ballFade[static_cast<std::size_t>(i)];
        fade = 2 * fade;
    }
}

// The lowest hidden ball from `from` up, loading a new one when none is;
// -1 at the 16-bit limit.
int twinSlot(Form1& form, int from) {
    for (int m = from; m <= form.Ball.UBound(); ++m)
        if (!form.Ball[m].Visible) return m;
    if (form.Ball.full()) return -1;
    form.Ball.Load();
    const int last = form.Ball.UBound();
    form.state.fitBallRecords(last);
    return last;
}

void multiBall(Form1& form) {
    game::GameState& st = form.state;
    const int last = form.Ball.UBound();
    // Balls only appear during this loop, so the lowest hidden ball never
    // moves down and each search can start where the last one ended.
    int searchFrom = 0;
    for (int i = 0; i <= last; ++i) {
        if (form.Ball[i].BackColor == kTwinColour || !form.Ball[i].Visible) continue;
        const int twin = twinSlot(form, searchFrom);
        if (twin < 0) return;
        searchFrom = twin;
        const auto n = static_cast<std::size_t>(twin);
        const auto src = static_cast<std::size_t>(i);
        const float r = form.services.Rnd();
        st.ballVel[n].x = 2.0f * r + st.ballVel[src].x - 1;
        st.ballVel[n].y = st.ballVel[src].y;
        st.ballPos[n].x = st.ballPos[src].x;
        st.ballPos[n].y = st.ballPos[src].y;
        Shape& ball = form.Ball[twin];
        ball.Width = game::kBallSize;
        ball.Height = game::kBallSize;
        st.ballFade[n] = 0;
        ball.Visible = true;
        ball.BackColor = kTwinColour;
        form.ZOrderFront(ball);
    }
}

void widerPaddle(Form1& form) {
    const float r1 = form.services.Rnd();
    const float r2 = form.services.Rnd();
    const int n = r1 > 0.75f ? game::Int(r2 * 3.0f) : 1;
    form.Paddle.Width = form.Paddle.Width + kPaddleStep * static_cast<float>(n);
}

void narrowerPaddle(Form1& form) {
    if (form.Paddle.Width > 64) form.Paddle.Width = form.Paddle.Width - kPaddleStep;
}

void toggleCannons(Form1& form) {
    form.LFire[0].Visible = !form.LFire[0].Visible;
    form.RFire[0].Visible = form.LFire[0].Visible;
}

// Every brick over an empty cell drops one row per pass; scanning upwards
// lets a whole column standing on a gap drop together. Cells keep their
// colours, so a dropped brick shows the colour of the cell it lands in.
void dropBricks(Form1& form) {
    const int passes = game::Int(form.services.Rnd() * 5.0f);
    for (int p = 0; p <= passes; ++p)
        for (int k = game::kBrickCount - 1 - game::kBrickColumns; k >= 0; --k) {
            Shape& above = form.Shape1[k];
            Shape& below = form.Shape1[k + game::kBrickColumns];
            if (above.Visible && !below.Visible) {
                above.Visible = false;
                below.Visible = true;
            }
        }
}

void resizeBalls(Form1& form, float delta, float aboveWidth) {
    for (int i = 0; i <= form.Ball.UBound(); ++i) {
        Shape& ball = form.Ball[i];
        if (ball.Width > aboveWidth && ball.Visible)
            ball.Move(ball.Left, ball.Top, ball.Width + delta, ball.Height + delta);
    }
}

// Bigger balls have no lower limit to pass; smaller ones stop at 6.
void biggerBalls(Form1& form) { resizeBalls(form, kBallStep, -INFINITY); }
void smallerBalls(Form1& form) { resizeBalls(form, -kBallStep, 6); }

struct Effect {
    std::string_view name;
    void (*apply)(Form1&);
    std::string_view words;  // what it does, for players
};

// The ten effects, by the palette index of the capsule that brings them.
constexpr std::array<Effect, 10> kEffects = {{
    {"sticky paddle", toggleSticky,
     "on or off in turn: while on, a ball that lands on the paddle stays there until the next "
     "click"},
    {"less gravity", removeGravity,
     "takes every ball's gravity away until it next hits the paddle"},
    {"more gravity", doubleGravity, "doubles every ball's gravity until it next hits the paddle"},
    {"multi-ball", multiBall, "gives every ball in play a twin"},
    {"wider paddle", widerPaddle, "widens the paddle, mostly by 32 pixels"},
    {"narrower paddle", narrowerPaddle, "narrows the paddle by 32 pixels, never below 64"},
    {"cannons", toggleCannons,
     "on or off in turn: while on, each click fires two shots; a brick shot out earns 5 points"},
    {"bricks drop down", dropBricks, "drops every brick over a gap one to five rows"},
    {"bigger balls", biggerBalls, "makes every ball 4 pixels bigger"},
    {"smaller balls", smallerBalls, "makes every ball 4 pixels smaller, never below 6"},
}};

}  // namespace

std::array<CapsuleKind, 10> capsuleKinds() {
    std::array<CapsuleKind, 10> kinds{};
    for (std::size_t i = 0; i < kEffects.size(); ++i)
        kinds[i] = {static_cast<int>(i), kEffects[i].name, kEffects[i].words};
    return kinds;
}

void applyEffect(Form1& form, scene::Colour kind) {
    for (std::size_t i = 0; i < kEffects.size(); ++i) {
        if (kind != game::QBColor(static_cast<int>(i))) continue;
        form.services.report({scene::GameEvent::Kind::CapsuleCaught, kEffects[i].name});
        kEffects[i].apply(form);
        return;
    }
}

}  // namespace brontix::tick
