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
// point 0 is the game before its first tick. Points are play time, one a
// tick.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "render/pixels.h"
#include "render/scale.h"
#include "replay/headless_host.h"
#include "script/script.h"
#include "session/session.h"

namespace brontix::replay {
class Replay;
}

namespace brontix::viewer {

// The moments that matter, marked on the timeline.
enum class MarkKind { NewGame, BallLost, Capsule, Pause, Lost, Won };

// What replaying the whole script proves of it.
struct Verdict {
    enum class Kind {
        Unchecked,  // the script has no checks (older recordings, scripts by hand)
        Verified,   // every check matched: it replays to its end on this version
        OutOfSync,  // a check did not match: watched up to that point
    };
    Kind kind = Kind::Unchecked;
    bool partial = false;      // the survey stopped before the end: checked so far
    std::uint64_t checks = 0;  // the checks that matched
    std::int32_t score = 0;    // the game's score at the last point
    std::string why;           // OutOfSync: "line N: out of sync (recorded H1, replayed H2)"
};
// The verdict in words, for the viewer's front ends.
std::string verdictText(const Verdict& verdict, std::uint64_t last);

struct Mark {
    std::uint64_t point;
    MarkKind kind;
    std::string what;  // in words: "New Game", "capsule: multi-ball", ...
};

// The speeds playback offers, as multiples of the game's own.
inline constexpr double kSpeeds[] = {0.25, 0.5, 1, 2, 4, 8};
inline constexpr int kNormalSpeed = 2;
// Points a second at the game's own speed.
inline constexpr int kPointsPerSecond = scene::kTicksPerSecond;

// What came of one call into the viewer, for the front end to apply, as a
// game's session answers its front end.
struct Answer {
    // The picture at the point, and the rectangles of it drawn again since
    // the last answer (the whole picture when it is another: a seek that
    // put a moment back, a new scale). Valid until the next call.
    const render::PixelBuffer* frame = nullptr;
    std::span<const render::Rect> drawn;
    // The caption, when it changed.
    std::optional<std::string> caption;
    // The text of the game's box at the point, when it changed ("" for
    // none).
    std::optional<std::string> box;
    // Comparing two games: both scores, the second's caption and which has
    // ended, in words, when it changed.
    std::optional<std::string> compared;
    // The capsules' effects in force at the point, in words, when they
    // changed.
    std::optional<std::string> inForce;
    std::uint64_t point = 0;
    bool playing = false;
    // When playback next reaches a new point, on the clock it was given;
    // none while paused.
    std::optional<std::int64_t> wake;
};

// The viewer takes at most this much of a script's text (16 MiB: about
// three hours of play with the mouse moving at every tick, far more in
// calmer play): a longer script is watched in part, up to its last whole
// line within the limit.
inline constexpr std::size_t kMaxScriptBytes = std::size_t{16} << 20;

// A script's text read as it arrives, never more than the limit.
struct ScriptText {
    std::string text;
    bool cut = false;  // the script went on past the limit
};
// What the viewers say of a script cut at the limit.
std::string cutShort();
// Reads through `read` up to the limit: a longer script keeps the whole
// lines within it. A failed read gives its errno.
std::variant<ScriptText, int> readScript(const script::ReadScript& read);

// The viewer's bounds of work and memory. The survey (one run through the
// whole script, for its last point, its marks, its checks and the moments
// to seek from) stops at the first it meets, and the recording is watched
// up to there, the viewer saying which bound and where.
// A day of play.
inline constexpr std::uint64_t kMaxPoints = std::uint64_t{kPointsPerSecond} * 3600 * 24;
// Balls moved, summed over the ticks: a day of play with ten balls in the
// air.
inline constexpr std::uint64_t kMaxWork = kMaxPoints * 10;
// The moments kept to seek from (a moment is 15 kB in an ordinary game,
// 2.3 MB with thousands of balls).
inline constexpr std::size_t kMaxMomentBytes = std::size_t{256} << 20;
// Marks kept: the list a viewer shows stays small whatever a script does.
inline constexpr std::size_t kMaxMarks = 10'000;
// The work a front end hands one slice of the survey: a few milliseconds.
inline constexpr std::uint64_t kSurveySlice = 4096;

struct Bounds {
    std::uint64_t points = kMaxPoints;
    std::uint64_t work = kMaxWork;
    std::size_t momentBytes = kMaxMomentBytes;
    std::size_t marks = kMaxMarks;
};

class Viewer {
public:
    // A script's text, read but not yet surveyed (see survey()); when it
    // has an error, the line and reason the replay driver gives ("line 3:
    // unknown command").
    static std::variant<std::unique_ptr<Viewer>, std::string> open(std::string_view text,
                                                                   const Bounds& bounds = {});

