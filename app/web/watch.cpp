// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// A recording watched in the page: the functions the viewer's page calls.
// The page hands over the script's text, then plays, steps and seeks; each
// call answers as a game's does: the rectangles drawn go to the canvas, a
// changed caption and box's text and the point to the page, and the call
// returns the next wake-up in the page's milliseconds, or -1 for none. No
// game runs and nothing is recorded.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/web/page.h"
#include "platform/web/web_host.h"
#include "viewer/viewer.h"

#define BRONTIX_EXPORT(name) extern "C" __attribute__((export_name(#name)))

namespace {

using brontix::viewer::Viewer;
namespace web = brontix::platform::web;

struct Watch {
    std::string text;   // the script, as the page copied it in
    std::string error;  // why it cannot be watched
    std::unique_ptr<Viewer> viewer;
    web::Canvas canvas;
    brontix::render::Scale scale;  // the canvas's
    std::string said;              // the string last handed to the page
};

// The page's one viewer, alive for the page's life.
Watch& watch() {
    static Watch* w = new Watch;
    return *w;
}

std::int64_t ns(double ms) { return static_cast<std::int64_t>(ms * 1e6); }

double apply(const brontix::viewer::Answer& a) {
    Watch& w = watch();
    if (!a.drawn.empty()) w.canvas.present(a.drawn, *a.frame);
    if (a.caption) web::pageSetCaption(a.caption->data(), static_cast<int>(a.caption->size()));
    if (a.box) web::pageWatchBox(a.box->data(), static_cast<int>(a.box->size()));
    if (a.compared)
        web::pageWatchCompared(a.compared->data(), static_cast<int>(a.compared->size()));
    if (a.inForce) web::pageWatchInForce(a.inForce->data(), static_cast<int>(a.inForce->size()));
    const std::string time = brontix::viewer::minutesSeconds(a.point) + " / " +
                             brontix::viewer::minutesSeconds(w.viewer->last());
    web::pageWatchShown(static_cast<double>(a.point), a.playing ? 1 : 0, time.data(),
                        static_cast<int>(time.size()));
    return a.wake ? static_cast<double>(*a.wake) / 1e6 : -1;
}

const char* said(std::string text) {
    watch().said = std::move(text);
    return watch().said.c_str();
}

}  // namespace

