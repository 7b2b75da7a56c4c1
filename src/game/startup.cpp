// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include "game/basic.h"
#include "game/game.h"

namespace brontix::game {

namespace {

void loadGridLines(Form1& form) {
    // Vertical lines on every column boundary and on the right wall.
    for (int i = 1; i <= 12; ++i) {
        form.Line13.Load();
        Line& l = form.Line13[i];
        l.X1 = form.Line13[i - 1].X1 + 48;
        l.X2 = form.Line13[i - 1].X2 + 48;
        l.BorderColor = 0x000000;
        l.Visible = true;
        // Loading puts a line in front of all; the grid belongs behind.
        form.ZOrderBack(l);
    }
    // Horizontal lines on every row boundary, fading from bright to dark blue.
    for (int i = 1; i <= 19; ++i) {
        form.Line14.Load();
        Line& l = form.Line14[i];
        l.Y1 = form.Line14[i - 1].Y1 + 16;
        l.Y2 = form.Line14[i - 1].Y2 + 16;
        l.BorderColor = RGB(0, 0, 264 - 12 * i);
        l.Visible = true;
        form.ZOrderBack(l);
    }
}

// The grey gradient, one step darker every 5 rows, and the 16 palette
// colours as thick marks in the strip below the floor line.
void paintBackground(scene::Services& s) {
    for (int y = 0; y <= s.scaleHeight(); ++y) {
        const double g = 128.0 - y / 5.0;
        s.setDrawColor(RGB(g, g, g));
        s.drawLine(0, static_cast<float>(y), scene::kPlayfieldWidth, static_cast<float>(y));
    }
    s.setDrawWidth(15);
    for (int i = 0; i < 16; ++i) {
        s.setDrawColor(QBColor(i));
        s.drawLine(static_cast<float>(15 * i), 480, static_cast<float>(15 * i + 15), 480);
    }
    s.setDrawWidth(1);
}

}  // namespace

void Form_Load(Form1& form) {
    GameState& st = form.state;
    st.ballVel.assign(3, BallVector{});
    st.ballPos.assign(3, BallVector{});
    st.ballHeld.assign(3, False);
    st.ballHeld[0] = True;
    st.ballVel[0].x = 1.0f;

    loadGridLines(form);
    paintBackground(form.services);

    form.services.Randomize();
    const int p = Int(2.0f * form.services.Rnd());
    const int q = Int(10.0f * form.services.Rnd()) + 1;
    dealWall(form, p, q, [](int i, Shape& brick) { brick.BackColor = RGB(255, 260 - i, 0); });
}

}  // namespace brontix::game
