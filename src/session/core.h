// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// The session's insides: the main window with its scene and state, the
// services the game calls, the pace, the gate, the background picture, the
// renderer and its frame, the recording. Session (session.h) is the face
// every front end sees; this is for the session's own files and, through
// inside.h, for tests, benchmarks and fuzzing.
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <string>

#include "render/background_picture.h"
#include "render/scene_renderer.h"
#include "scene/random.h"
#include "session/pacer.h"
#include "session/recorder.h"
#include "session/session.h"

namespace brontix::game {
class Form1;
}

namespace brontix::session {

class Core {
public:
    // `clock` is monotonic, in nanoseconds: the clock the ticks are paced on.
    Core(Host& host, Pacer::Clock clock);
    ~Core();
    Core(const Core&) = delete;
    Core& operator=(const Core&) = delete;

    // Writes the session down from here on (before start(), start-up's
    // clock too); null stops. The recorder must outlive the session.
    void record(Recorder* recorder) { recorder_ = recorder; }
    // A value the random source returns next, before its generator's.
    void queueRandom(float value) { services_.queue.push_back(value); }

    // Creates the main window and runs its load handler; the first tick is
    // due one period later. Its answer has the whole first frame.
    Answer start();
    bool started() const { return form_ != nullptr; }

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

    // When the front end should wake the session next, on the pacing
    // clock; none while the timer is off or the box is up.
    std::optional<std::int64_t> nextWake() const;

    // Called with the box's text as the game opens it, inside the tick that
    // opens it: lets a test look at the rules' order at that moment.
    std::function<void(const std::string&)> onBoxOpening;

    std::shared_ptr<const Saved> save() const;
    // Puts a saved moment back into a session that has started and run
    // nothing since, so that none of its arrays is longer than the saved.
    void restore(const Saved& saved);
    // About what a saved moment takes of memory.
    static std::size_t savedBytes(const Saved& saved);

    // Draws the frames at `scale` device pixels a playfield pixel from now
    // on: frame() changes size, and the answer shows it whole.
    Answer setScale(const render::Scale& scale);

    const render::PixelBuffer& frame() const { return frame_; }
    // The main window's caption.
    const std::string& caption() const { return services_.caption(); }
    // The frame with every change drawn, for a front end that shows none as
    // the game goes (the replay driver's picture).
    const render::PixelBuffer& drawnFrame();
    // Draws every change since the last frame drawn into frame(), for such
    // a front end, and returns the rectangles drawn again (the whole frame
    // the first time).
    std::span<const render::Rect> drawChanges();
    const render::BackgroundPicture& picture() const { return picture_; }
    const game::Form1& form() const { return *form_; }
    game::Form1& form() { return *form_; }
    std::uint64_t ticksRun() const { return ticks_; }
    bool boxOpen() const { return gate_ == Gate::Boxed; }
    // Timer1.Enabled: the game runs.
    bool timerEnabled() const;

private:
    // The two windows of full screen as the session knows them, in screen
    // pixels: the front end tells where they stand, the game moves them.
    struct WindowModel {
        ScreenRect cover;
        ScreenRect game;
        bool backdropUp = false;
        bool ownsGame = false;
    };

    // The services the game calls: all the session's own but the clock,
    // which is the front end's. What the game does to the windows and what
    // it reports are answered to the front end.
    class GameServices final : public scene::Services {
    public:
        explicit GameServices(Core& session) : session_(session) {}

        void Randomize() override;
        float Rnd() override;
        void setDrawColor(scene::Colour colour) override;
        void setDrawWidth(int pixels) override;
        void drawLine(float x1, float y1, float x2, float y2) override;
        void messageBox(const std::string& text) override;
        void showBackdrop() override;
        scene::WindowRect backdropRect() const override;
        void hideGameWindow() override;
        scene::WindowRect gameWindowRect() const override;
        void moveGameWindow(float leftTwips, float topTwips) override;
        void showGameWindowOwnedByBackdrop() override;
        void report(const scene::GameEvent& event) override;

        std::deque<float> queue;
        scene::SplitMix64 generator;

    private:
        void showCaption(const std::string& text) override;
        Core& session_;
    };

    // Open, or closed by the game's box until the player answers it. No
    // event loop runs inside a tick, so a tick never starts inside another.
    enum class Gate { Open, Boxed };

    bool runTick();
    template <class Handler>
    Answer handle(const std::string& line, Handler handler);
    // Draws what changed and takes a changed caption: what the screen is to
    // show now.
    void snapshot();
    // What came of the call: the snapshot taken (once the box is up, the
    // one taken as it opened), the box, and the next wake-up.
    Answer answer();

    Host& host_;
    GameServices services_;
    render::BackgroundPicture picture_;
    render::PixelBuffer frame_;
    render::SceneRenderer renderer_;
    std::unique_ptr<game::Form1> form_;
    Pacer pacer_;
    Recorder* recorder_ = nullptr;
    Gate gate_ = Gate::Open;
    // What the current call has to answer so far.
    std::span<const render::Rect> drawn_;
    std::optional<std::string> caption_;
    std::optional<std::string> box_;
    std::vector<WindowStep> windowSteps_;
    std::vector<Event> events_;
    WindowModel windows_;
    bool inTick_ = false;
    bool captionChanged_ = false;
    bool awake_ = false;  // paced: the timer was on when last looked at
    bool still_ = false;  // the last ticks changed nothing on screen
    std::uint64_t ticks_ = 0;
};

}  // namespace brontix::session
