// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include "platform/qt/recording_file.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace brontix::platform::qt {

std::variant<std::unique_ptr<RecordingFile>, std::string> RecordingFile::open(
    const std::string& path) {
    // A reader that goes away, or a file that may grow no more, is a write
    // that fails, not the end of the game.
    ::signal(SIGPIPE, SIG_IGN);
    ::signal(SIGXFSZ, SIG_IGN);
    // Non-blocking: a pipe with no reader is refused at once (ENXIO), one
    // whose reader is slow never stalls the game.
    const int fd = ::open(path.c_str(),
                          O_WRONLY | O_CREAT | O_TRUNC | O_APPEND | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) {
        if (errno == ENXIO) return std::string("no program reads the pipe");
        return std::string(std::strerror(errno));
    }
    return std::unique_ptr<RecordingFile>(new RecordingFile(fd, path));
}

RecordingFile::~RecordingFile() {
    // A slow reader has a little while to take the last lines; the game's
    // end waits no longer for one that stopped reading.
    for (int tries = 0; fd_ >= 0 && !waiting_.empty() && tries < 20; ++tries) {
        pollfd ready{fd_, POLLOUT, 0};
        if (::poll(&ready, 1, 100) > 0) flush();
    }
    if (fd_ >= 0 && !waiting_.empty()) stop("its reader did not take the last lines");
    if (fd_ >= 0) ::close(fd_);
}

void RecordingFile::write(std::string_view line) {
    if (fd_ < 0) return;
    waiting_.append(line);
    flush();
}

void RecordingFile::flush() {
    while (!waiting_.empty()) {
        const ssize_t n = ::write(fd_, waiting_.data(), waiting_.size());
        if (n > 0) {
            const auto written = static_cast<std::size_t>(n);
            const std::size_t lastBreak = std::string_view(waiting_.data(), written).rfind('\n');
            lineBegun_ = lastBreak == std::string_view::npos ? lineBegun_ + written
                                                             : written - lastBreak - 1;
            waiting_.erase(0, written);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (waiting_.size() > kMostBehind) stop("its reader fell more than 1 MiB behind");
            return;
        }
        stop(n == 0 ? "nothing could be written" : std::strerror(errno));
        return;
    }
}

void RecordingFile::stop(const std::string& why) {
    // A line cut short could read as another command ("tick 12" as
    // "tick 1"): a file is cut back to its last whole line. (What a pipe's
    // reader has taken is beyond recall; it sees the line unfinished.)
    std::string said = why;
    if (lineBegun_ > 0) {
        struct stat st {};
        if (::fstat(fd_, &st) == 0 && S_ISREG(st.st_mode) &&
            (static_cast<std::size_t>(st.st_size) < lineBegun_ ||
             ::ftruncate(fd_, st.st_size - static_cast<off_t>(lineBegun_)) != 0))
            said += " (its last line is cut short)";
    }
    std::fprintf(stderr, "brontix: the recording '%s' stops here: %s\n", path_.c_str(),
                 said.c_str());
    ::close(fd_);
    fd_ = -1;
    waiting_.clear();
}

}  // namespace brontix::platform::qt
