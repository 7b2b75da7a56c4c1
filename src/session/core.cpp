// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include "session/core.h"

#include <algorithm>
#include <cmath>
#include <utility>

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

Core::Core(Host& host, Pacer::Clock clock)
    : host_(host),
      services_(*this),
      picture_(scene::kPlayfieldWidth, scene::kPlayfieldHeight, game::kFormBackColor),
      frame_(scene::kPlayfieldWidth, scene::kPlayfieldHeight),
      pacer_(std::move(clock), [this] { return runTick(); }) {}

Core::~Core() {
    // The program quits: whatever it stands at, a replay can prove it.
    if (recorder_ && form_) check();
    if (recorder_) recorder_->settle();
}

Answer Core::start() {
    if (form_) return answer();
    form_ = std::make_unique<game::Form1>(services_);
    game::Form_Load(*form_);
    if (recorder_) recorder_->settle();
    pacer_.restart();
    awake_ = form_->Timer1.Enabled;
    return answer();
}

bool Core::runTick() {
    if (gate_ != Gate::Open || !form_->Timer1.Enabled) return false;
    // Counted as it starts: a box it opens writes it down with the rest.
    if (recorder_) recorder_->ticked();
    inTick_ = true;
    endedInTick_ = false;
    tick::Timer1_Timer(*form_);
    inTick_ = false;
    ++ticks_;
    if (recorder_ && (ticks_ % Recorder::kTicksPerCheck == 0 || endedInTick_)) check();
    return true;
}

void Core::check() { recorder_->check(stateHash()); }

std::int32_t Core::score() const { return form_ ? form_->state.score : 0; }

std::vector<Figure> Core::paddleAndBalls() const {
    std::vector<Figure> figures;
    if (!form_) return figures;
    const auto add = [&figures](const scene::Shape& s, bool round) {
        if (s.Visible) figures.push_back({s.Left, s.Top, s.Width, s.Height, round});
    };
    add(form_->Paddle, false);
    for (int i = 0; i <= form_->Ball.UBound(); ++i) add(form_->Ball[i], true);
    return figures;
}

InForce Core::inForce() const {
    InForce f;
    if (!form_) return f;
    f.sticky = form_->state.stickyPaddle != game::False;
    f.cannons = form_->LFire[0].Visible;
    f.paddleWidth = form_->Paddle.Width;
    for (int i = 0; i <= form_->Ball.UBound(); ++i)
        if (form_->Ball[i].Visible) f.ballSizes.push_back(form_->Ball[i].Width);
    std::sort(f.ballSizes.begin(), f.ballSizes.end());
    f.ballSizes.erase(std::unique(f.ballSizes.begin(), f.ballSizes.end()), f.ballSizes.end());
    return f;
}

std::uint64_t Core::tickCost() const {
    return form_ ? static_cast<std::uint64_t>(form_->Ball.UBound()) + 1 : 1;
}

template <class Handler>
Answer Core::handle(const std::string& line, Handler handler) {
    if (!form_ || gate_ != Gate::Open) return answer();
    handler(*form_);
    if (recorder_) recorder_->event(line);
    // A handler that switched the timer on starts the pace a period from
    // now; any handler may have set something moving, so every tick is
    // shown again.
    if (form_->Timer1.Enabled && !awake_) pacer_.restart();
    awake_ = form_->Timer1.Enabled;
    still_ = false;
    return answer();
}

Answer Core::pointer(float x, float y) {
    // No pointer is ever at an infinite or undefined place, and a script
    // could not say where it was.
    if (!std::isfinite(x) || !std::isfinite(y)) return answer();
    return handle(Recorder::move(x, y),
                  [x, y](game::Form1& f) { input::Form_MouseMove(f, 0, 0, x, y); });
}

