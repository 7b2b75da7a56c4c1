// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// One game as every front end runs it: the main window with its scene and
// state, the pace of its timer, the gate that holds the game while its
// message box is up, the background picture, the renderer and the frame it
// keeps, and the recording. A front end hands it input and wake-ups; each
// call runs the handler or the due ticks, draws what changed and answers
// what came of it, which the front end applies: the rectangles to show, a
// new caption, a box to open, the windows' steps, the game's events, and
// when to wake the session next. This is all a front end sees of it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "render/pixels.h"
#include "render/scale.h"
#include "scene/services.h"
#include "session/commands.h"
#include "session/host.h"

namespace brontix::session {

// Where a shape of the game lies, in playfield pixels, and whether it is
// round (a ball) or not (the paddle).
struct Figure {
    float left, top, width, height;
    bool round;
    bool operator==(const Figure&) const = default;
};

// What the capsules' effects have left in force: the sticky paddle, the
// cannons, the paddle's width and the sizes of the balls in play (each size
// once, smallest first), in playfield pixels.
struct InForce {
    bool sticky = false;
    bool cannons = false;
    float paddleWidth = 0;
    std::vector<float> ballSizes;
    bool operator==(const InForce&) const = default;
};

// A rectangle on the screen, in screen pixels: a window's outer frame, or
// the area a maximised window covers.
struct ScreenRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// One step of full-screen mode on the front end's windows, in the order the
// game took them.
struct WindowStep {
    enum class Kind { ShowBackdrop, HideGame, MoveGame, ShowGameOwnedByBackdrop };
    Kind kind;
    // MoveGame: where the game window's outer frame goes, screen pixels.
    int left = 0;
    int top = 0;
};

// Something the game reported of itself, at the point it happened: the
// ticks run by then, a tick's own events counting that tick.
struct Event {
    using Kind = scene::GameEvent::Kind;
    Kind kind;
    // A caught capsule's effect; the box's text of a game lost or won.
    std::string_view what;
    std::uint64_t point;
};

// What came of one call into the session, for the front end to apply.
struct Answer {
    // The rectangles of frame() drawn again, to show; empty when nothing
    // visible changed or the front end shows no frames. They stay valid
    // until the next call into the session.
    std::span<const render::Rect> drawn;
    // The frame they are of: the same buffer for the session's life, its
    // pixels drawn anew (and its size changed) by setScale().
    const render::PixelBuffer* frame = nullptr;
    // The main window's caption, when it changed.
    std::optional<std::string> caption;
    // The text of the game's box, which opened during the call: the front
    // end shows it and calls boxClosed() when the player answers it.
    std::optional<std::string> box;
    // When to wake the session next, on the pacing clock; none while the
    // timer is off or the box is up.
    std::optional<std::int64_t> wake;
    // What full screen did to the windows, to carry out in this order.
    std::vector<WindowStep> windows;
    // What the game reported during the call, in order.
    std::vector<Event> events;
};

// The wall of a race as a player gives it: decimal digits, twenty at most,
// within 64 bits. None for anything else.
std::optional<std::uint64_t> raceWall(std::string_view text);
// What a wall is, in the words every front end refuses another with.
inline constexpr std::string_view kWallRule = "decimal digits, within 64 bits";

// A kind of capsule as players are told of it: its colour (0xRRGGBB) with
// the colour's name, the effect's name and the effect in words. The game's
// picture tells a kind only by its colour; this legend says it in words,
// from the table the game applies.
struct CapsuleLegend {
    std::uint32_t rgb;
    std::string_view colour;
    std::string_view effect;
    std::string_view words;
};
std::vector<CapsuleLegend> capsuleLegend();

class Recorder;
class Core;
// Everything the game is at one moment, to come back to: the main window's
// scene and state, the random source, the caption and the ticks run. (The
// front end keeps its own windows and boxes.)
struct Saved;

class Session {
public:
    // Monotonic, in nanoseconds: the clock the ticks are paced on.
    using Clock = std::function<std::int64_t()>;

