// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// The ghost of a second game of the same wall: its paddle and balls
// outlined over the first game's picture, never drawn into its scene.
#pragma once

#include <cstdint>
#include <vector>

#include "render/pixels.h"
#include "render/scale.h"
#include "session/session.h"

namespace brontix::viewer {

// The ghost's outline: white around black, which shows on every brick,
// the black ground and the grey of the paddle alike.
inline constexpr std::uint32_t kGhostOuter = 0xFFFFFFFFu;
inline constexpr std::uint32_t kGhostInner = 0xFF000000u;

// Outlines each figure (playfield pixels) on a frame at `scale`: a
// rectangle for the paddle, an ellipse for a ball, two device pixels wide.
// Returns the rectangles of the frame it drew in.
std::vector<render::Rect> drawGhost(render::PixelBuffer& frame, const render::Scale& scale,
                                    const std::vector<session::Figure>& figures);

}  // namespace brontix::viewer
