// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// The main window: every scene object of the playfield, the tick timer and
// the game state, owned together for the whole run.
#pragma once

#include "game/geometry.h"
#include "game/pool.h"
#include "game/state.h"
#include "scene/scene.h"
#include "scene/services.h"

namespace brontix::game {

using scene::Colour;
using scene::Line;
using scene::ObjectArray;
using scene::Shape;

// Shown wherever the background picture has not been painted.
inline constexpr Colour kFormBackColor = 0x404040;

struct Timer {
    // Milliseconds asked for between expiries. The session decides the
    // real pace (see its pacer).
    int Interval = 1;
    bool Enabled = true;
};

class Form1 : public scene::Scene {
public:
    explicit Form1(scene::Services& services);

    scene::Services& services;

    ObjectArray<Shape> Shape1;  // the bricks
    Shape Paddle;
    ObjectArray<Shape> Ball;
    ObjectArray<Shape> PowUp;  // power-up capsules
    ObjectArray<Shape> LFire;  // left cannon (0) and its shots
    ObjectArray<Shape> RFire;  // right cannon (0) and its shots

    Line Line1, Line2, Line3, Line4, Line5, Line6, Line7, Line8, Line9, Line10, Line11, Line12;
    ObjectArray<Line> Line13;  // vertical grid lines
    ObjectArray<Line> Line14;  // horizontal grid lines

    Timer Timer1;
    GameState state;

    // Indexes beside the capsule and shot arrays (see Pool).
    Pool capsules{0};
    Pool leftShots{1};
    Pool rightShots{1};
};

}  // namespace brontix::game
