// The scene model: shapes and lines drawn over the window's background
// picture, object arrays that only grow, one stacking order, and the record
// of which objects were touched since the last frame was drawn.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

namespace brontix::platform {

// The playfield, the main window's client area, in pixels: the scene's
// coordinates, and the size of every frame drawn of it.
inline constexpr int kPlayfieldWidth = 640;
inline constexpr int kPlayfieldHeight = 530;

// A colour &HBBGGRR: blue in the high byte, red in the low byte.
using Colour = std::int32_t;

enum class ShapeForm { Rectangle, Oval, Circle, RoundedRectangle };

// Position in the stacking order: a larger key is drawn later, in front.
using StackKey = std::int64_t;

class ChangeLog;

// Loading past index 32767 is a caller's fault (every caller asks full()
// first): an exception where the library has them, otherwise the end.
[[noreturn]] void loadPastLimit();

// Ties an object to the change log of the scene it belongs to. A copy
// belongs to the same scene but starts untouched; an object outside any
// scene (a layout value, a test's copy) has no log.
struct Tracking {
    ChangeLog* log = nullptr;
    bool logged = false;  // already in the log since the last frame

    Tracking() = default;
    explicit Tracking(ChangeLog* l) : log(l) {}
    Tracking(const Tracking& other) : log(other.log) {}
    // Assigning one object's attributes to another keeps the target's ties.
    Tracking& operator=(const Tracking&) { return *this; }
};

// One attribute of a scene object. It reads as its value; a write that
// changes the value first reports the object as touched, so that drawing
// the next frame costs work for the objects that changed and nothing for
// the rest. An attribute finds its object by its slot's fixed offset in it,
// the way an intrusive list node finds its element, so it needs no pointer
// of its own.
template <class Object, class T, int Slot>
class Attribute {
public:
    constexpr Attribute(T value = T{}) : value_(value) {}
    Attribute(const Attribute&) = default;
    Attribute& operator=(const Attribute& other) { return *this = other.value_; }

    Attribute& operator=(T value) {
        if (!(value == value_)) Object::touched(this, Slot);
        value_ = value;
        return *this;
    }
    operator T() const { return value_; }

private:
    T value_;
};

// A filled and outlined shape. Geometry is in playfield pixels.
struct Shape {
    Tracking tracking;
    Attribute<Shape, float, 0> Left;
    Attribute<Shape, float, 1> Top;
    Attribute<Shape, float, 2> Width;
    Attribute<Shape, float, 3> Height;
    Attribute<Shape, ShapeForm, 4> Form = ShapeForm::Rectangle;
    Attribute<Shape, Colour, 5> BackColor;
    Attribute<Shape, Colour, 6> BorderColor;
    Attribute<Shape, bool, 7> Visible = false;
    Attribute<Shape, StackKey, 8> Z;

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

    static void touched(void* attribute, int slot);
};

// A straight solid line between two end points.
struct Line {
    Tracking tracking;
    Attribute<Line, float, 0> X1;
    Attribute<Line, float, 1> Y1;
    Attribute<Line, float, 2> X2;
    Attribute<Line, float, 3> Y2;
    Attribute<Line, Colour, 4> BorderColor;
    Attribute<Line, int, 5> BorderWidth = 1;  // pixels
    Attribute<Line, bool, 6> Visible = false;
    Attribute<Line, StackKey, 7> Z;

    static void touched(void* attribute, int slot);
};

// The objects touched since the last frame, each with how it looked then.
// A renderer takes the log after drawing a frame and so learns, without
// looking at the rest of the scene, what to draw again.
class ChangeLog {
public:
    struct ShapeChange {
        Shape* object;
        Shape before;
    };
    struct LineChange {
        Line* object;
        Line before;
    };

    void add(Shape& s);
    void add(Line& l);

    const std::vector<ShapeChange>& shapes() const { return shapes_; }
    const std::vector<LineChange>& lines() const { return lines_; }
    bool empty() const { return shapes_.empty() && lines_.empty(); }
    // Forgets everything logged: the frame now shows the scene as it is.
    void clear();

private:
    std::vector<ShapeChange> shapes_;
    std::vector<LineChange> lines_;
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
// the upper bound never passes kMaxUpperBound; elements are never removed,
// and never move in memory, so the change log can point at them.
template <class T>
class ObjectArray {
public:
    static constexpr int kMaxUpperBound = 32767;

    ObjectArray(Stacking& stacking, const std::vector<T>& layout)
        : stacking_(&stacking), items_(layout.begin(), layout.end()) {}

    T& operator[](int i) { return items_.at(static_cast<std::size_t>(i)); }
    const T& operator[](int i) const { return items_.at(static_cast<std::size_t>(i)); }

    // The highest index in use.
    int UBound() const { return static_cast<int>(items_.size()) - 1; }
    bool full() const { return UBound() >= kMaxUpperBound; }

    // Loads the next element: a hidden copy of element 0, in front of every
    // object, at index UBound() + 1. Returns the new index.
    int Load() {
        if (full()) loadPastLimit();
        T copy = items_.front();
        copy.tracking.log = nullptr;  // set up outside the scene, then placed in it
        copy.Visible = false;
        copy.Z = stacking_->front();
        items_.push_back(copy);
        items_.back().tracking.log = log_;
        return UBound();
    }

    // Ties every element, and every element loaded from now on, to a log.
    void track(ChangeLog& log) {
        log_ = &log;
        for (T& item : items_) item.tracking.log = &log;
    }

    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    Stacking* stacking_;
    ChangeLog* log_ = nullptr;
    std::deque<T> items_;
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
    // What changed since the renderer last drew the scene.
    ChangeLog changes;

    void ZOrderFront(Shape& s) { s.Z = stacking.front(); }
    void ZOrderBack(Line& l) { l.Z = stacking.back(); }

    // The visible objects, back to front.
    struct Item {
        const Shape* shape;  // exactly one of shape and line is set
        const Line* line;
        StackKey z;
    };
    void visibleBackToFront(std::vector<Item>& out) const;

protected:
    // Registers objects in the layout's stacking order, front first; each
    // gets a key behind the ones registered before it.
    void stackFrontToBack(Shape& s) { track(s); s.Z = nextLayoutKey(); shapes_.push_back(&s); }
    void stackFrontToBack(Line& l) { track(l); l.Z = nextLayoutKey(); lines_.push_back(&l); }
    void stackFrontToBack(ObjectArray<Shape>& a, int i) { a[i].Z = nextLayoutKey(); }
    void stackFrontToBack(ObjectArray<Line>& a, int i) { a[i].Z = nextLayoutKey(); }
    void registerArray(ObjectArray<Shape>& a) { a.track(changes); shapeArrays_.push_back(&a); }
    void registerArray(ObjectArray<Line>& a) { a.track(changes); lineArrays_.push_back(&a); }

private:
    StackKey nextLayoutKey() { return stacking.back(); }
    template <class T>
    void track(T& object) { object.tracking.log = &changes; }

    std::vector<Shape*> shapes_;
    std::vector<Line*> lines_;
    std::vector<ObjectArray<Shape>*> shapeArrays_;
    std::vector<ObjectArray<Line>*> lineArrays_;
};

}  // namespace brontix::platform
