// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include "viewer/viewer.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "game/basic.h"
#include "game/form1.h"
#include "replay/replay.h"

namespace brontix::viewer {

namespace {

using Got = script::LineReader::Got;

// The ten effects, by the palette index of the capsule that brings them.
constexpr std::array<std::string_view, 10> kEffects = {
    "sticky paddle",   "less gravity", "more gravity",     "multi-ball",   "wider paddle",
    "narrower paddle", "cannons",      "bricks drop down", "bigger balls", "smaller balls"};

std::string effectOf(scene::Colour colour) {
    for (std::size_t i = 0; i < kEffects.size(); ++i)
        if (game::QBColor(static_cast<int>(i)) == colour) return std::string(kEffects[i]);
    return "a capsule";
}

}  // namespace

// The script, read once: its commands in order. Comments and blank lines
// change nothing and are left out.
struct Viewer::Script {
    std::vector<script::Command> commands;
};

std::variant<std::unique_ptr<Viewer>, std::string> Viewer::open(std::string_view text) {
    auto s = std::make_unique<Script>();
    script::LineReader reader([text](char* into, std::size_t n) mutable {
        n = std::min(n, text.size());
        std::memcpy(into, text.data(), n);
        text.remove_prefix(n);
        return static_cast<long>(n);
    });
    std::string line;
    for (unsigned long long number = 1;; ++number) {
        const Got got = reader.next(line);
        if (got == Got::End) break;
        script::Parsed parsed;
        if (got == Got::TooLong)
            parsed.error = "line too long";
        else
            parsed = script::parseLine(line);
        if (!parsed.error.empty()) return "line " + std::to_string(number) + ": " + parsed.error;
        if (std::holds_alternative<script::Nothing>(parsed.command)) continue;
        s->commands.push_back(std::move(parsed.command));
    }
    return std::unique_ptr<Viewer>(new Viewer(std::move(s)));
}

Viewer::Viewer(std::unique_ptr<Script> script) : script_(std::move(script)) {
    survey();
    restart();
    runTo(0);
}

Viewer::~Viewer() = default;

void Viewer::restart() {
    game_ = std::make_unique<replay::Replay>();
    game_->session().setScale(scale_);
    next_ = 0;
    remaining_ = 0;
    point_ = 0;
    box_.reset();
}

void Viewer::keepMoment(std::size_t next, std::uint64_t remaining) {
    moments_.push_back({point_, next, remaining, box_, game_->session().save(), game_->host()});
}

void Viewer::putBack(const Moment& m) {
    restart();
    game_->finish();
    game_->session().restore(*m.saved);
    game_->host() = m.host;
    next_ = m.next;
    remaining_ = m.remaining;
    point_ = m.point;
    box_ = m.box;
}

std::size_t Viewer::savedBytes() const {
    std::size_t bytes = 0;
    for (const Moment& m : moments_) {
        bytes += sizeof m + session::Session::savedBytes(*m.saved);
        for (const std::string& text : m.host.messages())
            bytes += sizeof(std::string) + text.size();
    }
    return bytes;
}

void Viewer::runTo(std::uint64_t target) {
    // From the nearest moment kept before the target, unless the game
    // stands between the two already.
    const auto after =
        std::upper_bound(moments_.begin(), moments_.end(), target,
                         [](std::uint64_t t, const Moment& m) { return t < m.point; });
    const Moment* from = after == moments_.begin() ? nullptr : &*(after - 1);
    if (target < point_ || (from && from->point > point_)) {
        if (from)
            putBack(*from);
        else
            restart();
    }
    session::Session& s = game_->session();
    const auto& messages = game_->host().messages();
    const auto& commands = script_->commands;
    // Point N ends right after the N-th tick; point 0 before the first tick
    // that runs.
    while (next_ < commands.size() && !(point_ == target && target > 0)) {
        const auto* tick = std::get_if<script::Tick>(&commands[next_]);
        if (!tick) {
            game_->run(commands[next_++]);
            box_.reset();
            continue;
        }
        game_->finish();  // the main window exists
        if (point_ == target && s.timerEnabled()) break;
        const std::uint64_t count = remaining_ ? remaining_ : tick->count;
        const std::uint64_t want = std::min(count, target - point_);
        const std::size_t boxes = messages.size();
        game_->host().expire(s, want);
        const std::uint64_t ran = s.ticksRun() - point_;
        point_ = s.ticksRun();
        if (ran > 0) box_.reset();
        if (messages.size() > boxes) box_ = messages.back();
        // An expiry while the timer is off runs nothing, and only an event
        // switches it back on: the rest of the command is spent too.
        remaining_ = ran < want || !s.timerEnabled() ? 0 : count - ran;
        if (remaining_ == 0) ++next_;
    }
    if (next_ == commands.size()) game_->finish();
}

void Viewer::survey() {
    restart();
    session::Session& s = game_->session();
    const auto& messages = game_->host().messages();
    std::vector<char> visible;
    std::vector<std::pair<int, scene::Colour>> falling;
    const auto& commands = script_->commands;
    for (std::size_t c = 0; c < commands.size(); ++c) {
        const script::Command& command = commands[c];
        const auto* tick = std::get_if<script::Tick>(&command);
        if (!tick) {
            const bool running = s.started() && s.timerEnabled();
            game_->run(command);
            const auto* menu = std::get_if<script::Menu>(&command);
            if (menu && menu->command == session::Command::NewGame)
                marks_.push_back({point_, MarkKind::NewGame, "New Game"});
            else if (running && !s.timerEnabled())
                marks_.push_back({point_, MarkKind::Pause, "paused"});
            continue;
        }
        game_->finish();
        const game::Form1& f = s.form();
        // One tick at a time: what each took from the board is a mark.
        for (std::uint64_t n = 0; n < tick->count && s.timerEnabled(); ++n) {
            visible.assign(static_cast<std::size_t>(f.Ball.UBound()) + 1, 0);
            for (int i = 0; i <= f.Ball.UBound(); ++i) visible[i] = f.Ball[i].Visible;
            falling.clear();
            for (int j : f.capsules.active()) falling.emplace_back(j, f.PowUp[j].BackColor);
            const std::size_t boxes = messages.size();
            game_->host().expire(s, 1);
            point_ = s.ticksRun();
            for (std::size_t i = 0; i < visible.size(); ++i)
                if (visible[i] && !f.Ball[static_cast<int>(i)].Visible)
                    marks_.push_back({point_, MarkKind::BallLost, "ball lost"});
            for (const auto& [j, colour] : falling)
                if (!f.PowUp[j].Visible)
                    marks_.push_back({point_, MarkKind::Capsule, "capsule: " + effectOf(colour)});
            box_.reset();
            if (messages.size() > boxes) {
                box_ = messages.back();
                const bool won = *box_ == "You win!";
                marks_.push_back({point_, won ? MarkKind::Won : MarkKind::Lost, *box_});
            }
            if (point_ % kPointsBetweenMoments == 0) {
                const std::uint64_t left = s.timerEnabled() ? tick->count - n - 1 : 0;
                keepMoment(left ? c : c + 1, left);
            }
        }
    }
    last_ = point_;
}

void Viewer::seek(std::uint64_t point) {
    pause();
    runTo(std::min(point, last_));
}

std::uint64_t Viewer::clampedBy(std::int64_t points) const {
    if (points < 0) {
        const auto back = static_cast<std::uint64_t>(-(points + 1)) + 1;
        return back > point_ ? 0 : point_ - back;
    }
    return std::min(last_, point_ + static_cast<std::uint64_t>(points));
}

const render::PixelBuffer& Viewer::frame() { return game_->session().drawnFrame(); }

void Viewer::setScale(const render::Scale& scale) {
    scale_ = scale;
    game_->session().setScale(scale);
}

std::string Viewer::caption() const { return game_->session().form().services.caption(); }

void Viewer::play(std::int64_t now) {
    if (point_ >= last_) runTo(0);  // played to the end: from the start again
    playing_ = true;
    playedFrom_ = now;
    playedPoint_ = point_;
}

void Viewer::pause() { playing_ = false; }

void Viewer::setSpeed(int speed, std::int64_t now) {
    speed = std::clamp(speed, 0, static_cast<int>(std::size(kSpeeds)) - 1);
    if (playing_) {
        advance(now);
        playedFrom_ = now;
        playedPoint_ = point_;
    }
    speed_ = speed;
}

std::uint64_t Viewer::playedPoint(std::int64_t now) const {
    const double seconds = static_cast<double>(now - playedFrom_) * 1e-9;
    const double points = seconds * kPointsPerSecond * kSpeeds[speed_];
    if (points <= 0) return playedPoint_;
    return std::min<std::uint64_t>(last_, playedPoint_ + static_cast<std::uint64_t>(points));
}

bool Viewer::advance(std::int64_t now) {
    if (!playing_) return false;
    const std::uint64_t to = playedPoint(now);
    const bool moved = to != point_;
    runTo(to);
    if (point_ >= last_) playing_ = false;
    return moved;
}

std::optional<std::int64_t> Viewer::nextWake() const {
    if (!playing_) return std::nullopt;
    // The moment the played point passes the current one.
    const double period = 1e9 / (kPointsPerSecond * kSpeeds[speed_]);
    const auto ahead = static_cast<double>(point_ + 1 - playedPoint_);
    return playedFrom_ + static_cast<std::int64_t>(ahead * period + 0.999);
}

std::string minutesSeconds(std::uint64_t point) {
    const std::uint64_t seconds = point / kPointsPerSecond;
    std::string s = std::to_string(seconds / 60) + ":";
    const std::uint64_t ss = seconds % 60;
    s += static_cast<char>('0' + ss / 10);
    s += static_cast<char>('0' + ss % 10);
    return s;
}

}  // namespace brontix::viewer
