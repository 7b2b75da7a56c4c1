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

// A shot whose top is at or below the wall's lowest edge can neither hit a
// brick nor be above the top, so only the others are worth testing.
void gatherSide(const scene::ObjectArray<Shape>& side, const game::Pool& shots,
                std::vector<int>& near) {
    near.clear();
    for (int i : shots.active())
        if (!(side[i].Top >= game::kBricksBottom)) near.push_back(i);
}

void sideAgainstBrick(Form1& form, TickLocals& t, const Shape& brick,
                      scene::ObjectArray<Shape>& side, game::Pool& shots,
                      std::vector<int>& near) {
    bool ended = false;
    for (int i : near) {
        Shape& shot = side[i];
        if (shot.Left + shot.Width > brick.Left && shot.Left < t.brickRight &&
            shot.Top < t.brickBottom && shot.Top + shot.Height > brick.Top) {
            t.hitFlag = True;
            game::addScore(form.state.score, -5);
            shots.hide(side, i);
            ended = true;
        }
        if (shot.Top < 0) {
            shots.hide(side, i);
            ended = true;
        }
    }
    if (ended)
        near.erase(std::remove_if(near.begin(), near.end(), [&](int i) { return !side[i].Visible; }),
                   near.end());
}

}  // namespace

void shotsRise(Form1& form) {
    riseSide(form.LFire, form.leftShots);
    riseSide(form.RFire, form.rightShots);
}

void gatherShotsNearWall(Form1& form, TickLocals& t) {
    gatherSide(form.LFire, form.leftShots, t.leftShotsNearWall);
    gatherSide(form.RFire, form.rightShots, t.rightShotsNearWall);
}

void shotsAgainstBrick(Form1& form, TickLocals& t, const Shape& brick) {
    sideAgainstBrick(form, t, brick, form.LFire, form.leftShots, t.leftShotsNearWall);
    sideAgainstBrick(form, t, brick, form.RFire, form.rightShots, t.rightShotsNearWall);
}

void cannonsFollowPaddle(Form1& form) {
    // 8 pixels inside the paddle's left end and 9 inside its right end.
    form.LFire[0].Left = form.Paddle.Left + 8;
    form.RFire[0].Left = form.Paddle.Left + form.Paddle.Width - 18;
}

}  // namespace brontix::tick
