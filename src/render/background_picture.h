// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// The main window's persistent background picture: painted once by
// start-up through the pen, kept, and shown under the scene in every frame.
#pragma once

#include "render/pixels.h"

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

private:
    PixelBuffer pixels_;
    Colour penColour_ = 0;
    int penWidth_ = 1;
};

}  // namespace brontix::render
