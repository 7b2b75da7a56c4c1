// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// brontix-replay [--frame FILE [--scale S]] [SCRIPT], or --verify [SCRIPT]:
// runs a script against the game without a window.
#include <fcntl.h>
#include <unistd.h>
#ifdef _WIN32
#include <io.h>
#include <windows.h>

#include <streambuf>
#else
#include <poll.h>
#endif

#include <cerrno>
#ifndef __wasi__
#include <csignal>  // WebAssembly has no signals
#endif
#include <cstring>
#include <iostream>
#include <new>
#include <optional>
#include <string>

#include "replay/replay.h"

namespace {

#ifdef _WIN32
// Bytes as they are: in text mode Windows reads CR LF as LF and ends a file
// at its first Ctrl-Z, so a script would read otherwise than elsewhere.
constexpr int kReadOnly = O_RDONLY | O_BINARY;
#else
constexpr int kReadOnly = O_RDONLY | O_CLOEXEC;
#endif

#ifdef _WIN32
// Standard output as the driver writes it elsewhere. Windows fails a write
// to a pipe whose reader has gone with ERROR_NO_DATA (Wine with
// ERROR_PIPE_NOT_CONNECTED), which its C library turns into EINVAL
// ("Invalid argument"): said as the broken pipe it is.
class BrokenPipeSaid : public std::streambuf {
public:
    explicit BrokenPipeSaid(int fd) : fd_(fd) { setp(buffer_, buffer_ + sizeof buffer_); }

protected:
    int sync() override {
        for (char* from = pbase(); from < pptr();) {
            const int wrote = ::_write(fd_, from, static_cast<unsigned>(pptr() - from));
            if (wrote <= 0) {
                const DWORD why = GetLastError();
                if (why == ERROR_NO_DATA || why == ERROR_BROKEN_PIPE ||
                    why == ERROR_PIPE_NOT_CONNECTED)
                    errno = EPIPE;
                return -1;
            }
            from += wrote;
        }
        setp(buffer_, buffer_ + sizeof buffer_);
        return 0;
    }
    int_type overflow(int_type c) override {
        if (sync() != 0) return traits_type::eof();
        if (!traits_type::eq_int_type(c, traits_type::eof())) sputc(traits_type::to_char_type(c));
        return traits_type::not_eof(c);
    }

private:
    int fd_;
    char buffer_[1 << 16];
};
#endif

int usage() {
    std::cerr << "usage: brontix-replay [--frame FILE [--scale S] | --verify] [SCRIPT]\n";
    return 2;
}

brontix::replay::ReadScript readFrom(int fd) {
    return [fd](char* into, std::size_t n) {
        for (;;) {
            const long got = ::read(fd, into, n);
            if (got >= 0 || (errno != EINTR && errno != EAGAIN && errno != EWOULDBLOCK)) return got;
#ifndef _WIN32
            // A non-blocking descriptor (a shell may hand one on) has no
            // input yet: wait for it rather than end the run. (Windows hands
            // on none: its reads block.)
            if (errno != EINTR) {
                pollfd ready{fd, POLLIN, 0};
                ::poll(&ready, 1, -1);
            }
#endif
        }
    };
}

int run(int argc, char** argv) {
    brontix::replay::ScriptRun run;
    std::optional<std::string> path;
    bool scaled = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--frame" && i + 1 < argc && !run.framePath) {
            run.framePath = argv[++i];
        } else if (arg == "--scale" && i + 1 < argc && !scaled) {
            const auto scale = brontix::render::Scale::parse(argv[++i]);
            if (!scale) return usage();
            run.scale = *scale;
            scaled = true;
        } else if (arg == "--verify" && !run.verify) {
            run.verify = true;
        } else if ((arg == "-" || arg.empty() || arg[0] != '-') && !path) {
            path = arg;
        } else {
            return usage();
        }
    }
    if ((scaled && !run.framePath) || (run.verify && run.framePath)) return usage();
    if (!path || *path == "-") {
        run.name = "standard input";
        run.read = readFrom(0);
        return brontix::replay::runScript(run, std::cout, std::cerr);
    }
    const int fd = ::open(path->c_str(), kReadOnly);
    if (fd < 0) {
        std::cerr << "brontix-replay: cannot open '" << *path << "': " << std::strerror(errno)
                  << '\n';
        return 2;
    }
    run.name = "'" + *path + "'";
    run.read = readFrom(fd);
    const int status = brontix::replay::runScript(run, std::cout, std::cerr);
    ::close(fd);
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
#ifdef _WIN32
    // Text mode would write every newline of a dump as CR LF (and read
    // standard input otherwise than a file).
    for (std::FILE* f : {stdin, stdout, stderr}) _setmode(_fileno(f), _O_BINARY);
    // Never destroyed: the library flushes standard output once more after
    // every static object has gone.
    std::cout.rdbuf(new BrokenPipeSaid(1));
#endif
#ifdef SIGPIPE
    // A reader that goes away makes the next dump a failed write, which
    // ends the run with a line and status 2 instead of a silent death.
    std::signal(SIGPIPE, SIG_IGN);
#endif
#if __cpp_exceptions
    try {
        return run(argc, argv);
    } catch (const std::bad_alloc&) {
        std::cout.flush();
        std::cerr << "brontix-replay: out of memory\n";
        return 2;
    }
#else
    return run(argc, argv);
#endif
}
