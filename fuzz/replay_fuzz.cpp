// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include "replay_fuzz.h"

#include <algorithm>
#include <cfloat>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <vector>

#include "game/form1.h"
#include "replay/replay.h"
#include "script/script.h"
#include "session/inside.h"
#include "support/json.h"

namespace brontix::fuzz {

namespace {

[[noreturn]] void broken(const std::string& rule, const std::string& line) {
    std::fprintf(stderr, "fuzz: rule broken: %s\n  after script line: %.200s\n", rule.c_str(),
                 line.c_str());
    std::abort();
}

// Reads choices from the input's bytes; past the end every choice is 0.
class Bytes {
public:
    Bytes(const std::uint8_t* d, std::size_t n) : d_(d), n_(n) {}
    bool done() const { return i_ >= n_; }
    std::uint8_t byte() { return i_ < n_ ? d_[i_++] : 0; }
    std::uint32_t u32() {
        std::uint32_t v = 0;
        for (int k = 0; k < 4; ++k) v = (v << 8) | byte();
        return v;
    }
    std::uint64_t u64() { return (static_cast<std::uint64_t>(u32()) << 32) | u32(); }
    // A value in [0, 1) that is interesting to the game's draws.
    std::string unit() {
        static const char* const kPicks[] = {"0",    "0.9",  "0.86", "0.85", "0.999999", "0.35",
                                             "0.65", "0.85", "0.95", "0.05", "0.75",     "0.5"};
        const std::uint8_t b = byte();
        if (b < 160) return kPicks[b % 12];
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.7f", (u32() % 10000000) / 1e7);
        return buf;
    }
    std::string coordinate() {
        static const char* const kPicks[] = {"0",     "-0",     "3.4028235e38", "-3.4028235e38",
                                             "1e-45", "-1e-45", "308.5",        "640",
                                             "-36.5", "1e30"};
        const std::uint8_t b = byte();
        if (b < 100) return kPicks[b % 10];
        char buf[32];
        std::snprintf(buf, sizeof buf, "%d.%d", static_cast<int>(u32() % 1800) - 600, byte() % 10);
        return buf;
    }

private:
    const std::uint8_t* d_;
    std::size_t n_;
    std::size_t i_ = 0;
};

class Checker {
public:
    Checker(long long budget, Reach& reach) : replay_(out_), budget_(budget), reach_(reach) {}

    void run(const std::string& line) {
        ++reach_.commands;
        ++spent_;
        const script::Parsed parsed = script::parseLine(line);
        if (!parsed.error.empty()) return;  // a script error: the driver would stop here
        if (const auto* tick = std::get_if<script::Tick>(&parsed.command))
            runTicks(tick->count, line);
        else
            runChecked(parsed.command, line);
    }

    game::Form1* form() {
        return replay_.session().started() ? &session::Inside::form(replay_.session()) : nullptr;
    }
    // Ticks this input may still run with the current number of balls.
    // Every command costs one, every tick one for each ball.
    long long ticksLeft() {
        const int balls = form() ? form()->Ball.UBound() + 1 : 3;
        return (budget_ - spent_) / balls;
    }

private:
    // A tick line runs in pieces, each within what is left of the budget
    // at the number of balls it starts with, so that no line (a tick before
    // the window exists, a cascade of balls) can run unbounded.
    void runTicks(std::uint64_t count, const std::string& line) {
        static constexpr std::uint64_t kPiece = 64;
        while (count > 0) {
            const long long left = ticksLeft();
            if (left <= 0) return;
            const std::uint64_t piece = std::min({count, kPiece, static_cast<std::uint64_t>(left)});
            const std::uint64_t before = replay_.session().ticksRun();
            runChecked(script::Tick{piece}, line);
            const std::uint64_t ran = replay_.session().ticksRun() - before;
            // The timer is off: the rest would find nothing to run either.
            if (ran == 0) return;
            count -= piece;
        }
    }

