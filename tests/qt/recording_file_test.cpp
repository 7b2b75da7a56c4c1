// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// The recording's file or pipe: whatever happens to it, it ends with whole
// lines, it never holds the game up, and it says once that it stopped.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "platform/qt/recording_file.h"

namespace brontix::platform::qt {
namespace {

std::unique_ptr<RecordingFile> opened(const std::string& path) {
    auto file = RecordingFile::open(path);
    EXPECT_TRUE(std::holds_alternative<std::unique_ptr<RecordingFile>>(file));
    return std::move(std::get<std::unique_ptr<RecordingFile>>(file));
}

// What is written to standard error meanwhile, through a pipe (a file
// would be held to the test's size limit too).
class Stderr {
public:
    Stderr() {
        std::fflush(stderr);
        EXPECT_EQ(::pipe(pipe_), 0);
        saved_ = ::dup(2);
        ::dup2(pipe_[1], 2);
    }
    std::string said() {
        std::fflush(stderr);
        ::dup2(saved_, 2);
        ::close(saved_);
        ::close(pipe_[1]);
        std::string text;
        char buf[512];
        for (ssize_t n; (n = ::read(pipe_[0], buf, sizeof buf)) > 0;) text.append(buf, n);
        ::close(pipe_[0]);
        return text;
    }

private:
    int pipe_[2]{};
    int saved_ = -1;
};

std::string contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// A file that may grow no further (a full disk, here the size limit) in the
// middle of "tick 12": the file is cut back to the lines before it, the
// error said once, and later lines are dropped.
TEST(RecordingFile, AFailedWriteLeavesTheLastWholeLine) {
    const QTemporaryDir dir;
    const std::string path = dir.filePath("r.txt").toStdString();
    auto file = opened(path);
    file->write("# heading\n");
    file->write("tick 64\n");
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 24;  // the file may hold "# heading\ntick 64\ntick 1"
    setrlimit(RLIMIT_FSIZE, &small);
    Stderr err;
    file->write("tick 12\n");
    file->write("click\n");
    const std::string said = err.said();
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_FALSE(file->recording());
    EXPECT_EQ(contents(path), "# heading\ntick 64\n");
    EXPECT_EQ(said, "brontix: the recording '" + path + "' stops here: File too large\n");
}

// Emptied while the game runs (": > r.txt"), the file goes on from its new
// end, with no hole of NUL bytes where the old lines were.
TEST(RecordingFile, WritesAtTheEndOfAFileEmptiedMeanwhile) {
    const QTemporaryDir dir;
    const std::string path = dir.filePath("r.txt").toStdString();
    auto file = opened(path);
    file->write("# heading\ntick 64\n");
    ASSERT_EQ(truncate(path.c_str(), 0), 0);
    file->write("click\n");
    EXPECT_EQ(contents(path), "click\n");
}

// A pipe: refused with no reader; written without ever blocking while its
// reader is slow; stopped once the reader is more than 1 MiB behind, or
// has gone.
TEST(RecordingFile, APipeNeverHoldsTheGameUp) {
    const QTemporaryDir dir;
    const std::string fifo = dir.filePath("fifo").toStdString();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const auto refused = RecordingFile::open(fifo);
    ASSERT_TRUE(std::holds_alternative<std::string>(refused));
    EXPECT_EQ(std::get<std::string>(refused), "no program reads the pipe");

    const std::string line(99, 'x');
    for (const bool readerGoes : {false, true}) {
        const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
        auto file = opened(fifo);
        Stderr err;
        std::size_t lines = 0;
        if (readerGoes) {
            file->write(line + "\n");
            ::close(reader);
            file->write(line + "\n");
            lines = 2;
        } else {
            // Nobody reads: the pipe's own buffer fills, then 1 MiB waits.
            while (file->recording() && lines < 100000) {
                file->write(line + "\n");
                ++lines;
            }
            ::close(reader);
        }
        const std::string said = err.said();
        EXPECT_FALSE(file->recording());
        if (readerGoes) {
            EXPECT_EQ(said, "brontix: the recording '" + fifo + "' stops here: Broken pipe\n");
        } else {
            EXPECT_GT(lines * 100, RecordingFile::kMostBehind);
            EXPECT_LT(lines * 100, RecordingFile::kMostBehind + (std::size_t{1} << 20));
            EXPECT_EQ(said, "brontix: the recording '" + fifo +
                                "' stops here: its reader fell more than 1 MiB behind\n");
        }
    }
}

}  // namespace
}  // namespace brontix::platform::qt
