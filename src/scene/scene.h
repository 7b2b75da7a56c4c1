// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// The scene model: shapes and lines drawn over the window's background
// picture, object arrays that only grow, one stacking order, and the record
// of which objects were touched since the last frame was drawn.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace brontix::scene {

// The playfield, the main window's client area, in pixels: the scene's
// coordinates, and the size of every frame drawn of it.
inline constexpr int kPlayfieldWidth = 640;
inline constexpr int kPlayfieldHeight = 530;

// Timer1's expiries a second of play. The timer asks for 1 ms, but every
// speed in the game is per tick and was tuned on desktops whose timers
// delivered about 64 expiries a second; at a true 1 ms a ball would cross
// the field in a fifth of a second.
inline constexpr int kTicksPerSecond = 64;

// A colour &HBBGGRR: blue in the high byte, red in the low byte.
using Colour = std::int32_t;

enum class ShapeForm : std::uint8_t { Rectangle, Oval, Circle, RoundedRectangle };

// Position in the stacking order: a larger key is drawn later, in front.
using StackKey = std::int64_t;

class ChangeLog;

// Loading past index 32767 is a caller's fault (every caller asks full()
// first): an exception where the library has them, otherwise the end.
[[noreturn]] void loadPastLimit();
// An index past an object array's bounds: a caller's fault as well.
[[noreturn]] void indexOutOfRange();

// Ties an object to the change log of the scene it belongs to; an object
// outside any scene (a layout value, a test's copy) has no log. Assigning
// one object's attributes to another keeps the target's ties.
struct Tracking {
    ChangeLog* log = nullptr;

    Tracking() = default;
    Tracking(const Tracking&) = default;
    // Nothing is copied, so assigning an object to itself is safe too.
    // NOLINTNEXTLINE(bugprone-unhandled-self-assignment)
    Tracking& operator=(const Tracking&) { return *this; }
};

// Whether an object is already in the log since the last frame. A copy
// starts unlogged, and assigning to an object leaves its own flag.
struct Logged {
    bool on = false;

    Logged() = default;
    Logged(const Logged&) {}
    // NOLINTNEXTLINE(bugprone-unhandled-self-assignment)
    Logged& operator=(const Logged&) { return *this; }
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

// The attributes of each kind of object, in the order they lie in memory:
// name, type and first value. One list gives both the members and the
// table that leads an attribute back to its object, so the two cannot
// disagree. (The order packs a shape or a line into 48 bytes: the tick walks
// hundreds of shapes, and the fewer cache lines the better.)
#define BRONTIX_SHAPE_ATTRIBUTES(A)          \
    A(Left, float, 0)                        \
    A(Top, float, 0)                         \
    A(Width, float, 0)                       \
    A(Height, float, 0)                      \
    A(Form, ShapeForm, ShapeForm::Rectangle) \
    A(Visible, bool, false)                  \
    A(BackColor, Colour, 0)                  \
    A(BorderColor, Colour, 0)                \
    A(Z, StackKey, 0)
#define BRONTIX_LINE_ATTRIBUTES(A)      \
    A(X1, float, 0)                     \
    A(Y1, float, 0)                     \
    A(X2, float, 0)                     \
    A(Y2, float, 0)                     \
    A(BorderColor, Colour, 0)           \
    A(BorderWidth, int, 1) /* pixels */ \
    A(Visible, bool, false)             \
    A(Z, StackKey, 0)

#define BRONTIX_ATTRIBUTE_SLOT(name, type, first) k##name,
// A type or a member's name cannot stand in parentheses.
// NOLINTNEXTLINE(bugprone-macro-parentheses)
#define BRONTIX_ATTRIBUTE_MEMBER(name, type, first) Attribute<Self, type, k##name> name = first;
#define BRONTIX_ATTRIBUTE_OFFSET(name, type, first) offsetof(Self, name),

// A filled and outlined shape. Geometry is in playfield pixels.
struct Shape {
    using Self = Shape;
    enum Slot { BRONTIX_SHAPE_ATTRIBUTES(BRONTIX_ATTRIBUTE_SLOT) kSlots };

    Tracking tracking;
    Logged logged;
    BRONTIX_SHAPE_ATTRIBUTES(BRONTIX_ATTRIBUTE_MEMBER)

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
    using Self = Line;
    enum Slot { BRONTIX_LINE_ATTRIBUTES(BRONTIX_ATTRIBUTE_SLOT) kSlots };

