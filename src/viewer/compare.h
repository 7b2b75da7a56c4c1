// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// Two games of one wall watched side by side: the first as the viewer shows
// it, the second's paddle and balls outlined over it as a ghost, in step
// from each game's first New Game. The ghost is drawn over a copy of the
// first game's picture, never into its scene.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "render/pixels.h"
#include "viewer/viewer.h"

namespace brontix::viewer {

// The ghost's outline: white around black, which shows on every brick,
// the black ground and the grey of the paddle alike.
inline constexpr std::uint32_t kGhostOuter = 0xFFFFFFFFu;
inline constexpr std::uint32_t kGhostInner = 0xFF000000u;

class Comparison {
public:
    // The two scripts, surveyed whole; refused when either has no New Game,
    // or theirs read different walls.
    static std::variant<std::unique_ptr<Comparison>, std::string> open(std::string_view first,
                                                                       std::string_view second,
                                                                       const Bounds& bounds = {});

    // Points count ticks since each game's New Game; the last is the
    // longer game's.
    std::uint64_t point() const { return point_; }
    std::uint64_t last() const { return last_; }
    std::uint64_t wall() const { return wall_; }
    // Each game moves to its own point (a game past its end stays there).
    void seek(std::uint64_t point);
    void setScale(const render::Scale& scale);
    // The first game's picture at the point with the ghost over it.
    const render::PixelBuffer& frame();

    // The games, for their captions, scores, boxes and marks.
    const Viewer& game(int which) const { return which == 0 ? *first_ : *second_; }
    // Where game `which`'s points start: its New Game.
    std::uint64_t from(int which) const { return which == 0 ? from_[0] : from_[1]; }
    // Game `which` has ended before the point: it stands still.
    bool ended(int which) const;

private:
    Comparison(std::unique_ptr<Viewer> first, std::unique_ptr<Viewer> second);

    std::unique_ptr<Viewer> first_, second_;
    std::uint64_t from_[2] = {0, 0};
    std::uint64_t wall_ = 0;
    std::uint64_t point_ = 0;
    std::uint64_t last_ = 0;
    render::Scale scale_;
    render::PixelBuffer frame_{1, 1};
};

// Outlines each figure (playfield pixels) on a frame at `scale`: a
// rectangle for the paddle, an ellipse for a ball, two device pixels wide.
void drawGhost(render::PixelBuffer& frame, const render::Scale& scale,
               const std::vector<session::Figure>& figures);

}  // namespace brontix::viewer
