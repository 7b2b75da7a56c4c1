// Runs a replay script in memory, as brontix-replay would.
#pragma once

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

inline ReplayResult replay(const std::string& script) {
    std::istringstream in(script);
    std::ostringstream out, err;
    ReplayResult r;
    r.status = replay::runScript(in, out, err);
    r.out = out.str();
    r.err = err.str();
    return r;
}

}  // namespace brontix::testing