    Tracking tracking;
    Logged logged;
    BRONTIX_LINE_ATTRIBUTES(BRONTIX_ATTRIBUTE_MEMBER)

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
    // Forgets everything logged: the frame now shows the scene as it is.
    void clear();

private:
    std::vector<ShapeChange> shapes_;
    std::vector<LineChange> lines_;
};

// Shape and Line are standard-layout, so each attribute's offset in its
// object is fixed and known: an attribute reaches its object by it. The
// common case, an object already logged this frame, costs one test.
template <class Object>
Object& objectOf(void* attribute, std::size_t offset) {
    return *reinterpret_cast<Object*>(static_cast<char*>(attribute) - offset);
}

inline void Shape::touched(void* attribute, int slot) {
    static constexpr std::size_t kOffset[] = {BRONTIX_SHAPE_ATTRIBUTES(BRONTIX_ATTRIBUTE_OFFSET)};
    Shape& self = objectOf<Shape>(attribute, kOffset[slot]);
    if (self.tracking.log && !self.logged.on) self.tracking.log->add(self);
}

inline void Line::touched(void* attribute, int slot) {
    static constexpr std::size_t kOffset[] = {BRONTIX_LINE_ATTRIBUTES(BRONTIX_ATTRIBUTE_OFFSET)};
    Line& self = objectOf<Line>(attribute, kOffset[slot]);
    if (self.tracking.log && !self.logged.on) self.tracking.log->add(self);
}

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

    ObjectArray(Stacking& stacking, const std::vector<T>& layout) : stacking_(&stacking) {
        for (const T& item : layout) append(item);
    }

    T& operator[](int i) { return at(i); }
    const T& operator[](int i) const { return const_cast<ObjectArray*>(this)->at(i); }

    // The highest index in use.
    int UBound() const { return size_ - 1; }
    bool full() const { return UBound() >= kMaxUpperBound; }

    // Loads the next element: a hidden copy of element 0, in front of every
    // object, at index UBound() + 1. Returns the new index.
    int Load() {
        if (full()) loadPastLimit();
        T copy = at(0);
        copy.tracking.log = nullptr;  // set up outside the scene, then placed in it
        copy.Visible = false;
        copy.Z = stacking_->front();
        append(copy).tracking.log = log_;
        return UBound();
    }

    // Ties every element, and every element loaded from now on, to a log.
    void track(ChangeLog& log) {
        log_ = &log;
        for (T& item : *this) item.tracking.log = &log;
    }

    // Iteration in index order.
    template <class Array, class Item>
    class Iterator {
    public:
        Iterator(Array* a, int i) : a_(a), i_(i) {}
        Item& operator*() const { return (*a_)[i_]; }
        Iterator& operator++() {
            ++i_;
            return *this;
        }
        bool operator!=(const Iterator& o) const { return i_ != o.i_; }

    private:
        Array* a_;
        int i_;
    };
    auto begin() { return Iterator<ObjectArray, T>(this, 0); }
    auto end() { return Iterator<ObjectArray, T>(this, size_); }
    auto begin() const { return Iterator<const ObjectArray, const T>(this, 0); }
    auto end() const { return Iterator<const ObjectArray, const T>(this, size_); }

private:
    // Elements live in blocks that never move, so the change log can point
    // at them; indexing costs a shift and a mask.
    static constexpr int kBlockBits = 8;
    static constexpr int kBlock = 1 << kBlockBits;

    T& at(int i) {
        if (i < 0 || i >= size_) indexOutOfRange();
        return blocks_[static_cast<std::size_t>(i >> kBlockBits)]
                      [static_cast<std::size_t>(i & (kBlock - 1))];
    }
    T& append(const T& item) {
        if (size_ % kBlock == 0) blocks_.push_back(std::make_unique<T[]>(kBlock));
        T& slot = blocks_.back()[static_cast<std::size_t>(size_ % kBlock)];
        slot = item;
        slot.tracking.log = item.tracking.log;
        ++size_;
        return slot;
    }

    Stacking* stacking_;
    ChangeLog* log_ = nullptr;
    std::vector<std::unique_ptr<T[]>> blocks_;
    int size_ = 0;
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
    void stackFrontToBack(Shape& s) {
        track(s);
        s.Z = nextLayoutKey();
        shapes_.push_back(&s);
    }
    void stackFrontToBack(Line& l) {
        track(l);
        l.Z = nextLayoutKey();
        lines_.push_back(&l);
    }
    void stackFrontToBack(ObjectArray<Shape>& a, int i) { a[i].Z = nextLayoutKey(); }
    void stackFrontToBack(ObjectArray<Line>& a, int i) { a[i].Z = nextLayoutKey(); }
    void registerArray(ObjectArray<Shape>& a) {
        a.track(changes);
        shapeArrays_.push_back(&a);
    }
    void registerArray(ObjectArray<Line>& a) {
        a.track(changes);
        lineArrays_.push_back(&a);
    }

private:
    StackKey nextLayoutKey() { return stacking.back(); }
    template <class T>
    void track(T& object) {
        object.tracking.log = &changes;
    }

    std::vector<Shape*> shapes_;
    std::vector<Line*> lines_;
    std::vector<ObjectArray<Shape>*> shapeArrays_;
    std::vector<ObjectArray<Line>*> lineArrays_;
};

}  // namespace brontix::scene
