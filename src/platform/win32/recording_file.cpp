// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include "platform/win32/recording_file.h"

#include <algorithm>
#include <cstdio>

#include "platform/win32/screen.h"

namespace brontix::platform::win32 {

std::variant<std::unique_ptr<RecordingFile>, std::string> RecordingFile::open(
    const std::wstring& path) {
    const bool pipe = path.starts_with(LR"(\\.\pipe\)");
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              pipe ? OPEN_EXISTING : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (pipe && error == ERROR_FILE_NOT_FOUND) return std::string("no program reads the pipe");
        return systemMessage(error);
    }
    if (GetFileType(file) == FILE_TYPE_PIPE) {
        // A reader that is slow never stalls the game.
        DWORD mode = PIPE_NOWAIT;
        SetNamedPipeHandleState(file, &mode, nullptr, nullptr);
    }
    return std::unique_ptr<RecordingFile>(new RecordingFile(file, path));
}

RecordingFile::~RecordingFile() {
    // A slow reader has a little while to take the last lines; the game's
    // end waits no longer for one that stopped reading.
    for (int tries = 0; recording() && !waiting_.empty() && tries < 20; ++tries) {
        Sleep(100);
        flush();
    }
    if (recording() && !waiting_.empty()) stop("its reader did not take the last lines");
    if (recording()) CloseHandle(file_);
}

void RecordingFile::write(std::string_view line) {
    if (!recording()) return;
    waiting_.append(line);
    flush();
}

void RecordingFile::flush() {
    while (!waiting_.empty()) {
        DWORD n = 0;
        const DWORD asked = static_cast<DWORD>(std::min<std::size_t>(waiting_.size(), 1 << 20));
        // A file is written at its end: emptying it meanwhile leaves no hole.
        OVERLAPPED atEnd{};
        atEnd.Offset = atEnd.OffsetHigh = 0xFFFFFFFF;
        const bool disk = GetFileType(file_) == FILE_TYPE_DISK;
        if (!WriteFile(file_, waiting_.data(), asked, &n, disk ? &atEnd : nullptr)) {
            stop(systemMessage(GetLastError()));
            return;
        }
        if (n == 0) {
            // A pipe whose reader is behind takes nothing for now.
            if (waiting_.size() > kMostBehind) stop("its reader fell more than 1 MiB behind");
            return;
        }
        const std::size_t lastBreak = std::string_view(waiting_.data(), n).rfind('\n');
        lineBegun_ = lastBreak == std::string_view::npos ? lineBegun_ + n : n - lastBreak - 1;
        waiting_.erase(0, n);
    }
}

void RecordingFile::stop(const std::string& why) {
    // A line cut short could read as another command ("tick 12" as
    // "tick 1"): a file is cut back to its last whole line. (What a pipe's
    // reader has taken is beyond recall; it sees the line unfinished.)
    std::string said = why;
    LARGE_INTEGER size;
    if (lineBegun_ > 0 && GetFileType(file_) == FILE_TYPE_DISK) {
        LARGE_INTEGER end;
        end.QuadPart = 0;
        if (!GetFileSizeEx(file_, &size) || static_cast<std::size_t>(size.QuadPart) < lineBegun_ ||
            (end.QuadPart = size.QuadPart - static_cast<LONGLONG>(lineBegun_),
             !SetFilePointerEx(file_, end, nullptr, FILE_BEGIN) || !SetEndOfFile(file_)))
            said += " (its last line is cut short)";
    }
    std::fprintf(stderr, "brontix: the recording '%s' stops here: %s\n", narrow(path_).c_str(),
                 said.c_str());
    std::fflush(stderr);
    CloseHandle(file_);
    file_ = INVALID_HANDLE_VALUE;
    waiting_.clear();
}

}  // namespace brontix::platform::win32
