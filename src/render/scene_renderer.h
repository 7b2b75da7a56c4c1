// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// Draws the playfield into plain pixels: the background picture, then the
// visible scene objects back to front, aliased and on whole pixels. After
// the first frame it draws again only what the scene's change log names,
// and reports the rectangles it drew, which are all a screen needs to show.
// It draws at a scale, for a screen with more or fewer device pixels than
// the playfield: at a whole scale each playfield pixel becomes a square of
// device pixels; at any other the geometry itself is scaled, edges on the
// nearest device pixel and every line one width all along.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "render/background_picture.h"
#include "render/pixels.h"
#include "render/scale.h"
#include "scene/scene.h"

namespace brontix::render {

using scene::Line;
using scene::Scene;
using scene::Shape;
using scene::ShapeForm;
using scene::StackKey;

// The size of a frame at a scale: 640 x 530 device pixels at scale 1.
PixelBuffer frameAt(const Scale& scale);

// Draws the whole frame of the scene as it stands, changing nothing else:
// what an incrementally drawn frame must equal. The frame is frameAt(scale).
void drawWholeFrame(PixelBuffer& frame, const BackgroundPicture& background, const Scene& scene,
                    const Scale& scale = {});

class SceneRenderer {
public:
    // The scale of the frames drawn from the next one on (1 until set):
    // frames of frameAt(scale), drawn whole the next time.
    void setScale(const Scale& scale);
    const Scale& scale() const { return scale_; }

    // Draws the whole frame and takes the scene's change log: from here on
    // the renderer follows the scene.
    void render(PixelBuffer& frame, const BackgroundPicture& background, Scene& scene);
    // Brings a frame drawn by this renderer up to date with the changes the
    // scene logged since, takes the log, and returns the rectangles drawn
    // again, in the frame's pixels: none when nothing visible changed.
    const std::vector<Rect>& renderChanges(PixelBuffer& frame, const BackgroundPicture& background,
                                           Scene& scene);

    // Which pixels of a row of a figure's bounding box it covers: [l, r],
    // empty when l > r. A pixel belongs to a figure when its centre does.
    struct Span {
        int l, r;
    };
    class Figure;

    // One object as it is drawn: enough to draw it, and to tell whether it
    // looks the same as before.
    struct Drawn {
        const void* object;
        StackKey z;
        int x1, y1, x2, y2;  // a shape's box (x2, y2 its size), or a line's end points
        int width;           // a line's width on the screen; 0 for a shape
        int from;            // where a line's width starts, across it
        bool steep;          // a line's width lies along x
        ShapeForm form;
        Colour fill, border;
        Rect box;  // the pixels it can touch
        bool operator==(const Drawn& o) const;
    };

    // Figures of one kind and size share their rows.
    class Figures {
    public:
        const std::vector<Span>& spans(ShapeForm form, int w, int h);

    private:
        std::unordered_map<std::uint64_t, std::vector<Span>> cache_;
        std::vector<Span> scratch_;
    };

    // What a frame shows, back to front. The boxes are kept apart from the
    // rest: a redraw tests every object's box but draws only a few, so its
    // walk reads 16 bytes an object rather than a whole description.
    struct Stack {
        std::vector<Drawn> items;
        std::vector<Rect> boxes;

        void assign(std::vector<Drawn> drawn);
        // The entry of the object this described as drawn, or -1.
        std::ptrdiff_t find(const Drawn& d) const;
        void replace(std::ptrdiff_t at, const Drawn& d);
        void erase(std::ptrdiff_t at);
        void insert(const Drawn& d);
    };

private:
    template <class Change>
    void follow(const Change& change, const PixelBuffer& canvas);
    void addDirty(Rect r);
    // Where the scene is drawn: the frame itself, or at a whole scale above
    // 1 a frame at scale 1 whose pixels the frame repeats.
    PixelBuffer& canvas(PixelBuffer& frame);
    // The background at the scale the geometry is drawn at.
    const PixelBuffer& ground(const BackgroundPicture& background);
    // The rectangles of the canvas drawn again, as the frame shows them.
    const std::vector<Rect>& shown(PixelBuffer& frame);

    Scale scale_;
    Scale geometry_;  // the scale shapes and lines are laid out at
    PixelBuffer unscaled_{0, 0};
    PixelBuffer scaledGround_{0, 0};
    const BackgroundPicture* groundOf_ = nullptr;
    std::size_t groundStrokes_ = 0;
    Stack drawn_;  // what the frame shows
    bool following_ = false;
    std::vector<Rect> dirty_;  // on the canvas
    std::vector<Rect> shown_;  // on the frame
    Figures figures_;
};

}  // namespace brontix::render
