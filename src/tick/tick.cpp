// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include "tick/tick.h"

#include "input/input.h"
#include "tick/phases.h"

namespace brontix::tick {

namespace {

// The per-element arrays follow the scene arrays they belong to.
void resizeArrays(Form1& form, TickLocals& t) {
    game::GameState& st = form.state;
    game::ReDimPreserve(st.ballVel, form.Ball.UBound());
    game::ReDimPreserve(st.ballPos, form.Ball.UBound());
    game::ReDimPreserve(st.capsuleSpeed, form.PowUp.UBound());
    game::ReDimPreserve(st.ballFade, form.Ball.UBound());
    t.ballSize = form.Ball[0].Width;
}

}  // namespace

void ballPass(Form1& form, TickLocals& t) {
    surveyWall(form, t);
    // Shots are tested only while a shot has ever been fired.
    if (form.LFire.UBound() > 0) gatherShotCells(form, t);
    const int last = form.Ball.UBound();
    for (int i = 0; i <= last; ++i) {
        if (!form.Ball[i].Visible) continue;
        const BallEdges edges = moveBall(form, t, i);
        brickPass(form, t, i, edges);
    }
}

void Timer1_Timer(Form1& form) {
    TickLocals t;
    resizeArrays(form, t);
    shotsRise(form);
    capsulePhase(form);
    input::demoAutopilot(form, t.brickIndex, t.ballSize);
    loseTest(form);
    ballPass(form, t);
    winTest(form, t);
    cannonsFollowPaddle(form);
}

}  // namespace brontix::tick