Answer Core::leave(double x0, double y0, double x1, double y1) {
    const double right = scene::kPlayfieldWidth - 1, bottom = scene::kPlayfieldHeight - 1;
    // The share of the path to where it leaves the first edge it meets; a
    // pointer that left from within (onto a window over the playfield)
    // crossed no edge.
    double t = 1;
    if (x1 > right) t = std::min(t, (right - x0) / (x1 - x0));
    if (x1 < 0) t = std::min(t, -x0 / (x1 - x0));
    if (y1 > bottom) t = std::min(t, (bottom - y0) / (y1 - y0));
    if (y1 < 0) t = std::min(t, -y0 / (y1 - y0));
    if (!(t < 1)) return answer();
    t = std::max(t, 0.0);
    const double x = std::clamp(x0 + t * (x1 - x0), 0.0, right);
    const double y = std::clamp(y0 + t * (y1 - y0), 0.0, bottom);
    if (x == x0 && y == y0) return answer();  // it left from the edge itself
    return pointer(static_cast<float>(x), static_cast<float>(y));
}

Answer Core::click() { return handle(Recorder::click(), input::Form_Click); }

Answer Core::key(int code) {
    if (code < 0 || code > 0xFFFF) return answer();  // character codes are 16-bit
    return handle(Recorder::key(code), [code](game::Form1& f) { input::Form_KeyPress(f, code); });
}

Answer Core::unseen() {
    // Nobody is there to answer a box that would come up meanwhile.
    constexpr int kPause = 'p';
    if (!form_ || gate_ != Gate::Open || !form_->Timer1.Enabled) return answer();
    return key(kPause);
}

Answer Core::menu(Command command) {
    switch (command) {
    case Command::NewGame: return handle(Recorder::menu(command), game::ng_Click);
    case Command::Demo: return handle(Recorder::menu(command), input::mnuDemo_Click);
    case Command::FullScreen: return handle(Recorder::menu(command), input::mnuFS_Click);
    }
    return answer();
}

Answer Core::race(std::uint64_t wall) {
    services_.clockGiven = wall;
    Answer a = menu(Command::NewGame);
    // Refused (under the box, before start-up), the race leaves no clock
    // for a later New Game to read.
    services_.clockGiven.reset();
    return a;
}

Answer Core::placeWindows(const ScreenRect& cover, const ScreenRect& game) {
    windows_.cover = cover;
    windows_.game = game;
    if (windows_.backdropUp && windows_.ownsGame) input::centreOnBackdrop(services_);
    return answer();
}

Answer Core::backdropClosed() {
    windows_.backdropUp = false;
    windows_.ownsGame = false;
    return answer();
}

Answer Core::wake() {
    if (!form_ || gate_ != Gate::Open) return answer();
    if (pacer_.wake() == 0) return answer();
    Answer a = answer();
    still_ = a.drawn.empty();
    awake_ = form_->Timer1.Enabled;
    // A game that ended stands still: its recording is complete now.
    if (!awake_ && recorder_) recorder_->settle();
    a.wake = nextWake();
    return a;
}

Answer Core::expire(std::uint64_t count) {
    if (!form_) return answer();
    // Only an event can switch the timer back on, so once it is off the
    // remaining expiries change nothing.
    for (std::uint64_t ran = 0; ran < count && runTick(); ++ran) {}
    if (recorder_ && !form_->Timer1.Enabled) recorder_->settle();
    return answer();
}

Answer Core::boxClosed() {
    if (gate_ != Gate::Boxed) return answer();
    gate_ = Gate::Open;
    // The time the box was open is not owed.
    pacer_.restart();
    awake_ = form_->Timer1.Enabled;
    return answer();
}

bool Core::timerEnabled() const { return form_ && form_->Timer1.Enabled; }

std::optional<std::int64_t> Core::nextWake() const {
    if (!form_ || gate_ != Gate::Open || !form_->Timer1.Enabled) return std::nullopt;
    const int ticks = still_ ? kStillTicksPerWake : 1;
    return pacer_.nextDue() + (ticks - 1) * Pacer::kPeriodNs;
}

Answer Core::setScale(const render::Scale& scale) {
    if (scale == renderer_.scale()) return answer();
    renderer_.setScale(scale);
    frame_ = render::frameAt(scale);
    // Under the box the screen must change size all the same: it shows the
    // scene as it stands.
    if (form_ && gate_ == Gate::Boxed && host_.showsFrames())
        drawn_ = renderer_.renderChanges(frame_, picture_, *form_);
    return answer();
}

const render::PixelBuffer& Core::drawnFrame() {
    drawChanges();
    return frame_;
}

std::span<const render::Rect> Core::drawChanges() {
    if (!form_) return {};
    return renderer_.renderChanges(frame_, picture_, *form_);
}

