// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include "replay/headless_host.h"

#include "session/dump.h"

namespace brontix::platform::headless {

HeadlessHost::HeadlessHost() {
    form1_.exists = true;
    form1_.visible = true;
    form1_.width = scene::kPlayfieldWidth + 2 * kFrameBorder;
    form1_.height = scene::kPlayfieldHeight + kFrameTitle + kFrameMenu + kFrameBorder;
}

void HeadlessHost::placeWindows(session::Session& session) {
    apply(session, session.placeWindows({0, 0, kScreenWidth, kScreenHeight},
                                        {form1_.left, form1_.top, form1_.width, form1_.height}));
}

void HeadlessHost::apply(session::Session& session, const session::Answer& answer) {
    for (const session::WindowStep& step : answer.windows) carryOut(step);
    if (onEvent)
        for (const session::Event& event : answer.events) onEvent(event);
    if (!answer.box) return;
    apply(session, session.boxClosed());
}

void HeadlessHost::expire(session::Session& session, std::uint64_t count) {
    // The expiries after a box go on once it is answered (its tick has
    // switched the timer off by then, so they find nothing to run).
    while (count > 0) {
        const std::uint64_t before = session.ticksRun();
        const session::Answer answer = session.expire(count);
        count -= session.ticksRun() - before;
        apply(session, answer);
        if (!answer.box) return;
    }
}

void HeadlessHost::carryOut(const session::WindowStep& step) {
    using Kind = session::WindowStep::Kind;
    switch (step.kind) {
    case Kind::ShowBackdrop:
        // Maximised: the whole screen, frame included.
        form2_ = {true, true, 0, 0, kScreenWidth, kScreenHeight};
        break;
    case Kind::HideGame: form1_.visible = false; break;
    case Kind::MoveGame:
        form1_.left = step.left;
        form1_.top = step.top;
        break;
    case Kind::ShowGameOwnedByBackdrop:
        form1_.visible = true;
        ownedByBackdrop_ = true;
        break;
    }
}

namespace {

void appendWindow(std::string& out, const WindowState& w) {
    if (!w.exists) {
        out += "null";
        return;
    }
    out += "{\"visible\":";
    session::appendBool(out, w.visible);
    out += ",\"left\":";
    session::appendInt(out, w.left);
    out += ",\"top\":";
    session::appendInt(out, w.top);
    out += ",\"width\":";
    session::appendInt(out, w.width);
    out += ",\"height\":";
    session::appendInt(out, w.height);
    out += '}';
}

}  // namespace

std::string HeadlessHost::dump(const session::Session& session) const {
    std::string windows = "{\"form1\":";
    appendWindow(windows, form1_);
    windows += ",\"form2\":";
    appendWindow(windows, form2_);
    windows += '}';
    return session.dump(windows);
}

}  // namespace brontix::platform::headless
