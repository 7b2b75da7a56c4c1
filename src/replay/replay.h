// The replay driver's interpreter: runs a script of input events and timer
// expiries against the game on the headless platform, printing dumps.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "game/form1.h"
#include "platform/headless/headless_services.h"

namespace brontix::replay {

using platform::headless::HeadlessServices;

class Replay {
public:
    explicit Replay(std::ostream& out);
    ~Replay();

    // Runs one script line; returns the reason when the line is an error,
    // in which case nothing of it has run.
    std::optional<std::string> runLine(std::string_view line);
    // The end of the script: the main window exists afterwards.
    void finish() { createWindow(); }

    // The window, once a command other than clock and random has created it.
    game::Form1* form() { return form_.get(); }
    HeadlessServices& services() { return services_; }
    std::uint64_t ticks() const { return ticks_; }
    // Whether a tick ever started while another was running.
    bool reentered() const { return reentered_; }

private:
    void createWindow();
    void expire(std::uint64_t count);

    std::ostream& out_;
    HeadlessServices services_;
    std::unique_ptr<game::Form1> form_;
    std::uint64_t ticks_ = 0;
    bool reentered_ = false;
};

// Runs a whole script; returns the exit status (0, or 2 on a script error).
int runScript(std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace brontix::replay