    // Runs one command and checks the rules after it.
    void runChecked(const script::Command& command, const std::string& line) {
        out_.str("");
        out_.clear();
        const std::uint64_t before = replay_.session().ticksRun();
        replay_.run(command);
        const auto ran = static_cast<long long>(replay_.session().ticksRun() - before);
        reach_.ticks += ran;
        spend(ran);
        check(line);
    }
    void spend(long long ticks) { spent_ += ticks * (form() ? form()->Ball.UBound() + 1 : 3); }

    void check(const std::string& line) {
        // Boxes are answered at once, so between commands the gate is open.
        if (replay_.session().boxOpen()) broken("the gate stayed closed", line);
        const std::string dumped = out_.str();
        if (!dumped.empty()) {
            try {
                testing::parseJson(dumped.substr(0, dumped.size() - 1));
            } catch (const std::exception& e) {
                broken(std::string("dump is not JSON: ") + e.what(), line);
            }
        }
        game::Form1* f = form();
        if (!f) return;
        const game::GameState& st = f->state;
        const int balls = f->Ball.UBound();
        for (const int ub : {balls, f->PowUp.UBound(), f->LFire.UBound(), f->RFire.UBound(),
                             f->Line13.UBound(), f->Line14.UBound()})
            if (ub > 32767) broken("an array passed index 32767", line);
        if (f->Shape1.UBound() != 259) broken("the wall changed size", line);
        // The brick pass counts on bricks staying in their cells.
        for (int k = 0; k < game::kBrickCount; ++k)
            if (!(f->Shape1[k].Left == game::brickLeft(k) &&
                  f->Shape1[k].Top == game::brickTop(k) &&
                  f->Shape1[k].Width == game::kBrickWidth &&
                  f->Shape1[k].Height == game::kBrickHeight))
                broken("a brick left its cell", line);
        const auto perBall = static_cast<std::size_t>(balls) + 1;
        if (st.ballHeld.size() != perBall) broken("ballHeld does not follow Ball", line);
        if (replay_.session().ticksRun() > 0 &&
            (st.ballVel.size() != perBall || st.ballPos.size() != perBall ||
             st.ballFade.size() != perBall))
            broken("a per-ball array does not reach Ball's upper bound", line);
        if (replay_.session().ticksRun() == 0 && (st.ballVel.size() != 3 || st.ballPos.size() != 3))
            broken("start-up arrays", line);
        if (st.capsuleSpeed.size() > static_cast<std::size_t>(f->PowUp.UBound()) + 1)
            broken("capsuleSpeed passed PowUp", line);
        checkPool(f->capsules.active(), f->PowUp, line);
        checkPool(f->leftShots.active(), f->LFire, line);
        checkPool(f->rightShots.active(), f->RFire, line);

        reach_.maxBall = std::max(reach_.maxBall, balls);
        reach_.maxCapsule = std::max(reach_.maxCapsule, f->PowUp.UBound());
        reach_.maxShot = std::max({reach_.maxShot, f->LFire.UBound(), f->RFire.UBound()});
        for (const auto& b : f->Ball)
            if (b.Visible) reach_.maxBallWidth = std::max<float>(reach_.maxBallWidth, b.Width);
        reach_.maxPaddleWidth = std::max<float>(reach_.maxPaddleWidth, f->Paddle.Width);
        reach_.minPaddleWidth = std::min<float>(reach_.minPaddleWidth, f->Paddle.Width);
        reach_.cannons |= f->LFire[0].Visible;
        reach_.sticky |= st.stickyPaddle == game::True;
        for (const auto& m : replay_.session().messages()) {
            reach_.won |= m == "You win!";
            reach_.lost |= m == "You lose!";
        }
    }

    // The tick's list of elements in flight is in index order and names only
    // shown elements.
    static void checkPool(const std::vector<int>& active,
                          const scene::ObjectArray<scene::Shape>& array, const std::string& line) {
        for (std::size_t k = 0; k < active.size(); ++k) {
            if (active[k] < 0 || active[k] > array.UBound() || !array[active[k]].Visible)
                broken("an element in flight is not shown", line);
            if (k > 0 && active[k - 1] >= active[k])
                broken("elements in flight out of order", line);
        }
    }

