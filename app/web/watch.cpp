// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// A recording watched in the page: the functions the viewer's page calls.
// The page hands over the script's text, then asks for points, plays and
// steps, and reads back the picture (RGBA), the caption, a box's text, the
// marks and the time. No game runs and nothing is recorded.
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "platform/web/web_host.h"
#include "viewer/viewer.h"

#define BRONTIX_EXPORT(name) extern "C" __attribute__((export_name(#name)))

namespace {

using brontix::viewer::Viewer;

struct Watch {
    std::string text;   // the script, as the page copied it in
    std::string error;  // why it cannot be watched
    std::unique_ptr<Viewer> viewer;
    std::vector<std::uint32_t> rgba;
    brontix::render::Scale scale;  // the canvas's
    std::string said;              // the string last handed to the page
};

// The page's one viewer, alive for the page's life.
Watch& watch() {
    static Watch* w = new Watch;
    return *w;
}

std::int64_t ns(double ms) { return static_cast<std::int64_t>(ms * 1e6); }

double wakeMs() {
    const auto wake = watch().viewer->nextWake();
    return wake ? static_cast<double>(*wake) / 1e6 : -1;
}

}  // namespace

// Room for a script of `length` bytes, for the page to copy it into.
BRONTIX_EXPORT(brontix_watch_buffer) char* brontixWatchBuffer(int length) {
    watch().text.assign(static_cast<std::size_t>(length), '\0');
    return watch().text.data();
}
// Opens the script copied in: 1, or 0 when it has an error (string 0).
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
// 0 the error, 1 the caption, 2 the box's text ("" for none), 3 the words
// of mark `index`: NUL-terminated, valid until the next call.
BRONTIX_EXPORT(brontix_watch_string) const char* brontixWatchString(int which, int index) {
    Watch& w = watch();
    switch (which) {
    case 0: w.said = w.error; break;
    case 1: w.said = w.viewer->caption(); break;
    case 2: w.said = w.viewer->box().value_or(""); break;
    default: w.said = w.viewer->marks().at(static_cast<std::size_t>(index)).what;
    }
    return w.said.c_str();
}
// The picture at the point, RGBA.
BRONTIX_EXPORT(brontix_watch_frame) const std::uint32_t* brontixWatchFrame() {
    Watch& w = watch();
    const brontix::render::PixelBuffer& frame = w.viewer->frame();
    w.rgba.resize(static_cast<std::size_t>(frame.width()) *
                  static_cast<std::size_t>(frame.height()));
    brontix::platform::web::toRgba(frame, std::array{frame.rect()}, w.rgba.data());
    return w.rgba.data();
}
// The canvas covers `deviceWidth` device pixels across: the pictures are
// drawn at that scale.
BRONTIX_EXPORT(brontix_watch_scale) void brontixWatchScale(int deviceWidth) {
    Watch& w = watch();
    w.scale = brontix::platform::web::canvasScale(deviceWidth);
    if (w.viewer) w.viewer->setScale(w.scale);
}
// The picture's width (0) or height (1) in pixels.
BRONTIX_EXPORT(brontix_watch_size) int brontixWatchSize(int which) {
    const brontix::render::PixelBuffer& frame = watch().viewer->frame();
    return which == 0 ? frame.width() : frame.height();
}
BRONTIX_EXPORT(brontix_watch_point) double brontixWatchPoint() {
    return static_cast<double>(watch().viewer->point());
}
BRONTIX_EXPORT(brontix_watch_last) double brontixWatchLast() {
    return static_cast<double>(watch().viewer->last());
}
BRONTIX_EXPORT(brontix_watch_marks) int brontixWatchMarks() {
    return static_cast<int>(watch().viewer->marks().size());
}
BRONTIX_EXPORT(brontix_watch_mark_point) double brontixWatchMarkPoint(int i) {
    return static_cast<double>(watch().viewer->marks().at(static_cast<std::size_t>(i)).point);
}
BRONTIX_EXPORT(brontix_watch_mark_kind) int brontixWatchMarkKind(int i) {
    return static_cast<int>(watch().viewer->marks().at(static_cast<std::size_t>(i)).kind);
}
BRONTIX_EXPORT(brontix_watch_seek) void brontixWatchSeek(double point) {
    watch().viewer->seek(point > 0 ? static_cast<std::uint64_t>(point) : 0);
}
BRONTIX_EXPORT(brontix_watch_step) void brontixWatchStep(double points) {
    watch().viewer->step(static_cast<std::int64_t>(points));
}
// Playback on the page's monotonic clock (ms); each returns the next
// wake-up, or -1.
BRONTIX_EXPORT(brontix_watch_play) double brontixWatchPlay(double nowMs) {
    watch().viewer->play(ns(nowMs));
    return wakeMs();
}
BRONTIX_EXPORT(brontix_watch_pause) void brontixWatchPause() { watch().viewer->pause(); }
BRONTIX_EXPORT(brontix_watch_playing) int brontixWatchPlaying() {
    return watch().viewer->playing() ? 1 : 0;
}
BRONTIX_EXPORT(brontix_watch_speed) double brontixWatchSpeed(int speed, double nowMs) {
    watch().viewer->setSpeed(speed, ns(nowMs));
    return wakeMs();
}
BRONTIX_EXPORT(brontix_watch_advance) double brontixWatchAdvance(double nowMs) {
    watch().viewer->advance(ns(nowMs));
    return wakeMs();
}
