// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// brontix-replay [--frame FILE [--scale S]] [SCRIPT], or --verify [SCRIPT]:
// runs a script against the game without a window.
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

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

int usage() {
    std::cerr << "usage: brontix-replay [--frame FILE [--scale S] | --verify] [SCRIPT]\n";
    return 2;
}

brontix::replay::ReadScript readFrom(int fd) {
    return [fd](char* into, std::size_t n) {
        for (;;) {
            const long got = ::read(fd, into, n);
            if (got >= 0 || (errno != EINTR && errno != EAGAIN && errno != EWOULDBLOCK)) return got;
            // A non-blocking descriptor (a shell may hand one on) has no
            // input yet: wait for it rather than end the run.
            if (errno != EINTR) {
                pollfd ready{fd, POLLIN, 0};
                ::poll(&ready, 1, -1);
            }
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
    const int fd = ::open(path->c_str(), O_RDONLY | O_CLOEXEC);
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
