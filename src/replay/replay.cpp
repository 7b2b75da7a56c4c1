// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include "replay/replay.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <istream>
#include <ostream>

#include "session/dump.h"

namespace brontix::replay {

Replay::Replay(Dumps dumps)
    : dumps_(std::move(dumps)), session_(host_, [] { return std::int64_t{0}; }) {
    host_.placeWindows(session_);
}

Replay::Replay(std::ostream& out)
    : Replay([&out](Replay& r) { out << r.host_.dump(r.session_) << '\n'; }) {}

std::optional<std::string> Replay::runLine(std::string_view line) {
    script::Parsed parsed = script::parseLine(line);
    if (!parsed.error.empty()) return std::move(parsed.error);
    return run(parsed.command);
}

std::optional<std::string> Replay::run(const script::Command& command) {
    if (const auto* check = std::get_if<script::Check>(&command)) {
        const std::uint64_t replayed = started().stateHash();
        if (replayed != check->hash) return script::outOfSync(check->hash, replayed);
        ++checksPassed_;
        return std::nullopt;
    }
    // The main window is made by the first command that is neither a clock
    // nor random values for start-up.
    struct Run {
        Replay& r;
        void operator()(const script::Nothing&) {}
        void operator()(const script::Clock& c) { r.host_.setClock(c.value); }
        void operator()(const script::Random& c) {
            for (float v : c.values) r.session_.queueRandom(v);
        }
        void operator()(const script::Tick& c) { r.host_.expire(r.started(), c.count); }
        void operator()(const script::Move& c) { r.answer(r.started().pointer(c.x, c.y)); }
        void operator()(const script::Click&) { r.answer(r.started().click()); }
        void operator()(const script::Key& c) { r.answer(r.started().key(c.code)); }
        void operator()(const script::Menu& c) { r.answer(r.started().menu(c.command)); }
        void operator()(const script::Dump&) {
            r.started();
            if (r.dumps_) r.dumps_(r);
        }
        void operator()(const script::Format&) {}
        void operator()(const script::Check&) {}
    };
    std::visit(Run{*this}, command);
    return std::nullopt;
}

session::Session& Replay::started() {
    session_.start();
    return session_;
}

void Replay::answer(const session::Answer& answer) { host_.apply(session_, answer); }

namespace {

std::string reason(int error) { return std::strerror(error); }

bool writeFrame(const std::string& path, const std::string& ppm, std::ostream& out,
                std::ostream& err) {
    if (path == "-") {
        out.write(ppm.data(), static_cast<std::streamsize>(ppm.size()));
        return true;  // the caller checks standard output once more
    }
    errno = 0;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    bool ok = f && std::fwrite(ppm.data(), 1, ppm.size(), f) == ppm.size();
    int error = errno;
    if (f && std::fclose(f) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (!ok)
        err << "brontix-replay: cannot write the frame to '" << path << "': " << reason(error)
            << '\n';
    return ok;
}

}  // namespace

std::string framePpm(const render::PixelBuffer& frame) {
    std::string ppm =
        "P6\n" + std::to_string(frame.width()) + " " + std::to_string(frame.height()) + "\n255\n";
    ppm.reserve(ppm.size() + static_cast<std::size_t>(frame.width() * frame.height()) * 3);
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x) {
            const std::uint32_t p = frame.pixel(x, y);
            ppm += static_cast<char>(p >> 16 & 0xFF);
            ppm += static_cast<char>(p >> 8 & 0xFF);
            ppm += static_cast<char>(p & 0xFF);
        }
    return ppm;
}

namespace {

// What a whole replay proves, for --verify.
struct Outcome {
    std::uint64_t won = 0, lost = 0;

    void count(const session::Event& e) {
        if (e.kind == session::Event::Kind::Won) ++won;
        if (e.kind == session::Event::Kind::Lost) ++lost;
    }
    int say(Replay& replay, std::ostream& out) const {
        if (replay.checksPassed() == 0) {
            out << "unverified: no check\n";
            return 3;
        }
        out << "verified: " << replay.checksPassed() << " checks, " << replay.session().ticksRun()
            << " ticks, score " << replay.session().score() << ", won " << won << ", lost " << lost
            << '\n';
        return 0;
    }
};

}  // namespace

int runScript(const ScriptRun& run, std::ostream& out, std::ostream& err) {
    Replay replay = run.verify ? Replay() : Replay(out);
    Outcome outcome;
    if (run.verify)
        replay.host().onEvent = [&outcome](const session::Event& e) { outcome.count(e); };
    // A dump that cannot be written ends the run: the cause, as the failed
    // write left it.
    auto written = [&] {
        if (out) return true;
        const int error = errno;
        err << "brontix-replay: cannot write to standard output: " << reason(error) << '\n';
        return false;
    };
    script::CommandReader reader(run.read);
    using Got = script::CommandReader::Got;
    for (script::Command command;;) {
        errno = 0;
        const Got got = reader.next(command);
        if (got == Got::End) break;
        if (got == Got::Failed || got == Got::Error) {
            const int error = errno;
            out.flush();
            if (!written()) return 2;
            if (got == Got::Failed)
                err << "brontix-replay: cannot read " << run.name << ": " << reason(error) << '\n';
            else
                err << "brontix-replay: " << reader.error() << '\n';
            return 2;
        }
        if (const auto unmatched = replay.run(command)) {
            out.flush();
            if (!written()) return 2;
            err << "brontix-replay: " << reader.at(*unmatched) << '\n';
            return 3;
        }
        if (!written()) return 2;
    }
    replay.finish();
    if (run.verify) {
        const int status = outcome.say(replay, out);
        out.flush();
        return written() ? status : 2;
    }
    if (run.framePath) replay.session().setScale(run.scale);
    if (run.framePath &&
        !writeFrame(*run.framePath, framePpm(replay.session().drawnFrame()), out, err))
        return 2;
    out.flush();
    return written() ? 0 : 2;
}

int runScript(std::istream& in, std::ostream& out, std::ostream& err) {
    ScriptRun run;
    run.name = "the script";
    run.read = [&in](char* into, std::size_t n) {
        in.read(into, static_cast<std::streamsize>(n));
        return static_cast<long>(in.gcount());
    };
    return runScript(run, out, err);
}

}  // namespace brontix::replay
