// The scene model: shapes and lines drawn over the window's background
// picture, object arrays that only grow, and one stacking order.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <vector>

namespace brontix::platform {

// A colour &HBBGGRR: blue in the high byte, red in the low byte.
using Colour = std::int32_t;

enum class ShapeForm { Rectangle, Oval, Circle, RoundedRectangle };

// Position in the stacking order: a larger key is drawn later, in front.
using StackKey = std::int64_t;

// A filled and outlined shape. Geometry is in playfield pixels.
struct Shape {
    float Left = 0;
    float Top = 0;
    float Width = 0;
    float Height = 0;
    ShapeForm Form = ShapeForm::Rectangle;
    Colour BackColor = 0;
    Colour BorderColor = 0;
    bool Visible = false;
    StackKey Z = 0;

    // Moves the shape, keeping its size.
    void Move(float left, float top) {
        Left = left;
        Top = top;
    }
    void Move(float left, float top, float width, float height) {
        Left = left;
        Top = top;
        Width = width;
        Height = height;
    }
};

// A straight solid line between two end points.
struct Line {
    float X1 = 0;
    float Y1 = 0;
    float X2 = 0;
    float Y2 = 0;
    Colour BorderColor = 0;
    int BorderWidth = 1;  // pixels
    bool Visible = false;
    StackKey Z = 0;
};

// Hands out stacking keys: each bring-to-front lands in front of everything
// handed out so far, each send-to-back behind everything.
class Stacking {
public:
    StackKey front() { return ++front_; }
    StackKey back() { return --back_; }

private:
    StackKey front_ = 0;
    StackKey back_ = 0;
};

// An indexed array of scene objects. Indexes start at 0 and are 16-bit, so
// the upper bound never passes kMaxUpperBound; elements are never removed.
template <class T>
class ObjectArray {
public:
    static constexpr int kMaxUpperBound = 32767;

    ObjectArray(Stacking& stacking, std::vector<T> layout)
        : stacking_(&stacking), items_(std::move(layout)) {}

    T& operator[](int i) { return items_.at(static_cast<std::size_t>(i)); }
    const T& operator[](int i) const { return items_.at(static_cast<std::size_t>(i)); }

    // The highest index in use.
    int UBound() const { return static_cast<int>(items_.size()) - 1; }
    bool full() const { return UBound() >= kMaxUpperBound; }

    // Loads the next element: a hidden copy of element 0, in front of every
    // object, at index UBound() + 1. Returns the new index.
    int Load() {
        if (full()) throw std::length_error("object array index past 32767");
        T copy = items_.front();
        copy.Visible = false;
        copy.Z = stacking_->front();
        items_.push_back(copy);
        return UBound();
    }

    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    Stacking* stacking_;
    std::vector<T> items_;
};

// Everything drawn over the background picture. A concrete window registers
// its objects here so that a renderer can walk them without knowing names.
class Scene {
public:
    Scene() = default;
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;
    virtual ~Scene() = default;

    Stacking stacking;

    void ZOrderFront(Shape& s) { s.Z = stacking.front(); }
    void ZOrderBack(Line& l) { l.Z = stacking.back(); }

    // The visible objects that can show in a client area of the given size,
    // back to front.
    struct Item {
        const Shape* shape;  // exactly one of shape and line is set
        const Line* line;
        StackKey z;
    };
    void visibleBackToFront(std::vector<Item>& out, float clientWidth,
                            float clientHeight) const;

protected:
    // Registers objects in the layout's stacking order, front first; each
    // gets a key behind the ones registered before it.
    void stackFrontToBack(Shape& s) { s.Z = nextLayoutKey(); shapes_.push_back(&s); }
    void stackFrontToBack(Line& l) { l.Z = nextLayoutKey(); lines_.push_back(&l); }
    void stackFrontToBack(ObjectArray<Shape>& a, int i) { a[i].Z = nextLayoutKey(); }
    void stackFrontToBack(ObjectArray<Line>& a, int i) { a[i].Z = nextLayoutKey(); }
    void registerArray(ObjectArray<Shape>& a) { shapeArrays_.push_back(&a); }
    void registerArray(ObjectArray<Line>& a) { lineArrays_.push_back(&a); }

private:
    StackKey nextLayoutKey() { return stacking.back(); }

    std::vector<Shape*> shapes_;
    std::vector<Line*> lines_;
    std::vector<ObjectArray<Shape>*> shapeArrays_;
    std::vector<ObjectArray<Line>*> lineArrays_;
};

}  // namespace brontix::platform