    // Surveys the script a slice at a time, so that opening one never holds
    // a front end: runs up to `work` more (a tick costs the balls it looks
    // at, any other command one) and returns whether the survey is done.
    // The points surveyed so far can be watched already: last() grows.
    bool survey(std::uint64_t work = kSurveySlice);
    void surveyAll() {
        while (!survey(kMaxWork)) {}
    }
    bool surveyed() const { return surveyed_ && (!ghost_ || ghostJoined_); }
    // The share of the script's commands surveyed, 0 to 1.
    double surveyedShare() const;
    // The player would not wait: the survey ends where it stands.
    void stopSurvey();
    // Why the survey ended before the script did, in words; empty when it
    // did not.
    std::string stoppedShort() const;
    ~Viewer();
    Viewer(const Viewer&) = delete;
    Viewer& operator=(const Viewer&) = delete;

    std::uint64_t point() const { return at_; }
    // The last point: the ticks the whole script ran (comparing, the
    // longer game's).
    std::uint64_t last() const { return std::max(last_, ghostLast_); }
    const std::vector<Mark>& marks() const { return marks_; }
    const Verdict& verdict() const { return verdict_; }
    // The verdict in words, after the race's wall when the script is one.
    std::string verdictSaid() const;
    // The wall the script's first New Game deals; none without one.
    std::optional<std::uint64_t> firstWall() const { return firstWall_; }
    // A second game of the same wall, watched with this one: from each
    // game's first New Game on, point for point, its paddle and balls are
    // outlined as a ghost over this game's picture. The timeline stays this
    // game's, as long as the longer game; a game past its end stands
    // still. The second is surveyed after this one (surveyed() is false
    // again until it is). Refused, with the reason, when the two are not
    // on one wall.
    std::optional<std::string> compareWith(std::unique_ptr<Viewer> second);
    const Viewer* ghost() const { return ghost_.get(); }
    // The second game's marks, at the points of this game's timeline.
    const std::vector<Mark>& ghostMarks() const { return ghostMarks_; }
    // Both scores, the second's caption, and which game has ended.
    std::string comparedSaid() const;

    // The moments kept to seek from, and about what they take of memory.
    std::size_t savedMoments() const { return moments_.size(); }
    std::size_t savedBytes() const;

    // A moment is kept every this many points: a seek plays at most these
    // ticks after putting the nearest moment back.
    static constexpr std::uint64_t kPointsBetweenMoments = 4096;

    // Each call that shows something answers what the front end is to
    // show. Everything anew, as if nothing had been shown yet: the whole
    // picture, the caption and the box.
    Answer whole();
    // Moves to a point (past the last, to the last); stops playback.
    Answer seek(std::uint64_t point);
    // Moves by a number of points either way, within the script.
    Answer step(std::int64_t points) { return seek(clampedBy(points)); }
    // Draws the picture at `scale` device pixels a playfield pixel.
    Answer setScale(const render::Scale& scale);
    // Playback, on a monotonic clock in nanoseconds: from the current point
    // at kSpeeds[speed], until the last point or pause().
    Answer play(std::int64_t now);
    Answer pause();
    Answer setSpeed(int speed, std::int64_t now);
    // Moves to the point playback has reached by `now`: a wake-up.
    Answer advance(std::int64_t now);

    // The picture at the current point with the ghost over it (drawn now:
    // not for a front end that shows answers), and the game's caption.
    const render::PixelBuffer& frame();
    std::string caption() const;
    // The game at the current point: its score, its paddle and balls.
    std::int32_t score() const;
    std::vector<session::Figure> paddleAndBalls() const;
    // The text of the game's box where the tick of this point opened one.
    const std::optional<std::string>& box() const { return box_; }
    bool playing() const { return playing_; }
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
        std::shared_ptr<const session::Saved> saved;
        platform::headless::HeadlessHost host;
    };
    Viewer(std::unique_ptr<Script> script, const Bounds& bounds);

