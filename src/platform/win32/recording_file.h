// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// Where the Windows game writes its recording: a file, or a named pipe to
// another program. It never holds the game up and never leaves a line cut
// short: a write that fails (a full disk, a reader gone, a reader too far
// behind) ends the recording at the last whole line, says so once on
// standard error, and the game plays on unrecorded.
#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <variant>

namespace brontix::platform::win32 {

class RecordingFile {
public:
    // What a reader of a pipe may fall behind before the recording stops.
    static constexpr std::size_t kMostBehind = std::size_t{1} << 20;

    // Creates or empties a file (a pipe, `\\.\pipe\NAME`, must exist: one
    // nobody serves is refused). Otherwise the reason, for the caller's
    // message.
    static std::variant<std::unique_ptr<RecordingFile>, std::string> open(const std::wstring& path);
    ~RecordingFile();
    RecordingFile(const RecordingFile&) = delete;
    RecordingFile& operator=(const RecordingFile&) = delete;

    // One whole line: written now, or as soon as a pipe's reader takes it.
    void write(std::string_view line);
    // True until a write failed.
    bool recording() const { return file_ != INVALID_HANDLE_VALUE; }

private:
    RecordingFile(HANDLE file, std::wstring path) : file_(file), path_(std::move(path)) {}
    void flush();
    void stop(const std::string& why);

    HANDLE file_;
    std::wstring path_;
    std::string waiting_;        // lines a pipe's reader has not taken yet
    std::size_t lineBegun_ = 0;  // bytes of a line written so far, when cut short
};

}  // namespace brontix::platform::win32
