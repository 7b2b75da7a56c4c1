// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// The playfield's fixed geometry, in pixels: the walls the balls meet and
// the grid of brick cells. Everything else about the layout is in its table
// (layout.cpp); what more than one rule reads is here.
#pragma once

namespace brontix::game {

// The walls as the balls meet them: the inner edges of the side wall lines
// and the client area's top. The wall lines only draw them.
inline constexpr float kWallLeft = 8;
inline constexpr float kWallRight = 632;
inline constexpr float kWallTop = 0;

// A ball's size as the layout deals it, New Game serves it and the
// multi-ball effect makes its twins: 14 pixels across. Bigger and smaller
// balls (the resizing effects) step from it.
inline constexpr float kBallSize = 14;

// The bricks are fixed cells of a 13 x 20 grid on a pitch of 48 x 16, the
// first at the left wall; a brick is a pixel larger than its cell each way,
// so it overlaps its right and lower neighbours by one pixel.
inline constexpr int kBrickColumns = 13;
inline constexpr int kBrickRows = 20;
inline constexpr int kBrickCount = kBrickColumns * kBrickRows;
inline constexpr float kBrickPitchX = 48;
inline constexpr float kBrickPitchY = 16;
inline constexpr float kBrickWidth = kBrickPitchX + 1;
inline constexpr float kBrickHeight = kBrickPitchY + 1;
// The lowest edge any brick has: the bottom of row 19 (321).
inline constexpr float kBricksBottom = kBrickPitchY * (kBrickRows - 1) + kBrickHeight;

// Left and top of brick i.
inline constexpr float brickLeft(int i) {
    return kWallLeft + kBrickPitchX * static_cast<float>(i % kBrickColumns);
}
inline constexpr float brickTop(int i) {
    const int row = i / kBrickColumns;
    return kBrickPitchY * static_cast<float>(row);
}

}  // namespace brontix::game
