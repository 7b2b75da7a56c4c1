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
    Core(Host& host, Session::Clock clock);
    ~Core();
    Core(const Core&) = delete;
    Core& operator=(const Core&) = delete;

    // Session's calls, which it hands on here; session.h says what each
    // does.
    void record(Recorder* recorder) { recorder_ = recorder; }
    void queueRandom(float value) { services_.queue.push_back(value); }
    Answer start();
    bool started() const { return form_ != nullptr; }
    Answer pointer(float x, float y);
    Answer leave(double x0, double y0, double x1, double y1);
    Answer click();
    Answer key(int code);
    Answer race(std::uint64_t wall);
    Answer unseen();
    Answer menu(Command command);
    Answer placeWindows(const ScreenRect& cover, const ScreenRect& game);
    Answer backdropClosed();
    Answer wake();
    Answer expire(std::uint64_t count);
    Answer boxClosed();
    Answer setScale(const render::Scale& scale);
    std::optional<std::int64_t> nextWake() const;
    std::shared_ptr<const Saved> save() const;
    void restore(const Saved& saved);
    static std::size_t savedBytes(const Saved& saved);
    const render::PixelBuffer& drawnFrame();
    std::span<const render::Rect> drawChanges();
    const render::PixelBuffer& frame() const { return frame_; }
    const std::string& caption() const { return services_.caption(); }
    std::uint64_t ticksRun() const { return ticks_; }
    const std::vector<std::string>& messages() const { return messages_; }
    std::int32_t score() const;
    std::optional<std::uint64_t> wall() const { return wall_; }
    std::vector<Figure> paddleAndBalls() const;
    InForce inForce() const;
    std::uint64_t tickCost() const;
    bool boxOpen() const { return gate_ == Gate::Boxed; }
    std::string dump(std::string_view windows) const;
    std::uint64_t stateHash() const;
    bool timerEnabled() const;

    // What only the session's own files and inside.h reach: the rules'
    // state, the background picture, and a look at the rules' order inside
    // the tick that opens the box, as it opens.
    game::Form1& form() { return *form_; }
    const render::BackgroundPicture& picture() const { return picture_; }
    std::function<void(const std::string&)> onBoxOpening;

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
        // The clock the next Randomize reads instead of the host's: a race's.
        std::optional<std::uint64_t> clockGiven;
        // The clock the last Randomize read.
        std::uint64_t seeded = 0;

    private:
        void showCaption(const std::string& text) override;
        Core& session_;
    };

    // Open, or closed by the game's box until the player answers it. No
    // event loop runs inside a tick, so a tick never starts inside another.
    enum class Gate { Open, Boxed };

    bool runTick();
    // The recording proves itself from here: a check of the state.
    void check();
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
    std::vector<std::string> messages_;
    bool inTick_ = false;
    bool endedInTick_ = false;           // the running tick ended a game
    std::optional<std::uint64_t> wall_;  // the clock the last New Game read
    bool captionChanged_ = false;
    bool awake_ = false;  // paced: the timer was on when last looked at
    bool still_ = false;  // the last ticks changed nothing on screen
    std::uint64_t ticks_ = 0;
};

}  // namespace brontix::session