    void keepMoment(std::size_t next, std::uint64_t remaining);
    // The survey ends: what it found is what the viewer shows.
    void endSurvey(const std::string& why);
    // What the front end is to show now, against what it was last told.
    Answer answer();
    void putBack(const Moment& moment);

    std::uint64_t clampedBy(std::int64_t points) const;
    // Moves the timeline to `at` (within it): this game and the ghost.
    void moveTo(std::uint64_t at);
    bool surveyOwn(std::uint64_t work);
    // The second game's survey ended: where it starts on the timeline.
    void joinGhost();
    // Where the ghost stands at the current point; none before this game's
    // New Game.
    std::optional<std::uint64_t> ghostPoint() const;
    // The ghost over a copy of the picture: where the picture changed and
    // where the ghost was are copied again and the ghost drawn anew.
    void overlayGhost(Answer& a);
    // The ghost where it stands, drawn on the copy of the picture.
    void drawGhostOver();
    // Runs the script on from where the game stands to point `target`.
    void runTo(std::uint64_t target);
    // The game from the script's start, before its first command.
    void restart();
    void mark(const session::Event& event);
    std::uint64_t playedPoint(std::int64_t now) const;

    std::unique_ptr<Script> script_;
    Bounds bounds_;
    std::unique_ptr<replay::Replay> game_;
    render::Scale scale_;
    std::size_t next_ = 0;         // the next command to run
    std::uint64_t remaining_ = 0;  // of the tick command at next_, when begun
    std::uint64_t point_ = 0;      // this game's, which stops at its last
    std::uint64_t at_ = 0;         // the timeline's
    std::uint64_t last_ = 0;
    std::optional<std::string> box_;
    // What the last answer said.
    const render::PixelBuffer* shownFrame_ = nullptr;
    int shownWidth_ = 0;
    std::array<render::Rect, 1> whole_{};
    std::string shownCaption_;
    std::optional<std::string> shownBox_;
    bool told_ = false;  // the caption and the box have been said
    std::string shownCompared_;
    std::string shownInForce_;
    std::vector<Mark> marks_;
    Verdict verdict_;
    std::optional<std::uint64_t> race_;
    std::optional<std::uint64_t> firstWall_;
    std::vector<Moment> moments_;
    // The survey: its own game, where it stands in the script, the box its
    // point shows, what it has cost so far.
    std::unique_ptr<replay::Replay> surveyor_;
    std::size_t surveyNext_ = 0;
    std::uint64_t surveyRan_ = 0;  // of the tick command at surveyNext_
    std::optional<std::string> surveyBox_;
    std::uint64_t work_ = 0;
    std::size_t momentBytes_ = 0;
    bool surveyed_ = false;
    std::string stoppedShort_;
    bool playing_ = false;
    int speed_ = kNormalSpeed;
    std::int64_t playedFrom_ = 0;  // when playback left playedPoint_
    std::uint64_t playedPoint_ = 0;
    // Comparing: the second game, where each game's New Game is, and the
    // picture with its ghost.
    std::unique_ptr<Viewer> ghost_;
    bool ghostJoined_ = false;
    std::optional<std::uint64_t> newGame_, ghostNewGame_;
    std::uint64_t ghostLast_ = 0;
    std::vector<Mark> ghostMarks_;
    render::PixelBuffer overlaid_{1, 1};
    std::vector<render::Rect> ghostDrawn_, overlayDrawn_;
};

// The effects in force in words: "Sticky paddle: on. Cannons: off.
// Paddle: 73 pixels wide. Balls: 14 pixels."
std::string inForceText(const session::InForce& f);
// A duration of play as "m:ss", from an hour on "h:mm:ss".
std::string minutesSeconds(std::uint64_t point);
// A mark in words with its time: "ball lost at 0:31 (tick 2000)".
std::string markTitle(const Mark& mark);
// A speed in words ("1/4x", "1x"), by its index in kSpeeds.
std::string speedName(int speed);
// A kind of mark as one word, for a page's styles ("ball-lost").
std::string_view kindName(MarkKind kind);

}  // namespace brontix::viewer
