// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include "session/session.h"

#include <limits>

#include "game/basic.h"
#include "render/pixels.h"
#include "session/core.h"
#include "tick/tick.h"

namespace brontix::session {

Session::Session(Host& host, Clock clock) : core_(std::make_unique<Core>(host, std::move(clock))) {}
Session::~Session() = default;

void Session::record(Recorder* recorder) { core_->record(recorder); }
void Session::queueRandom(float value) { core_->queueRandom(value); }
Answer Session::start() { return core_->start(); }
bool Session::started() const { return core_->started(); }
Answer Session::pointer(float x, float y) { return core_->pointer(x, y); }
Answer Session::leave(double x0, double y0, double x1, double y1) {
    return core_->leave(x0, y0, x1, y1);
}
Answer Session::click() { return core_->click(); }
Answer Session::key(int code) { return core_->key(code); }
Answer Session::unseen() { return core_->unseen(); }
Answer Session::menu(Command command) { return core_->menu(command); }
Answer Session::race(std::uint64_t wall) { return core_->race(wall); }

std::optional<std::uint64_t> raceWall(std::string_view text) {
    constexpr std::size_t kMostDigits = 20;  // 2^64 - 1 has twenty
    if (text.empty() || text.size() > kMostDigits) return std::nullopt;
    std::uint64_t wall = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        const auto digit = static_cast<std::uint64_t>(c - '0');
        if (wall > (std::numeric_limits<std::uint64_t>::max() - digit) / 10) return std::nullopt;
        wall = wall * 10 + digit;
    }
    return wall;
}
std::vector<CapsuleLegend> capsuleLegend() {
    std::vector<CapsuleLegend> legend;
    for (const tick::CapsuleKind& k : tick::capsuleKinds()) {
        const auto i = static_cast<std::size_t>(k.paletteIndex);
        legend.push_back({render::toPixel(game::kPalette.at(i)) & 0xFFFFFFu,
                          game::kPaletteNames.at(i), k.effect, k.words});
    }
    return legend;
}

Answer Session::placeWindows(const ScreenRect& cover, const ScreenRect& game) {
    return core_->placeWindows(cover, game);
}
Answer Session::backdropClosed() { return core_->backdropClosed(); }
Answer Session::wake() { return core_->wake(); }
Answer Session::expire(std::uint64_t count) { return core_->expire(count); }
Answer Session::boxClosed() { return core_->boxClosed(); }
Answer Session::setScale(const render::Scale& scale) { return core_->setScale(scale); }
std::optional<std::int64_t> Session::nextWake() const { return core_->nextWake(); }
std::shared_ptr<const Saved> Session::save() const { return core_->save(); }
void Session::restore(const Saved& saved) { core_->restore(saved); }
std::size_t Session::savedBytes(const Saved& saved) { return Core::savedBytes(saved); }
const render::PixelBuffer& Session::drawnFrame() { return core_->drawnFrame(); }
std::span<const render::Rect> Session::drawChanges() { return core_->drawChanges(); }
const render::PixelBuffer& Session::frame() const { return core_->frame(); }
const std::string& Session::caption() const { return core_->caption(); }
std::uint64_t Session::ticksRun() const { return core_->ticksRun(); }
const std::vector<std::string>& Session::messages() const { return core_->messages(); }
std::int32_t Session::score() const { return core_->score(); }
std::vector<Figure> Session::paddleAndBalls() const { return core_->paddleAndBalls(); }
InForce Session::inForce() const { return core_->inForce(); }
std::optional<std::uint64_t> Session::wall() const { return core_->wall(); }
std::uint64_t Session::tickCost() const { return core_->tickCost(); }
bool Session::boxOpen() const { return core_->boxOpen(); }
bool Session::timerEnabled() const { return core_->timerEnabled(); }

}  // namespace brontix::session
