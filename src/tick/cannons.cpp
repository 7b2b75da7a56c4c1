// Cannons and shots: shots rise, knock out the first brick they overlap,
// cost 5 points each, and end above the top; the cannons ride the paddle.
#include "tick/phases.h"

namespace brontix::tick {

namespace {

constexpr float kShotRise = 16;  // pixels per tick

void riseSide(platform::ObjectArray<Shape>& side, const game::Pool& shots) {
    for (int i : shots.active()) side[i].Top = side[i].Top - kShotRise;
}

void sideAgainstBrick(Form1& form, TickLocals& t, const Shape& brick,
                      platform::ObjectArray<Shape>& side, game::Pool& shots) {
    bool ended = false;
    for (int i : shots.active()) {
        Shape& shot = side[i];
        if (shot.Left + shot.Width > brick.Left && shot.Left < t.brickRight &&
            shot.Top < t.brickBottom && shot.Top + shot.Height > brick.Top) {
            t.hitFlag = True;
            game::addScore(form.state.score, -5);
            shot.Visible = false;
            ended = true;
        }
        if (shot.Top < 0) {
            shot.Visible = false;
            ended = true;
        }
    }
    if (ended) shots.dropHidden(side);
}

}  // namespace

void shotsRise(Form1& form) {
    riseSide(form.LFire, form.leftShots);
    riseSide(form.RFire, form.rightShots);
}

void shotsAgainstBrick(Form1& form, TickLocals& t, const Shape& brick) {
    sideAgainstBrick(form, t, brick, form.LFire, form.leftShots);
    sideAgainstBrick(form, t, brick, form.RFire, form.rightShots);
}

void cannonsFollowPaddle(Form1& form) {
    // 8 pixels inside the paddle's left end and 9 inside its right end.
    form.LFire[0].Left = form.Paddle.Left + 8;
    form.RFire[0].Left = form.Paddle.Left + form.Paddle.Width - 18;
}

}  // namespace brontix::tick