    Session(Host& host, Clock clock);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Writes the session down from here on (before start(), start-up's
    // clock too); null stops. The recorder must outlive the session.
    void record(Recorder* recorder);
    // A value the random source returns next, before its generator's.
    void queueRandom(float value);

    // Creates the main window and runs its load handler; the first tick is
    // due one period later. Its answer has the whole first frame.
    Answer start();
    bool started() const;

    // The player's events, each run by its handler unless the game's box is
    // up, when they are neither run nor recorded.
    Answer pointer(float x, float y);  // playfield pixels
    // The pointer went from (x0, y0) on the playfield to (x1, y1) off it
    // between two moves the window system reported: the game gets one last
    // move where that path crossed the playfield's edge, on its last pixel,
    // so a flick carries the paddle to the wall.
    Answer leave(double x0, double y0, double x1, double y1);
    Answer click();
    Answer key(int code);  // a typed character's code
    // The player can no longer see the game (the window minimised, the page
    // hidden): a running game pauses exactly as p would, and is recorded
    // so; a paused or ended game, or one under its box, is left alone.
    Answer unseen();
    Answer menu(Command command);
    // A race: New Game chosen with `wall` as the clock it reads, so that
    // the wall it deals is that wall's whoever plays it (the recording
    // says `clock wall` before its `menu new`); New Games after it read
    // the system clock.
    Answer race(std::uint64_t wall);

    // Where the front end's windows stand: the area a maximised backdrop
    // covers, and the game window's outer frame. Told before any Full
    // Screen and whenever either changes; while the backdrop owns the game
    // window, a change centres it again (nothing is recorded: the player
    // did nothing).
    Answer placeWindows(const ScreenRect& cover, const ScreenRect& game);
    // The front end took the backdrop away (its close button, Escape): the
    // game window is a window of its own again.
    Answer backdropClosed();

    // A wake-up of the front end's timer: runs the ticks due by the pace.
    Answer wake();
    // Up to `count` expiries of Timer1 straight away, as a script asks;
    // they stop once the timer is off or the box opens.
    Answer expire(std::uint64_t count = 1);
    // The player answered the game's box: the rest of the tick that opened
    // it reaches the screen, and the game goes on.
    Answer boxClosed();
    // Draws the frames at `scale` device pixels a playfield pixel from now
    // on: the frame changes size, and the answer shows it whole.
    Answer setScale(const render::Scale& scale);

    // When the front end should wake the session next, on the pacing
    // clock; none while the timer is off or the box is up.
    std::optional<std::int64_t> nextWake() const;

    // A moment to come back to, and putting one back into a session that
    // has started and run nothing since (so that none of its arrays is
    // longer than the saved); about what one takes of memory.
    std::shared_ptr<const Saved> save() const;
    void restore(const Saved& saved);
    static std::size_t savedBytes(const Saved& saved);

    // The frame, for a front end that shows none as the game goes (the
    // replay driver's picture, the viewer): every change drawn into it, or
    // just the rectangles drawn again (the whole frame the first time).
    const render::PixelBuffer& drawnFrame();
    std::span<const render::Rect> drawChanges();
    const render::PixelBuffer& frame() const;
    // The main window's caption.
    const std::string& caption() const;
    std::uint64_t ticksRun() const;
    // The texts of the game's boxes so far, oldest first, each kept as it
    // opens.
    const std::vector<std::string>& messages() const;
    std::int32_t score() const;
    // The paddle, then every ball in play: what a ghost of this game shows
    // over another.
    std::vector<Figure> paddleAndBalls() const;
    // What the capsules have left in force, for a watcher to say.
    InForce inForce() const;
    // The wall of the last New Game: the clock it dealt from, which a race
    // on it gives again (none before the first).
    std::optional<std::uint64_t> wall() const;
    // What a tick costs now: the balls it looks at, every element of the
    // ball array (one at least).
    std::uint64_t tickCost() const;
    bool boxOpen() const;
    // Timer1.Enabled: the game runs.
    bool timerEnabled() const;

    // The whole observable state as one line of JSON: the game, the ticks
    // run, the boxes' texts, and `windows` as the front end writes its
    // windows (a JSON value). Its hash (FNV-1a, with the windows null) is
    // what a recording's checks hold.
    std::string dump(std::string_view windows) const;
    std::uint64_t stateHash() const;

private:
    friend struct Inside;
    std::unique_ptr<Core> core_;
};

}  // namespace brontix::session
