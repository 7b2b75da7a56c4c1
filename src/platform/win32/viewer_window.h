// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// A recording watched on Windows, as on the other desktops: the picture
// with the game's caption as the window's and the text of a box the game
// opened over it, a timeline with the marked moments, the controls, and
// what a replay proves. Keys: Space plays and pauses, Left and Right step
// a tick, with Shift a second, Home and End go to the start and the end.
// It drives a viewer, never a game, and records nothing.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "viewer/viewer.h"

namespace brontix::platform::win32 {

// A recording read from a file, to watch.
struct WatchedRecording {
    std::unique_ptr<viewer::Viewer> viewer;
    bool cut = false;        // it went on past what the viewer takes
    std::wstring name;       // the file's, for the window's title
    bool secondCut = false;  // comparing: the second went on past it
};
// The recording at `path`, or why it cannot be watched ("cannot read
// 'PATH': REASON", "PATH: line N: REASON"). Only a file on a disk is read:
// a pipe or a device could hold the viewer for ever, or without end.
std::variant<WatchedRecording, std::string> openRecording(const std::wstring& path);
// Two recordings of one wall, the second watched as a ghost over the
// first; or why they cannot be.
std::variant<WatchedRecording, std::string> openComparison(const std::wstring& first,
                                                           const std::wstring& second);

class ViewerWindow {
public:
    ViewerWindow(HINSTANCE instance, WatchedRecording recording);
    ~ViewerWindow();
    ViewerWindow(const ViewerWindow&) = delete;
    ViewerWindow& operator=(const ViewerWindow&) = delete;

    void show(int how) { ShowWindow(window_, how); }
    HWND window() const { return window_; }
    // The keys, as the message loop translates them into commands.
    HACCEL keys() const { return keys_; }

    // The windows' messages (public for their window procedures).
    LRESULT onWindow(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT onPicture(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

private:
    // After every command and wake-up: what the viewer answered, shown.
    void apply(const viewer::Answer& answer);
    void makeControls(HINSTANCE instance);
    void command(int id);
    void surveyOn();
    void surveyed();
    void seekTo(int x);
    // Where a point is on the timeline, in its pixels; the marks drawn
    // within reach of x.
    int xOf(std::uint64_t point) const;
    std::vector<const viewer::Mark*> marksAt(int x) const;
    std::wstring timeAt(std::uint64_t point) const;

    std::unique_ptr<viewer::Viewer> viewer_;
    bool cut_, secondCut_;
    std::wstring name_;
    const render::PixelBuffer* frame_ = nullptr;
    HWND window_ = nullptr;
    HWND picture_ = nullptr;
    HWND box_ = nullptr;
    HWND timeline_ = nullptr;
    HWND play_ = nullptr;
    HWND speed_ = nullptr;
    HWND time_ = nullptr;
    HWND reading_ = nullptr;
    HWND progress_ = nullptr;
    HWND cancel_ = nullptr;
    HWND verdict_ = nullptr;
    HWND compared_ = nullptr;  // comparing: both scores, which has ended
    HWND inForce_ = nullptr;   // the capsules' effects in force
    HFONT font_ = nullptr;
    std::wstring tip_;  // the timeline's tooltip while it is shown
    HACCEL keys_ = nullptr;
    int unit_ = 1;  // device pixels of the controls' layout unit, at the DPI
};

}  // namespace brontix::platform::win32