void Core::snapshot() {
    if (form_ && host_.showsFrames()) drawn_ = renderer_.renderChanges(frame_, picture_, *form_);
    if (captionChanged_) caption_ = services_.caption();
    captionChanged_ = false;
}

Answer Core::answer() {
    // Under the box the rest of its tick is not shown until the player
    // answers: the screen keeps the board as the box opened.
    if (gate_ == Gate::Open) snapshot();
    Answer a;
    a.drawn = std::exchange(drawn_, {});
    a.frame = &frame_;
    a.caption = std::exchange(caption_, std::nullopt);
    a.box = std::exchange(box_, std::nullopt);
    a.wake = nextWake();
    a.windows = std::exchange(windowSteps_, {});
    a.events = std::exchange(events_, {});
    return a;
}

// --- the services the game calls ----------------------------------------------

void Core::GameServices::Randomize() {
    const std::uint64_t clock =
        std::exchange(clockGiven, std::nullopt).value_or(session_.host_.clock());
    generator.seed(clock);
    seeded = clock;
    if (session_.recorder_) session_.recorder_->seeded(clock);
}

float Core::GameServices::Rnd() {
    if (queue.empty()) return generator.next();
    const float v = queue.front();
    queue.pop_front();
    return v;
}

void Core::GameServices::setDrawColor(scene::Colour colour) {
    session_.picture_.setPenColour(colour);
}
void Core::GameServices::setDrawWidth(int pixels) { session_.picture_.setPenWidth(pixels); }
void Core::GameServices::drawLine(float x1, float y1, float x2, float y2) {
    session_.picture_.drawLine(x1, y1, x2, y2);
}

namespace {

scene::WindowRect inTwips(const ScreenRect& r) {
    return scene::pixelsInTwips(r.left, r.top, r.width, r.height);
}

}  // namespace

void Core::GameServices::showBackdrop() {
    session_.windows_.backdropUp = true;
    session_.windowSteps_.push_back({WindowStep::Kind::ShowBackdrop});
}

scene::WindowRect Core::GameServices::backdropRect() const {
    return session_.windows_.backdropUp ? inTwips(session_.windows_.cover) : scene::WindowRect{};
}

void Core::GameServices::hideGameWindow() {
    session_.windowSteps_.push_back({WindowStep::Kind::HideGame});
}

scene::WindowRect Core::GameServices::gameWindowRect() const {
    return inTwips(session_.windows_.game);
}

void Core::GameServices::moveGameWindow(float leftTwips, float topTwips) {
    ScreenRect& game = session_.windows_.game;
    game.left = scene::twipsToPixels(leftTwips);
    game.top = scene::twipsToPixels(topTwips);
    session_.windowSteps_.push_back({WindowStep::Kind::MoveGame, game.left, game.top});
}

void Core::GameServices::showGameWindowOwnedByBackdrop() {
    session_.windows_.ownsGame = true;
    session_.windowSteps_.push_back({WindowStep::Kind::ShowGameOwnedByBackdrop});
}

void Core::GameServices::report(const scene::GameEvent& event) {
    const std::uint64_t point = session_.ticks_ + (session_.inTick_ ? 1 : 0);
    session_.events_.push_back({event.kind, event.what, point});
    using Kind = scene::GameEvent::Kind;
    if (event.kind == Kind::Lost || event.kind == Kind::Won) session_.endedInTick_ = true;
    if (event.kind == Kind::NewGame) session_.wall_ = seeded;
}

void Core::GameServices::showCaption(const std::string&) { session_.captionChanged_ = true; }

void Core::GameServices::messageBox(const std::string& text) {
    if (session_.onBoxOpening) session_.onBoxOpening(text);
    // The player sees the board as it stands when the box opens; the tick
    // runs on to its end at once, and the gate holds everything else until
    // the box is answered. A tick opens one box at most: after the lose
    // test finds no ball, no brick pass can win.
    session_.snapshot();
    // The game stands still at its box: its recording is complete.
    if (session_.recorder_) session_.recorder_->settle();
    session_.box_ = text;
    session_.messages_.push_back(text);
    session_.gate_ = Gate::Boxed;
}

}  // namespace brontix::session
