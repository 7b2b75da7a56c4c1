// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// The game in a web page: the page's script calls the functions exported
// here, one to start, one per wake-up, one per event. Each returns when the
// session wants its next wake-up, in the page's milliseconds, or -1 for
// none (the timer is off, or the box is up).
#include <ctime>
#include <optional>
#include <string>

#include "platform/web/page.h"
#include "platform/web/web_host.h"
#include "session/recorder.h"
#include "session/session.h"
#include "viewer/race.h"

#define BRONTIX_EXPORT(name) extern "C" __attribute__((export_name(#name)))

namespace {

using brontix::session::Command;
using brontix::session::Session;

struct Page {
    brontix::platform::web::WebHost host;
    // The page keeps the recording of the visit, for the player to download;
    // it outlives the session, which writes to it to the end.
    brontix::session::Recorder recorder{[](std::string_view line) {
                                            brontix::platform::web::pageRecord(
                                                line.data(), static_cast<int>(line.size()));
                                        },
                                        std::time(nullptr)};
    Session session{
        host, [] { return static_cast<std::int64_t>(brontix::platform::web::pageNowMs() * 1e6); }};
    std::optional<brontix::viewer::RaceReport> race;
};

// The wall a race link names, before any game starts: its text, put here by
// the page, then read.
std::string raceText;
std::optional<std::uint64_t> raceWall;

// The page's one game, alive from brontix_start to the page's end: what
// main's locals are to the desktop program.
Page* thePage = nullptr;

double apply(const brontix::session::Answer& answer) {
    using Kind = brontix::session::Event::Kind;
    for (const brontix::session::Event& event : answer.events) {
        if (event.kind == Kind::NewGame)
            brontix::platform::web::pageDealt(*thePage->session.wall());
        if (!thePage->race) continue;
        if (const auto result = thePage->race->ended(event, thePage->session.score()))
            brontix::platform::web::pageRace(result->data(), static_cast<int>(result->size()), 1);
    }
    const std::string said =
        brontix::platform::web::spoken(answer.events, thePage->session.score());
    if (!said.empty())
        brontix::platform::web::pageAnnounce(said.data(), static_cast<int>(said.size()));
    return thePage->host.apply(answer);
}

// A call that reached no handler: the pace as it stands.
double unchanged() {
    brontix::session::Answer answer;
    answer.wake = thePage->session.nextWake();
    return apply(answer);
}

}  // namespace

