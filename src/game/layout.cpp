// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// The main window as it exists the moment it is created, before start-up.
#include "game/captions.h"
#include "game/form1.h"

namespace brontix::game {

namespace {

using scene::ShapeForm;

constexpr Colour kWindowText = 0x000000;

Shape shape(float left, float top, float width, float height, ShapeForm form, Colour fill,
            Colour border, bool visible) {
    Shape s;
    s.Move(left, top, width, height);
    s.Form = form;
    s.BackColor = fill;
    s.BorderColor = border;
    s.Visible = visible;
    return s;
}

Line line(float x1, float y1, float x2, float y2, Colour colour, int width = 1) {
    Line l;
    l.X1 = x1;
    l.Y1 = y1;
    l.X2 = x2;
    l.Y2 = y2;
    l.BorderColor = colour;
    l.BorderWidth = width;
    l.Visible = true;
    return l;
}

std::vector<Shape> bricks() {
    std::vector<Shape> v;
    v.reserve(kBrickCount);
    for (int i = 0; i < kBrickCount; ++i)
        // The fill is dealt by start-up; until then bricks are white.
        v.push_back(shape(brickLeft(i), brickTop(i), kBrickWidth, kBrickHeight,
                          ShapeForm::Rectangle, 0xFFFFFF, kWindowText, true));
    return v;
}

}  // namespace

Form1::Form1(scene::Services& s)
    : services(s),
      Shape1(stacking, bricks()),
      Paddle(shape(272, 440, 73, 17, ShapeForm::RoundedRectangle, 0xC0C0C0, 0x000000, true)),
      Ball(stacking,
           {shape(304, 427, kBallSize, kBallSize, ShapeForm::Circle, 0xC0C0C0, kWindowText, true),
            shape(288, 424, kBallSize, kBallSize, ShapeForm::Circle, 0xC0C0C0, kWindowText, true),
            shape(320, 424, kBallSize, kBallSize, ShapeForm::Circle, 0xC0C0C0, kWindowText, true)}),
      PowUp(stacking, {shape(16, 320, 33, 17, ShapeForm::Oval, 0xFF00FF, kWindowText, false)}),
      LFire(stacking,
            {shape(280, 432, 9, 25, ShapeForm::RoundedRectangle, 0x808080, kWindowText, false)}),
      RFire(stacking,
            {shape(328, 432, 9, 25, ShapeForm::RoundedRectangle, 0x808080, kWindowText, false)}),
      Line1(line(kWallLeft, 0, kWallLeft, 472, 0xE0E0E0, 2)),
      // Two pixels wide, drawn over 632 and 633: its inner edge is the wall.
      Line2(line(kWallRight + 1, 0, kWallRight + 1, 472, 0xC0C0C0, 2)),
      Line3(line(16, 440, 624, 440, 0x00FFFF)),
      Line4(line(16, 424, 624, 424, 0x0080FF)),
      Line5(line(16, 400, 624, 400, 0x0040C0)),
      Line6(line(16, 368, 624, 368, 0x004080)),
      Line7(line(kWallLeft, 472, kWallRight, 472, 0xC0C0C0, 2)),
      Line8(line(24, 464, 8, 472, 0x808080)),
      Line9(line(616, 464, 24, 464, kWindowText)),
      Line10(line(24, 464, 24, 0, 0x808080)),
      Line11(line(616, 464, 632, 472, 0x808080)),
      Line12(line(616, 464, 616, 0, 0x808080)),
      Line13(stacking, {line(56, 456, 56, 0, 0x000000)}),
      Line14(stacking, {line(8, 16, 632, 16, 0x800000)}),
      capsules(0),
      leftShots(1),
      rightShots(1) {
    registerArray(Shape1);
    registerArray(Ball);
    registerArray(PowUp);
    registerArray(LFire);
    registerArray(RFire);
    registerArray(Line13);
    registerArray(Line14);

    // The layout's stacking order, front to back.
    stackFrontToBack(RFire, 0);
    stackFrontToBack(LFire, 0);
    stackFrontToBack(PowUp, 0);
    stackFrontToBack(Line14, 0);
    stackFrontToBack(Line2);
    stackFrontToBack(Line7);
    stackFrontToBack(Ball, 2);
    stackFrontToBack(Ball, 1);
    stackFrontToBack(Line1);
    stackFrontToBack(Ball, 0);
    stackFrontToBack(Paddle);
    for (int i = kBrickCount - 1; i >= 0; --i) stackFrontToBack(Shape1, i);
    stackFrontToBack(Line3);
    stackFrontToBack(Line4);
    stackFrontToBack(Line5);
    stackFrontToBack(Line6);
    stackFrontToBack(Line9);
    stackFrontToBack(Line8);
    stackFrontToBack(Line10);
    stackFrontToBack(Line11);
    stackFrontToBack(Line12);
    stackFrontToBack(Line13, 0);

    services.setCaption(kCaption);

    capsules.rebuild(PowUp);
    leftShots.rebuild(LFire);
    rightShots.rebuild(RFire);
}

}  // namespace brontix::game