// Room for a script of `length` bytes, for the page to copy it into.
BRONTIX_EXPORT(brontix_watch_buffer) char* brontixWatchBuffer(int length) {
    watch().text.assign(static_cast<std::size_t>(length), '\0');
    return watch().text.data();
}
// Opens the script copied in: 1, or 0 when it has an error (its words are
// brontix_watch_error()). Its survey runs in slices, brontix_watch_survey().
BRONTIX_EXPORT(brontix_watch_open) int brontixWatchOpen() {
    Watch& w = watch();
    auto opened = Viewer::open(w.text);
    w.text = std::string();
    if (auto* error = std::get_if<std::string>(&opened)) {
        w.error = std::move(*error);
        return 0;
    }
    w.viewer = std::move(std::get<std::unique_ptr<Viewer>>(opened));
    w.viewer->setScale(w.scale);
    return 1;
}
// Compares the script copied in, a second game of the same wall, with the
// one open: 1, or 0 when it cannot be (brontix_watch_error() says why).
// The survey runs again, for the second.
BRONTIX_EXPORT(brontix_watch_compare) int brontixWatchCompare() {
    Watch& w = watch();
    auto opened = Viewer::open(w.text);
    w.text = std::string();
    if (auto* error = std::get_if<std::string>(&opened)) {
        w.error = "the second recording: " + *error;
        return 0;
    }
    if (auto refused =
            w.viewer->compareWith(std::move(std::get<std::unique_ptr<Viewer>>(opened)))) {
        w.error = std::move(*refused);
        return 0;
    }
    return 1;
}
// One slice of the survey (a few milliseconds): 1 once it is done. How
// far it has come (0 to 1), the player's Cancel, and why it ended short of
// the script's end ("" when it did not).
BRONTIX_EXPORT(brontix_watch_survey) int brontixWatchSurvey() {
    return watch().viewer->survey() ? 1 : 0;
}
BRONTIX_EXPORT(brontix_watch_surveyed_share) double brontixWatchSurveyedShare() {
    return watch().viewer->surveyedShare();
}
BRONTIX_EXPORT(brontix_watch_stop_survey) void brontixWatchStopSurvey() {
    watch().viewer->stopSurvey();
}
BRONTIX_EXPORT(brontix_watch_stopped_short) const char* brontixWatchStoppedShort() {
    return said(watch().viewer->stoppedShort());
}
// NUL-terminated, valid until the next call.
BRONTIX_EXPORT(brontix_watch_error) const char* brontixWatchError() { return said(watch().error); }
// The most of a script's bytes the viewer takes, and what it says of a
// script cut there.
BRONTIX_EXPORT(brontix_watch_max_bytes) double brontixWatchMaxBytes() {
    return static_cast<double>(brontix::viewer::kMaxScriptBytes);
}
BRONTIX_EXPORT(brontix_watch_cut_short) const char* brontixWatchCutShort() {
    return said(brontix::viewer::cutShort());
}
// What replaying the whole script proves, in words.
BRONTIX_EXPORT(brontix_watch_verdict) const char* brontixWatchVerdict() {
    return said(watch().viewer->verdictSaid());
}
// The marks: the game's, then (comparing) the second game's. Mark `i` in
// words with its time ("ball lost at 0:31 (tick 2000)"), and its kind's
// name, after "ghost " for the second game's.
BRONTIX_EXPORT(brontix_watch_marks) int brontixWatchMarks() {
    return static_cast<int>(watch().viewer->marks().size());
}
BRONTIX_EXPORT(brontix_watch_ghost_marks) int brontixWatchGhostMarks() {
    return static_cast<int>(watch().viewer->ghostMarks().size());
}
namespace {
const brontix::viewer::Mark& markAt(int i) {
    const Viewer& v = *watch().viewer;
    const auto at = static_cast<std::size_t>(i);
    return at < v.marks().size() ? v.marks().at(at) : v.ghostMarks().at(at - v.marks().size());
}
}  // namespace
BRONTIX_EXPORT(brontix_watch_mark_title) const char* brontixWatchMarkTitle(int i) {
    return said(brontix::viewer::markTitle(markAt(i)));
}
BRONTIX_EXPORT(brontix_watch_mark_kind) const char* brontixWatchMarkKind(int i) {
    const bool ghost = static_cast<std::size_t>(i) >= watch().viewer->marks().size();
    return said((ghost ? "ghost " : "") + std::string(brontix::viewer::kindName(markAt(i).kind)));
}
BRONTIX_EXPORT(brontix_watch_mark_point) double brontixWatchMarkPoint(int i) {
    return static_cast<double>(markAt(i).point);
}
// The speeds playback offers, by index: how many, each in words, and the
// game's own.
BRONTIX_EXPORT(brontix_watch_speeds) int brontixWatchSpeeds() {
    return static_cast<int>(std::size(brontix::viewer::kSpeeds));
}
BRONTIX_EXPORT(brontix_watch_speed_name) const char* brontixWatchSpeedName(int i) {
    return said(brontix::viewer::speedName(i));
}
BRONTIX_EXPORT(brontix_watch_normal_speed) int brontixWatchNormalSpeed() {
    return brontix::viewer::kNormalSpeed;
}
BRONTIX_EXPORT(brontix_watch_point) double brontixWatchPoint() {
    return static_cast<double>(watch().viewer->point());
}
BRONTIX_EXPORT(brontix_watch_last) double brontixWatchLast() {
    return static_cast<double>(watch().viewer->last());
}
BRONTIX_EXPORT(brontix_watch_playing) int brontixWatchPlaying() {
    return watch().viewer->playing() ? 1 : 0;
}

// The calls that answer. The canvas covers `deviceWidth` device pixels
// across: the pictures are drawn at that scale.
BRONTIX_EXPORT(brontix_watch_scale) double brontixWatchScale(int deviceWidth) {
    Watch& w = watch();
    w.scale = web::canvasScale(deviceWidth);
    return w.viewer ? apply(w.viewer->setScale(w.scale)) : -1;
}
// Everything shown anew, as on opening.
BRONTIX_EXPORT(brontix_watch_whole) double brontixWatchWhole() {
    return apply(watch().viewer->whole());
}
// A point of 2^64 or more (a link may say any) is past the end.
BRONTIX_EXPORT(brontix_watch_seek) double brontixWatchSeek(double point) {
    constexpr double kPastEveryPoint = 18446744073709551616.0;
    const std::uint64_t at = !(point > 0)               ? 0
                             : point >= kPastEveryPoint ? UINT64_MAX
                                                        : static_cast<std::uint64_t>(point);
    return apply(watch().viewer->seek(at));
}
BRONTIX_EXPORT(brontix_watch_step) double brontixWatchStep(double points) {
    return apply(watch().viewer->step(static_cast<std::int64_t>(points)));
}
// Playback on the page's monotonic clock (ms).
BRONTIX_EXPORT(brontix_watch_play) double brontixWatchPlay(double nowMs) {
    return apply(watch().viewer->play(ns(nowMs)));
}
BRONTIX_EXPORT(brontix_watch_pause) double brontixWatchPause() {
    return apply(watch().viewer->pause());
}
BRONTIX_EXPORT(brontix_watch_speed) double brontixWatchSpeed(int speed, double nowMs) {
    return apply(watch().viewer->setSpeed(speed, ns(nowMs)));
}
BRONTIX_EXPORT(brontix_watch_advance) double brontixWatchAdvance(double nowMs) {
    return apply(watch().viewer->advance(ns(nowMs)));
}
