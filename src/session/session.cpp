// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include "session/session.h"

#include <cmath>

#include "game/game.h"
#include "input/input.h"
#include "tick/tick.h"

namespace brontix::session {

namespace {

// While the ticks change nothing on screen (a ball resting on the paddle),
// the front end is woken once every three ticks: the same frame at a third
// of the wake-ups, while the ticks still run 64 a second.
constexpr int kStillTicksPerWake = 3;

}  // namespace

Session::Session(Host& host, Pacer::Clock clock)
    : host_(host),
      services_(*this),
      picture_(scene::kPlayfieldWidth, scene::kPlayfieldHeight, game::kFormBackColor),
      frame_(scene::kPlayfieldWidth, scene::kPlayfieldHeight),
      pacer_(std::move(clock), [this] { return runTick(); }) {}

Session::~Session() {
    if (recorder_) recorder_->settle();
}

void Session::start() {
    if (form_) return;
    form_ = std::make_unique<game::Form1>(services_);
    game::Form_Load(*form_);
    if (recorder_) recorder_->settle();
    pacer_.restart();
    awake_ = form_->Timer1.Enabled;
    present();
}

bool Session::runTick() {
    if (gate_ != Gate::Open || !form_->Timer1.Enabled) return false;
    gate_ = Gate::Ticking;
    tick::Timer1_Timer(*form_);
    // A box the front end left open keeps the gate closed after the tick.
    if (gate_ == Gate::Ticking) gate_ = Gate::Open;
    ++ticks_;
    if (recorder_) recorder_->ticked();
    return true;
}

template <class Handler>
void Session::handle(const std::string& line, Handler handler) {
    if (!form_ || gate_ != Gate::Open) return;
    handler(*form_);
    if (recorder_) recorder_->event(line);
    // A handler that switched the timer on starts the pace a period from
    // now; any handler may have set something moving, so every tick is
    // shown again.
    if (form_->Timer1.Enabled && !awake_) pacer_.restart();
    awake_ = form_->Timer1.Enabled;
    still_ = false;
    present();
}

void Session::pointer(float x, float y) {
    // No pointer is ever at an infinite or undefined place, and a script
    // could not say where it was.
    if (!std::isfinite(x) || !std::isfinite(y)) return;
    handle(Recorder::move(x, y), [x, y](game::Form1& f) { input::Form_MouseMove(f, 0, 0, x, y); });
}

void Session::click() { handle("click", input::Form_Click); }

void Session::key(int code) {
    if (code < 0 || code > 0xFFFF) return;  // character codes are 16-bit
    handle("key " + std::to_string(code), [code](game::Form1& f) { input::Form_KeyPress(f, code); });
}

void Session::menu(Command command) {
    switch (command) {
    case Command::NewGame: return handle("menu new", game::ng_Click);
    case Command::Demo: return handle("menu demo", input::mnuDemo_Click);
    case Command::FullScreen: return handle("menu fullscreen", input::mnuFS_Click);
    }
}

void Session::wake() {
    if (!form_ || gate_ != Gate::Open) return;
    const int ran = pacer_.wake();
    if (ran == 0) return;
    still_ = !present();
    awake_ = form_->Timer1.Enabled;
    // A game that ended stands still: its recording is complete now.
    if (!awake_ && recorder_) recorder_->settle();
}

std::uint64_t Session::expire(std::uint64_t count) {
    if (!form_) return 0;
    std::uint64_t ran = 0;
    // Only an event can switch the timer back on, so once it is off the
    // remaining expiries change nothing.
    while (ran < count && runTick()) ++ran;
    if (recorder_ && !form_->Timer1.Enabled) recorder_->settle();
    present();
    return ran;
}

void Session::boxClosed() {
    if (gate_ != Gate::Boxed) return;
    gate_ = Gate::Open;
    // The time the box was open is not owed.
    pacer_.restart();
    awake_ = form_->Timer1.Enabled;
    present();
}

bool Session::timerEnabled() const { return form_ && form_->Timer1.Enabled; }

std::optional<std::int64_t> Session::nextWake() const {
    if (!form_ || gate_ != Gate::Open || !form_->Timer1.Enabled) return std::nullopt;
    const int ticks = still_ ? kStillTicksPerWake : 1;
    return pacer_.nextDue() + (ticks - 1) * Pacer::kPeriodNs;
}

const render::PixelBuffer& Session::drawnFrame() {
    if (form_) renderer_.renderChanges(frame_, picture_.pixels(), *form_);
    return frame_;
}

bool Session::present() {
    // Under a box a page leaves open, the rest of its tick is not shown
    // until the player answers.
    if (!form_ || gate_ == Gate::Boxed || !host_.showsFrames()) return false;
    const auto& rects = renderer_.renderChanges(frame_, picture_.pixels(), *form_);
    if (rects.empty()) return false;
    host_.present(frame_, rects);
    return true;
}

// --- the services the game calls ----------------------------------------------

void Session::GameServices::Randomize() {
    const std::uint64_t clock = session_.host_.clock();
    generator.seed(clock);
    if (session_.recorder_) session_.recorder_->seeded(clock);
}

float Session::GameServices::Rnd() {
    if (queue.empty()) return generator.next();
    const float v = queue.front();
    queue.pop_front();
    return v;
}

void Session::GameServices::setDrawColor(scene::Colour colour) {
    session_.picture_.setPenColour(colour);
}
void Session::GameServices::setDrawWidth(int pixels) { session_.picture_.setPenWidth(pixels); }
void Session::GameServices::drawLine(float x1, float y1, float x2, float y2) {
    session_.picture_.drawLine(x1, y1, x2, y2);
}

void Session::GameServices::showCaption(const std::string& text) {
    session_.host_.showCaption(text);
}

void Session::GameServices::messageBox(const std::string& text) {
    // The player sees the board as it stands while the box is up.
    session_.present();
    session_.gate_ = Gate::Boxed;
    if (session_.host_.messageBox(text)) session_.gate_ = Gate::Ticking;
}

}  // namespace brontix::session
