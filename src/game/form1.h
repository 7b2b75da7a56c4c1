// The main window: every scene object of the playfield, the tick timer and
// the game state, owned together for the whole run.
#pragma once

#include "game/pool.h"
#include "game/state.h"
#include "platform/scene.h"
#include "platform/services.h"

namespace brontix::game {

using platform::Colour;
using platform::Line;
using platform::ObjectArray;
using platform::Shape;

// Shown wherever the background picture has not been painted.
inline constexpr Colour kFormBackColor = 0x404040;
inline constexpr int kBrickCount = 260;
inline constexpr int kBrickColumns = 13;

struct Timer {
    // Milliseconds asked for between expiries. The platform decides the
    // real pace (see the Qt tick pacer).
    int Interval = 1;
    bool Enabled = true;
    // A tick is running. A timer never delivers to a handler that has not
    // returned, even when that handler runs the event loop (a message box).
    bool InHandler = false;
};

class Form1 : public platform::Scene {
public:
    explicit Form1(platform::Services& services);

    platform::Services& services;

    ObjectArray<Shape> Shape1;  // the bricks
    Shape Paddle;
    ObjectArray<Shape> Ball;
    ObjectArray<Shape> PowUp;   // power-up capsules
    ObjectArray<Shape> LFire;   // left cannon (0) and its shots
    ObjectArray<Shape> RFire;   // right cannon (0) and its shots

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

// Left and top of brick i in the 13-column grid.
inline float brickLeft(int i) { return static_cast<float>(8 + 48 * (i % kBrickColumns)); }
inline float brickTop(int i) { return static_cast<float>(16 * (i / kBrickColumns)); }

}  // namespace brontix::game
