// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include "viewer/viewer.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>

#include "replay/replay.h"
#include "viewer/compare.h"
#include "viewer/race.h"

namespace brontix::viewer {

// The script, read once: its commands in order. Comments and blank lines
// change nothing and are left out.
struct Viewer::Script {
    std::vector<script::Command> commands;
};

std::variant<ScriptText, int> readScript(const script::ReadScript& read) {
    ScriptText s;
    constexpr std::size_t kChunk = 1 << 16;
    while (s.text.size() <= kMaxScriptBytes) {
        const std::size_t had = s.text.size();
        s.text.resize(had + kChunk);
        const long n = read(s.text.data() + had, kChunk);
        if (n < 0) return errno;
        s.text.resize(had + static_cast<std::size_t>(n));
        if (n == 0) return s;
    }
    s.cut = true;
    s.text.resize(kMaxScriptBytes);
    const std::size_t lastLine = s.text.rfind('\n');
    s.text.resize(lastLine == std::string::npos ? 0 : lastLine + 1);
    return s;
}

std::string cutShort() {
    return "This recording is longer than the viewer takes (" +
           std::to_string(kMaxScriptBytes >> 20) +
           " MiB): it is watched up to its last line within that.";
}

std::variant<std::unique_ptr<Viewer>, std::string> Viewer::open(std::string_view text,
                                                                const Bounds& bounds) {
    auto s = std::make_unique<Script>();
    script::CommandReader reader([text](char* into, std::size_t n) mutable {
        n = std::min(n, text.size());
        std::memcpy(into, text.data(), n);
        text.remove_prefix(n);
        return static_cast<long>(n);
    });
    using Got = script::CommandReader::Got;
    for (script::Command command;;) {
        const Got got = reader.next(command);
        if (got == Got::End) break;
        if (got == Got::Error) return reader.error();
        if (std::holds_alternative<script::Nothing>(command)) continue;
        s->commands.push_back(std::move(command));
    }
    return std::unique_ptr<Viewer>(new Viewer(std::move(s), bounds));
}

Viewer::Viewer(std::unique_ptr<Script> script, const Bounds& bounds)
    : script_(std::move(script)),
      bounds_(bounds),
      race_(racedWall(script_->commands)),
      firstWall_(viewer::firstWall(script_->commands)) {
    surveyor_ = std::make_unique<replay::Replay>();
    // The marks are what the game reports, where it happened.
    surveyor_->host().onEvent = [this](const session::Event& e) { mark(e); };
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
    const session::Session& s = surveyor_->session();
    moments_.push_back({s.ticksRun(), next, remaining, surveyBox_, s.save(), surveyor_->host()});
    // A moment put back later reports to no one: the marks are made once.
    moments_.back().host.onEvent = nullptr;
    momentBytes_ += sizeof(Moment) + session::Session::savedBytes(*moments_.back().saved);
}

void Viewer::putBack(const Moment& m) {
    restart();
    game_->finish();
    game_->session().restore(*m.saved);
    game_->host() = m.host;
    game_->host().placeWindows(game_->session());
    next_ = m.next;
    remaining_ = m.remaining;
    point_ = m.point;
    box_ = m.box;
}

std::size_t Viewer::savedBytes() const {
    std::size_t bytes = 0;
    for (const Moment& m : moments_) bytes += sizeof m + session::Session::savedBytes(*m.saved);
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
    const auto& messages = s.messages();
    const auto& commands = script_->commands;
    // Point N ends right after the N-th tick; point 0 before the first tick
    // that runs.
    while (next_ < commands.size() && !(point_ == target && target > 0)) {
        const auto* tick = std::get_if<script::Tick>(&commands[next_]);
        // The survey met every check the script still has, and each matched.
        if (std::holds_alternative<script::Check>(commands[next_])) {
            ++next_;
            continue;
        }
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

bool Viewer::survey(std::uint64_t work) {
    if (!surveyed_ && !surveyOwn(work)) return false;
    if (!ghost_ || ghostJoined_) return true;
    if (!ghost_->survey(work)) return false;
    joinGhost();
    return true;
}

bool Viewer::surveyOwn(std::uint64_t work) {
    session::Session& s = surveyor_->session();
    auto& commands = script_->commands;
    const std::uint64_t until = work_ + work;
    while (surveyNext_ < commands.size() && work_ < until) {
        const auto* tick = std::get_if<script::Tick>(&commands[surveyNext_]);
        if (!tick) {
            ++work_;
            if (const auto unmatched = surveyor_->run(commands[surveyNext_])) {
                // The game as the script replays it is not the recorded one
                // from here: it is watched up to this point.
                verdict_.kind = Verdict::Kind::OutOfSync;
                verdict_.why = "line " +
                               std::to_string(std::get<script::Check>(commands[surveyNext_]).line) +
                               ": " + *unmatched;
                commands.resize(surveyNext_);
                break;
            }
            ++surveyNext_;
            continue;
        }
        surveyor_->finish();
        const std::uint64_t point = s.ticksRun();
        // As far as the next moment to keep, the work left and the bound
        // of points at a time; a box ends the command, since the tick that
        // opens one switches the timer off.
        const std::uint64_t cost = s.tickCost();
        const std::uint64_t want = std::min(
            {tick->count - surveyRan_, kPointsBetweenMoments - point % kPointsBetweenMoments,
             std::max<std::uint64_t>(1, (std::min(until, bounds_.work) - work_) / cost),
             bounds_.points - point});
        surveyBox_.reset();
        surveyor_->host().expire(s, want);
        const std::uint64_t ran = s.ticksRun() - point;
        surveyRan_ += ran;
        work_ += ran * cost;
        const bool spent = ran == 0 || !s.timerEnabled() || surveyRan_ == tick->count;
        if (ran > 0 && s.ticksRun() % kPointsBetweenMoments == 0)
            keepMoment(spent ? surveyNext_ + 1 : surveyNext_, spent ? 0 : tick->count - surveyRan_);
        if (spent) {
            ++surveyNext_;
            surveyRan_ = 0;
        }
        last_ = s.ticksRun();
        if (last_ >= bounds_.points) {
            endSurvey("the most play it surveys (" + minutesSeconds(bounds_.points) + ")");
            return true;
        }
        if (work_ >= bounds_.work) {
            endSurvey("the most work it does (" + std::to_string(bounds_.work) +
                      " balls moved, summed over the ticks)");
            return true;
        }
        if (momentBytes_ >= bounds_.momentBytes) {
            endSurvey("the most memory it keeps to seek from (" +
                      std::to_string(bounds_.momentBytes >> 20) + " MiB)");
            return true;
        }
    }
    last_ = s.ticksRun();
    if (surveyNext_ < commands.size()) return false;
    endSurvey({});
    return true;
}

double Viewer::surveyedShare() const {
    const auto& commands = script_->commands;
    const double own = surveyed_ || commands.empty() ? 1.0
                                                     : static_cast<double>(surveyNext_) /
                                                           static_cast<double>(commands.size());
    return ghost_ ? (own + ghost_->surveyedShare()) / 2 : own;
}

void Viewer::stopSurvey() {
    if (!surveyed_) endSurvey("the player's word");
    if (ghost_ && !ghostJoined_) {
        ghost_->stopSurvey();
        joinGhost();
    }
}

std::string Viewer::stoppedShort() const {
    if (!ghost_ || ghost_->stoppedShort().empty()) return stoppedShort_;
    return (stoppedShort_.empty() ? "" : stoppedShort_ + " ") +
           "The second recording: " + ghost_->stoppedShort();
}

void Viewer::endSurvey(const std::string& why) {
    session::Session& s = surveyor_->session();
    auto& commands = script_->commands;
    if (!why.empty()) {
        stoppedShort_ =
            "Watched up to " + minutesSeconds(last_) + ": the viewer stopped at " + why + ".";
        // What is past the survey's point is never run.
        commands.resize(std::min(commands.size(), surveyNext_ + 1));
        verdict_.partial = true;
    }
    commands.shrink_to_fit();
    surveyed_ = true;
    verdict_.checks = surveyor_->checksPassed();
    verdict_.score = s.score();
    if (verdict_.kind != Verdict::Kind::OutOfSync && verdict_.checks > 0)
        verdict_.kind = Verdict::Kind::Verified;
    surveyor_.reset();
    // The game may have run commands the script no longer has.
    if (next_ > commands.size()) {
        const std::uint64_t at = point_;
        restart();
        runTo(at);
    }
}

std::string verdictText(const Verdict& verdict, std::uint64_t last) {
    switch (verdict.kind) {
    case Verdict::Kind::Unchecked: return "Not verified: this recording has no checks.";
    case Verdict::Kind::Verified:
        return (verdict.partial ? "Verified as far as it is watched: replays to " +
                                      minutesSeconds(last) + " on this version of the game, score "
                                : std::string("Verified: replays to its end on this version of the "
                                              "game, score ")) +
               std::to_string(verdict.score) +
               " (which proves the result, not that a person played it).";
    case Verdict::Kind::OutOfSync:
        return "Out of sync at " + minutesSeconds(last) + " (" + verdict.why +
               "): made by another version of the game, or edited; shown up to there.";
    }
    return {};
}

std::string Viewer::verdictSaid() const {
    std::string said = verdictText(verdict_, last_);
    if (race_) said = "A race on wall " + std::to_string(*race_) + ". " + said;
    if (ghost_ && ghostJoined_)
        said += " The second recording: " + verdictText(ghost_->verdict_, ghost_->last_);
    return said;
}

namespace {

// The point of a surveyed game's first New Game.
std::optional<std::uint64_t> newGamePoint(const std::vector<Mark>& marks) {
    for (const Mark& m : marks)
        if (m.kind == MarkKind::NewGame) return m.point;
    return std::nullopt;
}

}  // namespace

std::optional<std::string> Viewer::compareWith(std::unique_ptr<Viewer> second) {
    if (!firstWall_ || !second->firstWall_)
        return std::string(firstWall_ ? "the second" : "the first") +
               " recording has no New Game: there is no wall to compare";
    if (*firstWall_ != *second->firstWall_)
        return "these recordings are not on the same wall: the first is on wall " +
               std::to_string(*firstWall_) + ", the second on wall " +
               std::to_string(*second->firstWall_);
    ghost_ = std::move(second);
    ghostJoined_ = false;
    ghostLast_ = 0;
    ghostMarks_.clear();
    // Past the end of this game, where another ghost had gone on.
    if (at_ > last_) moveTo(last_);
    return std::nullopt;
}

void Viewer::joinGhost() {
    ghostJoined_ = true;
    newGame_ = newGamePoint(marks_);
    ghostNewGame_ = newGamePoint(ghost_->marks_);
    // A survey stopped before a New Game leaves nothing to compare from.
    if (!newGame_ || !ghostNewGame_) return;
    const std::uint64_t from = *newGame_, ghostFrom = *ghostNewGame_;
    ghostLast_ = from + (ghost_->last_ - ghostFrom);
    for (const Mark& m : ghost_->marks_)
        if (m.point >= ghostFrom)
            ghostMarks_.push_back({from + (m.point - ghostFrom), m.kind, "ghost: " + m.what});
    moveTo(at_);
}

std::optional<std::uint64_t> Viewer::ghostPoint() const {
    if (!ghost_ || !ghostJoined_ || !newGame_ || !ghostNewGame_ || at_ < *newGame_)
        return std::nullopt;
    return *ghostNewGame_ + (at_ - *newGame_);
}

std::string Viewer::comparedSaid() const {
    if (!ghost_) return {};
    if (!ghostJoined_) return "Reading the second recording through.";
    if (!newGame_ || !ghostNewGame_)
        return "The second game is not shown: a game was read through only up to before its "
               "New Game.";
    const auto ghostAt = ghostPoint();
    if (!ghostAt)
        return "The ghost, the second game, joins at this game's New Game (" +
               minutesSeconds(*newGame_) + ").";
    const auto ended = [](const Viewer& v, std::uint64_t endsAt, bool past) {
        return "score " + std::to_string(v.score()) +
               (past ? ", ended at " + minutesSeconds(endsAt) : std::string());
    };
    return "This game: " + ended(*this, last_, at_ > last_) + ". The ghost: " + ghost_->caption() +
           ", " + ended(*ghost_, ghostLast_, *ghostAt > ghost_->last_) + ".";
}

void Viewer::mark(const session::Event& e) {
    using Kind = session::Event::Kind;
    switch (e.kind) {
    case Kind::NewGame: marks_.push_back({e.point, MarkKind::NewGame, "New Game"}); break;
    case Kind::Paused: marks_.push_back({e.point, MarkKind::Pause, "paused"}); break;
    case Kind::Resumed: break;
    case Kind::BallLost: marks_.push_back({e.point, MarkKind::BallLost, "ball lost"}); break;
    case Kind::CapsuleCaught:
        marks_.push_back({e.point, MarkKind::Capsule, "capsule: " + std::string(e.what)});
        break;
    case Kind::Lost:
    case Kind::Won:
        // The tick that ends a game is the last of its run: the box stands
        // at that point.
        surveyBox_ = std::string(e.what);
        marks_.push_back(
            {e.point, e.kind == Kind::Won ? MarkKind::Won : MarkKind::Lost, *surveyBox_});
        break;
    }
    if (marks_.size() > bounds_.marks) marks_.pop_back();
}

Answer Viewer::whole() {
    shownFrame_ = nullptr;
    told_ = false;
    return answer();
}

Answer Viewer::answer() {
    Answer a;
    session::Session& s = game_->session();
    a.drawn = s.drawChanges();
    a.frame = &s.frame();
    // Another picture (a new game put back, a new size) is shown whole.
    if (a.frame != shownFrame_ || a.frame->width() != shownWidth_) {
        shownFrame_ = a.frame;
        shownWidth_ = a.frame->width();
        whole_ = {a.frame->rect()};
        a.drawn = whole_;
    }
    if (!told_ || s.caption() != shownCaption_) a.caption = shownCaption_ = s.caption();
    if (!told_ || box_ != shownBox_) {
        shownBox_ = box_;
        a.box = box_.value_or("");
    }
    std::string inForce = inForceText(s.inForce());
    if (!told_ || inForce != shownInForce_) a.inForce = shownInForce_ = std::move(inForce);
    if (ghost_) {
        overlayGhost(a);
        std::string compared = comparedSaid();
        if (!told_ || compared != shownCompared_) a.compared = shownCompared_ = std::move(compared);
    }
    told_ = true;
    a.point = at_;
    a.playing = playing_;
    a.wake = nextWake();
    return a;
}

void Viewer::overlayGhost(Answer& a) {
    const render::PixelBuffer& own = *a.frame;
    overlayDrawn_.assign(a.drawn.begin(), a.drawn.end());
    if (a.drawn.data() == whole_.data() || overlaid_.width() != own.width() ||
        overlaid_.height() != own.height()) {
        overlaid_ = own;
    } else {
        overlayDrawn_.insert(overlayDrawn_.end(), ghostDrawn_.begin(), ghostDrawn_.end());
        for (const render::Rect& r : overlayDrawn_)
            for (int y = r.y; y < r.bottom(); ++y)
                std::copy_n(own.row(y) + r.x, r.w, overlaid_.row(y) + r.x);
    }
    drawGhostOver();
    overlayDrawn_.insert(overlayDrawn_.end(), ghostDrawn_.begin(), ghostDrawn_.end());
    a.frame = &overlaid_;
    a.drawn = overlayDrawn_;
}

void Viewer::drawGhostOver() {
    const auto at = ghostPoint();
    ghostDrawn_ = drawGhost(overlaid_, scale_,
                            at ? ghost_->paddleAndBalls() : std::vector<session::Figure>{});
}

void Viewer::moveTo(std::uint64_t at) {
    at_ = std::min(at, last());
    runTo(std::min(at_, last_));
    if (at_ <= last_) at_ = point_;
    // The ghost's own picture is never shown: it moves without answering.
    if (const auto ghostAt = ghostPoint()) ghost_->moveTo(*ghostAt);
}

Answer Viewer::seek(std::uint64_t point) {
    playing_ = false;
    moveTo(point);
    return answer();
}

std::uint64_t Viewer::clampedBy(std::int64_t points) const {
    if (points < 0) {
        const auto back = static_cast<std::uint64_t>(-(points + 1)) + 1;
        return back > at_ ? 0 : at_ - back;
    }
    return std::min(last(), at_ + static_cast<std::uint64_t>(points));
}

const render::PixelBuffer& Viewer::frame() {
    const render::PixelBuffer& own = game_->session().drawnFrame();
    if (!ghost_) return own;
    overlaid_ = own;
    drawGhostOver();
    return overlaid_;
}

Answer Viewer::setScale(const render::Scale& scale) {
    scale_ = scale;
    game_->session().setScale(scale);
    return answer();
}

std::string Viewer::caption() const { return game_->session().caption(); }
std::int32_t Viewer::score() const { return game_->session().score(); }
std::vector<session::Figure> Viewer::paddleAndBalls() const {
    return game_->session().paddleAndBalls();
}

Answer Viewer::play(std::int64_t now) {
    if (at_ >= last()) moveTo(0);  // played to the end: from the start again
    playing_ = true;
    playedFrom_ = now;
    playedPoint_ = at_;
    return answer();
}

Answer Viewer::pause() {
    playing_ = false;
    return answer();
}

Answer Viewer::setSpeed(int speed, std::int64_t now) {
    speed = std::clamp(speed, 0, static_cast<int>(std::size(kSpeeds)) - 1);
    if (playing_) {
        advance(now);
        playedFrom_ = now;
        playedPoint_ = at_;
    }
    speed_ = speed;
    return answer();
}

std::uint64_t Viewer::playedPoint(std::int64_t now) const {
    const double seconds = static_cast<double>(now - playedFrom_) * 1e-9;
    const double points = seconds * kPointsPerSecond * kSpeeds[speed_];
    if (points <= 0) return playedPoint_;
    return std::min<std::uint64_t>(last(), playedPoint_ + static_cast<std::uint64_t>(points));
}

Answer Viewer::advance(std::int64_t now) {
    if (playing_) {
        moveTo(playedPoint(now));
        if (at_ >= last()) playing_ = false;
    }
    return answer();
}

std::optional<std::int64_t> Viewer::nextWake() const {
    if (!playing_) return std::nullopt;
    // The moment the played point passes the current one; faster than the
    // game's own speed, the points of one of its periods at once, so the
    // viewer wakes no more often than the game would.
    const double period = 1e9 / (kPointsPerSecond * kSpeeds[speed_]);
    const std::uint64_t stride =
        std::max<std::uint64_t>(1, static_cast<std::uint64_t>(kSpeeds[speed_]));
    const auto ahead = static_cast<double>(at_ + stride - playedPoint_);
    return playedFrom_ + static_cast<std::int64_t>(ahead * period + 0.999);
}

std::string inForceText(const session::InForce& f) {
    const auto pixels = [](float v) {
        std::string s = std::to_string(v);
        s.erase(s.find_last_not_of('0') + 1);
        if (s.back() == '.') s.pop_back();
        return s;
    };
    std::string balls;
    for (std::size_t i = 0; i < f.ballSizes.size(); ++i)
        balls += (i == 0                        ? ""
                  : i + 1 == f.ballSizes.size() ? " and "
                                                : ", ") +
                 pixels(f.ballSizes[i]);
    return std::string("Sticky paddle: ") + (f.sticky ? "on" : "off") +
           ". Cannons: " + (f.cannons ? "on" : "off") + ". Paddle: " + pixels(f.paddleWidth) +
           " pixels wide. Balls: " + (balls.empty() ? "none in play" : balls + " pixels") + ".";
}

std::string minutesSeconds(std::uint64_t point) {
    constexpr std::uint64_t kMinute = 60, kHour = 60 * kMinute;
    const std::uint64_t seconds = point / kPointsPerSecond;
    auto twoDigits = [](std::string& s, std::uint64_t v) {
        s += static_cast<char>('0' + v / 10);
        s += static_cast<char>('0' + v % 10);
    };
    std::string s;
    if (seconds >= kHour) {
        s = std::to_string(seconds / kHour) + ":";
        twoDigits(s, seconds / kMinute % 60);
    } else {
        s = std::to_string(seconds / kMinute);
    }
    s += ':';
    twoDigits(s, seconds % 60);
    return s;
}

std::string markTitle(const Mark& mark) {
    return mark.what + " at " + minutesSeconds(mark.point) + " (tick " +
           std::to_string(mark.point) + ")";
}

std::string speedName(int speed) {
    const double s = kSpeeds[std::clamp(speed, 0, static_cast<int>(std::size(kSpeeds)) - 1)];
    if (s >= 1) return std::to_string(static_cast<int>(s)) + "x";
    return "1/" + std::to_string(static_cast<int>(1 / s)) + "x";
}

std::string_view kindName(MarkKind kind) {
    switch (kind) {
    case MarkKind::NewGame: return "new-game";
    case MarkKind::BallLost: return "ball-lost";
    case MarkKind::Capsule: return "capsule";
    case MarkKind::Pause: return "pause";
    case MarkKind::Lost: return "lost";
    case MarkKind::Won: return "won";
    }
    return "mark";
}

}  // namespace brontix::viewer
