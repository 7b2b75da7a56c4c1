// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// Watching a recording: any replay script, shown at any of its points with
// the picture, the caption and the text of a box the game opened there,
// played at a choice of speeds, stepped and sought. It runs the script on a
// session of its own, as the replay driver does, and records nothing. A
// front end hands it the time and the player's commands and shows what it
// answers; it never calls a front end.
//
// A point is a count of the ticks that ran: point N is the game right after
// its N-th tick, with every command before that tick and none after it;
// point 0 is the game before its first tick. Points are play time, 64 a
// second.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/headless/headless_host.h"
#include "render/pixels.h"
#include "render/scale.h"
#include "script/script.h"
#include "session/session.h"

namespace brontix::replay {
class Replay;
}

namespace brontix::viewer {

// The moments that matter, marked on the timeline.
enum class MarkKind { NewGame, BallLost, Capsule, Pause, Lost, Won };

struct Mark {
    std::uint64_t point;
    MarkKind kind;
    std::string what;  // in words: "New Game", "capsule: multi-ball", ...
};

// The speeds playback offers, as multiples of the game's own.
inline constexpr double kSpeeds[] = {0.25, 0.5, 1, 2, 4, 8};
inline constexpr int kNormalSpeed = 2;
// Points a second at the game's own speed.
inline constexpr int kPointsPerSecond = 64;

class Viewer {
public:
    // A script's text; when it has an error, the line and reason the replay
    // driver gives ("line 3: unknown command").
    static std::variant<std::unique_ptr<Viewer>, std::string> open(std::string_view text);
    ~Viewer();
    Viewer(const Viewer&) = delete;
    Viewer& operator=(const Viewer&) = delete;

    std::uint64_t point() const { return point_; }
    // The last point: the ticks the whole script ran.
    std::uint64_t last() const { return last_; }
    const std::vector<Mark>& marks() const { return marks_; }
    // The moments kept to seek from, and about what they take of memory.
    std::size_t savedMoments() const { return moments_.size(); }
    std::size_t savedBytes() const;

    // A moment is kept every this many points: a seek plays at most these
    // ticks after putting the nearest moment back.
    static constexpr std::uint64_t kPointsBetweenMoments = 4096;

    // Moves to a point (past the last, to the last); stops playback.
    void seek(std::uint64_t point);
    // Moves by a number of points either way, within the script.
    void step(std::int64_t points) { seek(clampedBy(points)); }

    // The picture at the current point, and its caption.
    const render::PixelBuffer& frame();
    // Draws the picture at `scale` device pixels a playfield pixel.
    void setScale(const render::Scale& scale);
    std::string caption() const;
    // The text of the game's box where the tick of this point opened one.
    const std::optional<std::string>& box() const { return box_; }

    // Playback, on a monotonic clock in nanoseconds: from the current point
    // at kSpeeds[speed], until the last point or pause().
    void play(std::int64_t now);
    void pause();
    bool playing() const { return playing_; }
    int speed() const { return speed_; }
    void setSpeed(int speed, std::int64_t now);
    // Moves to the point playback has reached by `now`; true when it moved.
    bool advance(std::int64_t now);
    // When playback next reaches a new point; none while paused.
    std::optional<std::int64_t> nextWake() const;

private:
    struct Script;
    // The game at a point, with where the script stands there.
    struct Moment {
        std::uint64_t point;
        std::size_t next;
        std::uint64_t remaining;
        std::optional<std::string> box;
        std::shared_ptr<const session::Session::Saved> saved;
        platform::headless::HeadlessHost host;
    };
    explicit Viewer(std::unique_ptr<Script> script);

    void keepMoment(std::size_t next, std::uint64_t remaining);
    void putBack(const Moment& moment);

    std::uint64_t clampedBy(std::int64_t points) const;
    // Runs the script on from where the game stands to point `target`.
    void runTo(std::uint64_t target);
    // The game from the script's start, before its first command.
    void restart();
    // One scan of the whole script: its last point and its marks.
    void survey();
    std::uint64_t playedPoint(std::int64_t now) const;

    std::unique_ptr<Script> script_;
    std::unique_ptr<replay::Replay> game_;
    render::Scale scale_;
    std::size_t next_ = 0;         // the next command to run
    std::uint64_t remaining_ = 0;  // of the tick command at next_, when begun
    std::uint64_t point_ = 0;
    std::uint64_t last_ = 0;
    std::optional<std::string> box_;
    std::vector<Mark> marks_;
    std::vector<Moment> moments_;
    bool playing_ = false;
    int speed_ = kNormalSpeed;
    std::int64_t playedFrom_ = 0;  // when playback left playedPoint_
    std::uint64_t playedPoint_ = 0;
};

// A duration of play as "m:ss".
std::string minutesSeconds(std::uint64_t point);

}  // namespace brontix::viewer
