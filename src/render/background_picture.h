// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// The main window's persistent background picture: painted once by
// start-up through the pen, kept, and shown under the scene in every frame.
// It keeps its strokes as well as its pixels, so that a screen with more
// or fewer device pixels than the playfield gets it drawn anew at its scale
// rather than stretched.
#pragma once

#include <vector>

#include "render/pixels.h"
#include "render/scale.h"

namespace brontix::render {

class BackgroundPicture {
public:
    BackgroundPicture(int width, int height, Colour backColour);

    void setPenColour(Colour c) { penColour_ = c; }
    void setPenWidth(int pixels) { penWidth_ = pixels; }
    // A solid line between two points of the playfield. A 1-pixel pen
    // draws the line's own pixels; a wider one every pixel whose centre
    // lies within half its width of the line, so its ends are round and
    // each mark overlaps the one before.
    void drawLine(float x1, float y1, float x2, float y2);

    const PixelBuffer& pixels() const { return pixels_; }
    // The picture at a scale that is not whole, each stroke drawn again
    // with its geometry scaled. (At a whole scale a screen repeats pixels().)
    PixelBuffer drawnAt(const Scale& scale) const;
    // Grows by one with each stroke: a scaled copy older than this is stale.
    std::size_t strokes() const { return strokes_.size(); }

private:
    struct Stroke {
        float x1, y1, x2, y2;
        int width;
        Colour colour;
    };
    static void draw(PixelBuffer& into, const Stroke& stroke, const Scale& scale);

    PixelBuffer pixels_;
    Colour backColour_;
    Colour penColour_ = 0;
    int penWidth_ = 1;
    std::vector<Stroke> strokes_;
};

}  // namespace brontix::render
