// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// What the page gives the WebAssembly module: a handful of functions of its
// script, imported by name from the module "brontix".
#pragma once

#include <cstdint>

#define BRONTIX_PAGE(name) __attribute__((import_module("brontix"), import_name(#name)))

namespace brontix::platform::web {

extern "C" {
// The clock the random source is seeded from, in nanoseconds (fixed by the
// page's "clock" query parameter, for tests).
BRONTIX_PAGE(clock) std::uint64_t pageClock();
// A monotonic clock in milliseconds.
BRONTIX_PAGE(now_ms) double pageNowMs();
BRONTIX_PAGE(set_caption) void pageSetCaption(const char* text, int length);
BRONTIX_PAGE(message_box) void pageMessageBox(const char* text, int length);
// Copies rectangles (x, y, w, h each) of the RGBA frame, `width` x `height`
// pixels, onto the canvas.
BRONTIX_PAGE(present)
void pagePresent(const std::uint8_t* frame, int width, int height, const std::int32_t* rects,
                 int count);
// The steps of full screen, in CSS pixels of the page.
BRONTIX_PAGE(show_backdrop) void pageShowBackdrop();
BRONTIX_PAGE(hide_game) void pageHideGame();
BRONTIX_PAGE(move_game) void pageMoveGame(std::int32_t left, std::int32_t top);
BRONTIX_PAGE(show_game_owned) void pageShowGameOwned();
// The viewer of recordings: the text of the game's box at the point ("" for
// none), and the point with whether it plays and the time in words.
BRONTIX_PAGE(watch_box) void pageWatchBox(const char* text, int length);
BRONTIX_PAGE(watch_shown)
void pageWatchShown(double point, int playing, const char* time, int length);
// Comparing two games: both scores, the second's caption and which has
// ended, in words.
BRONTIX_PAGE(watch_compared) void pageWatchCompared(const char* text, int length);
// The capsules' effects in force at the point, in words.
BRONTIX_PAGE(watch_in_force) void pageWatchInForce(const char* text, int length);
// One line of the visit's recording, with its line break.
BRONTIX_PAGE(record) void pageRecord(const char* text, int length);
// What a screen reader says of the game: a new game, a pause, a lost ball,
// the end with its score (never a knock-out: the caption changes at every
// one and is not read out).
BRONTIX_PAGE(announce) void pageAnnounce(const char* text, int length);
// New Game dealt the wall of this clock value.
BRONTIX_PAGE(dealt) void pageDealt(std::uint64_t wall);
// A race, in words: its wall as it starts ("race on wall N"), then its
// result when its game ends (`ended` 1).
BRONTIX_PAGE(race) void pageRace(const char* text, int length, int ended);
}

}  // namespace brontix::platform::web