    std::ostringstream out_;
    replay::Replay replay_;
    long long budget_;
    long long spent_ = 0;
    Reach& reach_;
};

// Arbitrary text, line by line, as the driver reads it.
void runText(Checker& c, const std::uint8_t* data, std::size_t size) {
    std::string line;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == '\n') {
            c.run(line);
            line.clear();
            if (c.ticksLeft() <= 0) return;
        } else {
            line += static_cast<char>(data[i]);
        }
    }
    c.run(line);
}

// Commands chosen by the bytes, with values that push the game to its edges.
void runCommands(Checker& c, Bytes& b, Reach& reach) {
    while (!b.done()) {
        const std::uint8_t op = b.byte();
        switch (op % 12) {
        case 0: c.run("clock " + std::to_string(b.u64())); break;
        case 1: {
            std::string line = "random";
            const int n = 1 + b.byte() % 16;
            for (int k = 0; k < n; ++k) line += " " + b.unit();
            c.run(line);
            break;
        }
        case 2:
        case 3: {
            static const long long kCounts[] = {1, 2, 7, 64, 640, 6400, 100000, 3000000};
            c.run("tick " + std::to_string(kCounts[b.byte() % 8]));
            break;
        }
        case 4: c.run("move " + b.coordinate() + " " + b.coordinate()); break;
        case 5: {
            // Up to tens of thousands of clicks at once: with the cannons
            // mounted and the game paused they pile up shots to the limit.
            const bool cannons = c.form() && c.form()->LFire[0].Visible;
            const int n = b.byte() < (cannons ? 128 : 250) ? 1 + b.byte() % 4 : 35000;
            if (n > 1000 && c.form() && c.form()->Timer1.Enabled) c.run("key 112");
            for (int k = 0; k < n; ++k) c.run("click");
            reach.clicks += n;
            break;
        }
        case 6: {
            const std::uint8_t k = b.byte();
            c.run("key " + std::to_string(k < 200 ? 112 : b.u32() % 65536));
            break;
        }
        case 7: c.run("menu new"); break;
        case 8: c.run("menu demo"); break;
        case 9: c.run("menu fullscreen"); break;
        case 10: c.run("dump"); break;
        case 11: {
            // A long chain of forced capsules: every hit releases one of the
            // kind chosen (multi-ball and bigger balls most of all).
            static const char* const kKinds[] = {"0.35", "0.85", "0.35", "0.65", "0.05", "0.45"};
            const char* kind = kKinds[b.byte() % 6];
            std::string line = "random";
            for (int k = 0; k < 200; ++k) line += std::string(" 0.9 ") + kind;
            c.run(line);
            // The autopilot catches what falls near ball 0.
            if (c.form() && c.form()->state.demoMode != game::True) c.run("menu demo");
            break;
        }
        }
        if (c.ticksLeft() <= 0) return;
    }
}

}  // namespace

void runInput(const std::uint8_t* data, std::size_t size, long long tickBudget, Reach& reach) {
    ++reach.inputs;
    Checker c(tickBudget, reach);
    if (size > 0 && data[0] % 4 == 0) {
        runText(c, data + 1, size - 1);
    } else {
        Bytes b(data + (size > 0 ? 1 : 0), size > 0 ? size - 1 : 0);
        runCommands(c, b, reach);
    }
    c.run("dump");
}

std::string Reach::summary() const {
    std::ostringstream s;
    s << "inputs " << inputs << ", commands " << commands << ", ticks " << ticks << ", clicks "
      << clicks << "; highest upper bounds: Ball " << maxBall << ", PowUp " << maxCapsule
      << ", shots " << maxShot << "; ball width up to " << maxBallWidth << ", paddle width "
      << minPaddleWidth << " to " << maxPaddleWidth << "; cannons " << (cannons ? "yes" : "no")
      << ", sticky " << (sticky ? "yes" : "no") << ", won " << (won ? "yes" : "no") << ", lost "
      << (lost ? "yes" : "no");
    return s.str();
}

}  // namespace brontix::fuzz
