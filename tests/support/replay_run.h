// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// Runs a replay script in memory, as brontix-replay would.
#pragma once

#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "replay/replay.h"
#include "support/json.h"

namespace brontix::testing {

struct ReplayResult {
    int status = 0;
    std::string out;
    std::string err;

    // Each dump line, parsed.
    std::vector<Json> dumps() const {
        std::vector<Json> v;
        std::istringstream in(out);
        for (std::string line; std::getline(in, line);) v.push_back(parseJson(line));
        return v;
    }
};

// With BRONTIX_SCRIPT_DIR set, every script is also written there, so the
// WebAssembly build can be run on the very scripts these tests use.
inline void keepScript(const std::string& script) {
    const char* dir = std::getenv("BRONTIX_SCRIPT_DIR");
    if (!dir || !*dir) return;
    std::ofstream(
        std::string(dir) + "/" + std::to_string(std::hash<std::string>{}(script)) + ".txt",
        std::ios::binary)
        << script;
}

inline ReplayResult replay(const std::string& script) {
    keepScript(script);
    std::istringstream in(script);
    std::ostringstream out, err;
    ReplayResult r;
    r.status = replay::runScript(in, out, err);
    r.out = out.str();
    r.err = err.str();
    return r;
}

}  // namespace brontix::testing