BRONTIX_EXPORT(brontix_start) double brontixStart() {
    if (thePage) return unchanged();
    thePage = new Page;
    thePage->session.record(&thePage->recorder);
    return apply(thePage->session.start());
}
// Room for a race link's wall as written, `length` bytes (a few dozen at
// most: no wall is longer), then whether it is a wall.
BRONTIX_EXPORT(brontix_race_text) char* brontixRaceText(int length) {
    if (length < 0 || length > 64) return nullptr;
    raceText.assign(static_cast<std::size_t>(length), '\0');
    return raceText.data();
}
BRONTIX_EXPORT(brontix_race_wall) int brontixRaceWall() {
    raceWall = brontix::session::raceWall(raceText);
    return raceWall ? 1 : 0;
}
// What a wall is, in words, for the page to refuse another with.
BRONTIX_EXPORT(brontix_wall_rule) const char* brontixWallRule() {
    static const std::string rule(brontix::session::kWallRule);
    return rule.c_str();
}
// The race on that wall, once the game has started: New Game on it.
BRONTIX_EXPORT(brontix_race) double brontixRace() {
    if (!raceWall || thePage->race) return unchanged();
    thePage->race.emplace(*raceWall, thePage->session.ticksRun());
    const std::string said = thePage->race->started();
    brontix::platform::web::pageRace(said.data(), static_cast<int>(said.size()), 0);
    return apply(thePage->session.race(*raceWall));
}
BRONTIX_EXPORT(brontix_wake) double brontixWake() { return apply(thePage->session.wake()); }
BRONTIX_EXPORT(brontix_pointer) double brontixPointer(float x, float y) {
    return apply(thePage->session.pointer(x, y));
}
// The pointer left the playfield from (x0, y0) on it to (x1, y1) off it.
BRONTIX_EXPORT(brontix_leave) double brontixLeave(double x0, double y0, double x1, double y1) {
    return apply(thePage->session.leave(x0, y0, x1, y1));
}
BRONTIX_EXPORT(brontix_click) double brontixClick() { return apply(thePage->session.click()); }
BRONTIX_EXPORT(brontix_key) double brontixKey(int code) {
    return apply(thePage->session.key(code));
}
// The page was hidden: a running game pauses as p would.
BRONTIX_EXPORT(brontix_unseen) double brontixUnseen() { return apply(thePage->session.unseen()); }
// A command of the menu bar, by its number.
BRONTIX_EXPORT(brontix_menu) double brontixMenu(int command) {
    using brontix::session::words::kMenuWhat;
    if (command < 0 || command >= static_cast<int>(kMenuWhat.size())) return unchanged();
    return apply(thePage->session.menu(static_cast<Command>(command)));
}
// The commands' numbers by the words a recording names them by: how many,
// and the word of each.
BRONTIX_EXPORT(brontix_menu_commands) int brontixMenuCommands() {
    return static_cast<int>(brontix::session::words::kMenuWhat.size());
}
BRONTIX_EXPORT(brontix_menu_word) const char* brontixMenuWord(int command) {
    static std::string word;
    word = brontix::session::words::kMenuWhat.at(static_cast<std::size_t>(command));
    return word.c_str();
}
// Where the page's windows stand, in CSS pixels: the area the backdrop
// covers, and the game window's outer frame (left, top, width, height).
BRONTIX_EXPORT(brontix_windows)
double brontixWindows(int coverLeft, int coverTop, int coverWidth, int coverHeight, int left,
                      int top, int width, int height) {
    return apply(thePage->session.placeWindows({coverLeft, coverTop, coverWidth, coverHeight},
                                               {left, top, width, height}));
}
// The player took the backdrop away.
BRONTIX_EXPORT(brontix_backdrop_closed) double brontixBackdropClosed() {
    return apply(thePage->session.backdropClosed());
}
// The canvas covers `deviceWidth` device pixels across: the frames are drawn
// at that scale from now on.
BRONTIX_EXPORT(brontix_scale) double brontixScale(int deviceWidth) {
    return apply(thePage->session.setScale(brontix::platform::web::canvasScale(deviceWidth)));
}
BRONTIX_EXPORT(brontix_box_closed) double brontixBoxClosed() {
    return apply(thePage->session.boxClosed());
}
// The game's facts the page lays itself out and keeps time by.
BRONTIX_EXPORT(brontix_playfield_width) int brontixPlayfieldWidth() {
    return brontix::scene::kPlayfieldWidth;
}
BRONTIX_EXPORT(brontix_playfield_height) int brontixPlayfieldHeight() {
    return brontix::scene::kPlayfieldHeight;
}
// The height of a frame `deviceWidth` pixels wide, as the game draws it.
BRONTIX_EXPORT(brontix_frame_height) int brontixFrameHeight(int deviceWidth) {
    if (deviceWidth < 1) return 0;
    return brontix::render::Scale(deviceWidth, brontix::scene::kPlayfieldWidth)
        .at(brontix::scene::kPlayfieldHeight);
}
BRONTIX_EXPORT(brontix_ticks_per_second) int brontixTicksPerSecond() {
    return brontix::scene::kTicksPerSecond;
}
// The capsules' legend for the page's panel: how many kinds, each one's
// colour (0xRRGGBB), and its words: 0 the colour's name, 1 the effect's,
// 2 the effect in words.
BRONTIX_EXPORT(brontix_capsules) int brontixCapsules() {
    return static_cast<int>(brontix::session::capsuleLegend().size());
}
BRONTIX_EXPORT(brontix_capsule_rgb) int brontixCapsuleRgb(int kind) {
    return static_cast<int>(
        brontix::session::capsuleLegend().at(static_cast<std::size_t>(kind)).rgb);
}
BRONTIX_EXPORT(brontix_capsule_text) const char* brontixCapsuleText(int kind, int part) {
    static std::string text;
    const auto c = brontix::session::capsuleLegend().at(static_cast<std::size_t>(kind));
    text = part == 0 ? c.colour : part == 1 ? c.effect : c.words;
    return text.c_str();
}
// For the page's tests: ticks run so far, and whether Timer1 is on.
// The ticks since the recording's last line, written now: the player is
// about to take the recording.
BRONTIX_EXPORT(brontix_settle) void brontixSettle() { thePage->recorder.settle(); }
BRONTIX_EXPORT(brontix_ticks) double brontixTicks() {
    return static_cast<double>(thePage->session.ticksRun());
}
BRONTIX_EXPORT(brontix_timer) int brontixTimer() { return thePage->session.timerEnabled() ? 1 : 0; }
