// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// The game in its Qt window, wired as the program wires it, started.
#pragma once

#include <QImage>

#include "game/form1.h"
#include "platform/qt/qt_game.h"
#include "session/inside.h"

namespace brontix::testing {

struct QtGame : platform::qt::QtGame {
    QtGame() { start(); }

    game::Form1& form() { return session::Inside::form(session()); }
    // The frame the window shows.
    const QImage& frame() { return window().playfield()->image(); }
};

// &HBBGGRR of a pixel.
inline scene::Colour bgr(QRgb p) { return qRed(p) | (qGreen(p) << 8) | (qBlue(p) << 16); }

}  // namespace brontix::testing
