// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include "platform/qt/qt_game.h"

namespace brontix::platform::qt {

QtGame::QtGame() {
    Playfield* field = window_.playfield();
    field->setFrame(session_.frame());
    auto forward = [this](auto call) {
        return [this, call](auto... args) {
            call(args...);
            rearm();
        };
    };
    using session::Command;
    QObject::connect(window_.newGameAction(), &QAction::triggered,
                     forward([this](bool) { session_.menu(Command::NewGame); }));
    QObject::connect(window_.demoAction(), &QAction::triggered,
                     forward([this](bool) { session_.menu(Command::Demo); }));
    QObject::connect(window_.fullScreenAction(), &QAction::triggered,
                     forward([this](bool) { session_.menu(Command::FullScreen); }));
    QObject::connect(field, &Playfield::pointerMoved,
                     forward([this](float x, float y) { session_.pointer(x, y); }));
    QObject::connect(field, &Playfield::clicked, forward([this] { session_.click(); }));
    QObject::connect(field, &Playfield::characterTyped,
                     forward([this](int code) { session_.key(code); }));
}

void QtGame::start(session::Recorder* recorder) {
    session_.record(recorder);
    session_.start();
    window_.show();
    rearm();
}

void QtGame::rearm() {
    if (const auto at = session_.nextWake())
        timer_.arm(*at);
    else
        timer_.disarm();
}

}  // namespace brontix::platform::qt
