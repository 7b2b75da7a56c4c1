// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// brontix-replay [--frame FILE [--scale S]] [SCRIPT]: runs a script against
// the game without a window.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>

#include "replay/replay.h"

namespace {

int usage() {
    std::cerr << "usage: brontix-replay [--frame FILE [--scale S]] [SCRIPT]\n";
    return 2;
}

brontix::replay::ReadScript readFrom(int fd) {
    return [fd](char* into, std::size_t n) {
        for (;;) {
            const long got = ::read(fd, into, n);
            if (got >= 0 || errno != EINTR) return got;
        }
    };
}

}  // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
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
        } else if ((arg == "-" || arg.empty() || arg[0] != '-') && !path) {
            path = arg;
        } else {
            return usage();
        }
    }
    if (scaled && !run.framePath) return usage();
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
