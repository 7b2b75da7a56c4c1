// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include "platform/qt/qt_game.h"

#include <cstdio>

namespace brontix::platform::qt {

QtGame::QtGame() {
    Playfield* field = window_.playfield();
    field->setFrame(session_.frame());
    auto forward = [this](auto call) {
        return [this, call](auto... args) { apply(call(args...)); };
    };
    using session::Command;
    QObject::connect(window_.newGameAction(), &QAction::triggered,
                     forward([this](bool) { return session_.menu(Command::NewGame); }));
    QObject::connect(window_.demoAction(), &QAction::triggered,
                     forward([this](bool) { return session_.menu(Command::Demo); }));
    QObject::connect(window_.fullScreenAction(), &QAction::triggered, [this](bool) {
        // The window may have moved, or the screen changed, since the
        // session last heard.
        apply(session_.placeWindows(host_.backdropCover(), host_.gameFrame()));
        apply(session_.menu(Command::FullScreen));
    });
    host_.backdropClosed = [this] { apply(session_.backdropClosed()); };
    QObject::connect(field, &Playfield::scaleChanged,
                     [this, field] { apply(session_.setScale(field->scale())); });
    QObject::connect(field, &Playfield::pointerMoved,
                     forward([this](float x, float y) { return session_.pointer(x, y); }));
    QObject::connect(field, &Playfield::pointerLeft, [this](QPointF from, QPointF to) {
        apply(session_.leave(from.x(), from.y(), to.x(), to.y()));
    });
    QObject::connect(field, &Playfield::clicked, forward([this] { return session_.click(); }));
    QObject::connect(field, &Playfield::characterTyped, [this](int code) {
        // While the backdrop is up, Escape is the way out of it, not a key
        // of the game's.
        constexpr int kEscape = 27;
        if (code == kEscape && host_.closeBackdrop()) return;
        apply(session_.key(code));
    });
    QObject::connect(&window_, &MainWindow::minimised,
                     forward([this] { return session_.unseen(); }));
}

void QtGame::start(session::Recorder* recorder) {
    session_.record(recorder);
    const session::Answer first = session_.start();
    window_.show();
    apply(first);
}

void QtGame::race(std::uint64_t wall) {
    race_.emplace(wall, session_.ticksRun());
    std::printf("%s\n", race_->started().c_str());
    std::fflush(stdout);
    apply(session_.race(wall));
}

void QtGame::apply(const session::Answer& answer) {
    for (const session::Event& event : answer.events)
        if (const auto result = race_ ? race_->ended(event, session_.score()) : std::nullopt) {
            std::printf("%s\n", result->c_str());
            std::fflush(stdout);
        }
    for (const session::WindowStep& step : answer.windows) host_.carryOut(step);
    if (!answer.drawn.empty()) window_.playfield()->show(*answer.frame, answer.drawn);
    if (answer.caption) window_.setWindowTitle(QString::fromStdString(*answer.caption));
    if (answer.box) host_.openBox(*answer.box, [this] { apply(session_.boxClosed()); });
    if (answer.wake)
        timer_.arm(*answer.wake);
    else
        timer_.disarm();
}

}  // namespace brontix::platform::qt
