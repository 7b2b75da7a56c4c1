// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// brontix.exe: the game in its window; `brontix.exe FILE` watches a
// recording, `brontix.exe FILE1 FILE2` two games of one wall.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>
#include <string_view>

#include "platform/win32/recording_file.h"
#include "platform/win32/viewer_window.h"
#include "platform/win32/win32_game.h"
#include "session/recorder.h"

namespace {

using namespace brontix::platform::win32;

// Said where a player sees it: started from Explorer there is no terminal.
int refuse(const std::string& why, int status = 1) {
    std::fprintf(stderr, "brontix: %s\n", why.c_str());
    MessageBoxW(nullptr, wide(why).c_str(), L"Brontix", MB_OK | MB_ICONERROR);
    return status;
}

// The message loop, with a window's keys made its commands.
int loop(HWND window = nullptr, HACCEL keys = nullptr) {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (keys && TranslateAcceleratorW(window, keys, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    // One option, a race on a wall; else a recording to watch, or two to
    // compare.
    const bool racing = argc == 3 && std::wstring_view(argv[1]) == L"--race";
    const auto wall = racing ? brontix::session::raceWall(narrow(argv[2])) : std::nullopt;
    if (racing && !wall)
        return refuse("not a wall: '" + narrow(argv[2]) + "' (" +
                          std::string(brontix::session::kWallRule) + ")",
                      2);
    const bool option = (argc >= 2 && argv[1][0] == L'-') || (argc >= 3 && argv[2][0] == L'-');
    if (!racing && (argc > 3 || option)) {
        std::fprintf(stderr, "usage: brontix [RECORDING.brontix [OTHER.brontix] | --race WALL]\n");
        return 2;
    }
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!racing && argc >= 2) {
        auto opened = argc == 2 ? openRecording(argv[1]) : openComparison(argv[1], argv[2]);
        if (auto* why = std::get_if<std::string>(&opened))
            return refuse((argc == 2 ? "This recording cannot be watched: "
                                     : "These recordings cannot be compared: ") +
                          *why);
        ViewerWindow viewer(instance, std::move(std::get<WatchedRecording>(opened)));
        viewer.show(SW_SHOWNORMAL);
        return loop(viewer.window(), viewer.keys());
    }
    // BRONTIX_RECORD=FILE: the session written down as a replay script, each
    // line written as its event is handled.
    std::unique_ptr<RecordingFile> file;
    std::unique_ptr<brontix::session::Recorder> recorder;
    if (const wchar_t* path = _wgetenv(L"BRONTIX_RECORD"); path && *path) {
        auto opened = RecordingFile::open(path);
        if (auto* why = std::get_if<std::string>(&opened))
            return refuse("cannot write the recording to '" + narrow(path) + "': " + *why);
        file = std::move(std::get<std::unique_ptr<RecordingFile>>(opened));
        recorder = std::make_unique<brontix::session::Recorder>(
            [f = file.get()](std::string_view line) { f->write(line); }, std::time(nullptr));
    }
    // The recorder outlives the game: its session writes a last check as it
    // goes.
    Win32Game game(instance);
    game.start(recorder.get(), SW_SHOWNORMAL);
    if (wall) game.race(*wall);
    return loop();
}
