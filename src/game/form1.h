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

// Everything the main window keeps besides the scene's stacking, each
// once, as X(type, name): every scene object, Timer1, the game state, and
// the indexes beside the capsule and shot arrays (see Pool). The members
// are declared from this list, and keeping a moment of the game (saving,
// restoring, sizing it) walks it, so none can be left out.
#define BRONTIX_FORM1_PARTS(X)                                        \
    X(ObjectArray<Shape>, Shape1) /* the bricks */                    \
    X(Shape, Paddle)                                                  \
    X(ObjectArray<Shape>, Ball)                                       \
    X(ObjectArray<Shape>, PowUp) /* power-up capsules */              \
    X(ObjectArray<Shape>, LFire) /* left cannon (0) and its shots */  \
    X(ObjectArray<Shape>, RFire) /* right cannon (0) and its shots */ \
    X(Line, Line1)                                                    \
    X(Line, Line2)                                                    \
    X(Line, Line3)                                                    \
    X(Line, Line4)                                                    \
    X(Line, Line5)                                                    \
    X(Line, Line6)                                                    \
    X(Line, Line7)                                                    \
    X(Line, Line8)                                                    \
    X(Line, Line9)                                                    \
    X(Line, Line10)                                                   \
    X(Line, Line11)                                                   \
    X(Line, Line12)                                                   \
    X(ObjectArray<Line>, Line13) /* vertical grid lines */            \
    X(ObjectArray<Line>, Line14) /* horizontal grid lines */          \
    X(Timer, Timer1)                                                  \
    X(GameState, state)                                               \
    X(Pool, capsules)                                                 \
    X(Pool, leftShots)                                                \
    X(Pool, rightShots)

class Form1 : public scene::Scene {
public:
    explicit Form1(scene::Services& services);

    scene::Services& services;

#define BRONTIX_DECLARE(type, name) type name;
    BRONTIX_FORM1_PARTS(BRONTIX_DECLARE)
#undef BRONTIX_DECLARE
};

}  // namespace brontix::game
