// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// One game as every front end runs it: the main window with its scene and
// state, the pace of its timer, the one gate that keeps a tick from
// starting inside another or under the game's message box, the background
// picture, the renderer and the frame it keeps, and the recording. A front
// end hands it input and wake-ups; it runs the handler or the due ticks,
// draws what changed and has the front end present those rectangles.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>

#include "render/background_picture.h"
#include "render/scene_renderer.h"
#include "scene/random.h"
#include "scene/services.h"
#include "session/host.h"
#include "session/pacer.h"
#include "session/recorder.h"

namespace brontix::game {
class Form1;
}

namespace brontix::session {

// The three commands of the menu bar.
enum class Command { NewGame = 0, Demo = 1, FullScreen = 2 };

class Session {
public:
    // `clock` is monotonic, in nanoseconds: the clock the ticks are paced on.
    Session(Host& host, Pacer::Clock clock);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Writes the session down from here on (before start(), start-up's
    // clock too); null stops. The recorder must outlive the session.
    void record(Recorder* recorder) { recorder_ = recorder; }
    // A value the random source returns next, before its generator's.
    void queueRandom(float value) { services_.queue.push_back(value); }

    // Creates the main window and runs its load handler; the first tick is
    // due one period later.
    void start();
    bool started() const { return form_ != nullptr; }

    // The player's events, each run by its handler unless the gate is
    // closed (a tick is running or the game's box is up).
    void pointer(float x, float y);  // playfield pixels
    void click();
    void key(int code);              // a typed character's code
    void menu(Command command);

    // A wake-up of the front end's timer: runs the ticks due by the pace.
    void wake();
    // Up to `count` expiries of Timer1 straight away, as a script asks;
    // they stop once the timer is off. Returns how many ran the tick.
    std::uint64_t expire(std::uint64_t count = 1);
    // The player answered a box that a front end left open.
    void boxClosed();

    // When the front end should wake the session next, on the pacing
    // clock; none while the timer is off or the box is up.
    std::optional<std::int64_t> nextWake() const;

    const render::PixelBuffer& frame() const { return frame_; }
    // The frame with every change drawn, for a front end that shows none as
    // the game goes (the replay driver's picture).
    const render::PixelBuffer& drawnFrame();
    const render::BackgroundPicture& picture() const { return picture_; }
    const game::Form1& form() const { return *form_; }
    game::Form1& form() { return *form_; }
    std::uint64_t ticksRun() const { return ticks_; }
    bool boxOpen() const { return gate_ == Gate::Boxed; }
    // Timer1.Enabled: the game runs.
    bool timerEnabled() const;

private:
    // The services the game calls: the random source and the background
    // picture are the session's own; the caption, box and windows the
    // front end's.
    class GameServices final : public scene::Services {
    public:
        explicit GameServices(Session& session) : Services(session.host_), session_(session) {}

        void Randomize() override;
        float Rnd() override;
        void setDrawColor(scene::Colour colour) override;
        void setDrawWidth(int pixels) override;
        void drawLine(float x1, float y1, float x2, float y2) override;
        void messageBox(const std::string& text) override;

        std::deque<float> queue;
        scene::SplitMix64 generator;

    private:
        void showCaption(const std::string& text) override;
        Session& session_;
    };

    // Open, or closed by a running tick or by the game's box, which on a
    // page stays up after its tick has returned.
    enum class Gate { Open, Ticking, Boxed };

    bool runTick();
    template <class Handler>
    void handle(const std::string& line, Handler handler);
    // Draws what changed and has the front end show it; false when nothing did.
    bool present();

    Host& host_;
    GameServices services_;
    render::BackgroundPicture picture_;
    render::PixelBuffer frame_;
    render::SceneRenderer renderer_;
    std::unique_ptr<game::Form1> form_;
    Pacer pacer_;
    Recorder* recorder_ = nullptr;
    Gate gate_ = Gate::Open;
    bool awake_ = false;  // paced: the timer was on when last looked at
    bool still_ = false;  // the last ticks changed nothing on screen
    std::uint64_t ticks_ = 0;
};

}  // namespace brontix::session
