// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include "session/dump.h"

#include <charconv>
#include <cmath>

#include "game/form1.h"
#include "session/core.h"
#include "session/session.h"

namespace brontix::session {

namespace {

using scene::ObjectArray;
using scene::Shape;

template <class T>
void appendFloating(std::string& out, T v) {
    if (std::isnan(v)) {
        out += "\"nan\"";
        return;
    }
    if (std::isinf(v)) {
        out += v > 0 ? "\"inf\"" : "\"-inf\"";
        return;
    }
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, res.ptr);
}

void appendShapeMembers(std::string& out, const Shape& s) {
    out += "\"visible\":";
    appendBool(out, s.Visible);
    out += ",\"left\":";
    appendNumber(out, s.Left);
    out += ",\"top\":";
    appendNumber(out, s.Top);
    out += ",\"width\":";
    appendNumber(out, s.Width);
    out += ",\"height\":";
    appendNumber(out, s.Height);
    out += ",\"fill\":";
    appendInt(out, s.BackColor);
    out += ",\"border\":";
    appendInt(out, s.BorderColor);
}

void appendShape(std::string& out, const Shape& s) {
    out += '{';
    appendShapeMembers(out, s);
    out += '}';
}

template <class T, class Append>
void appendOptional(std::string& out, const std::vector<T>& v, int i, Append append) {
    if (i < static_cast<int>(v.size()))
        append(v[static_cast<std::size_t>(i)]);
    else
        out += "null";
}

void appendVector(std::string& out, const game::BallVector& v) {
    out += '[';
    appendNumber(out, v.x);
    out += ',';
    appendNumber(out, v.y);
    out += ']';
}

void appendBalls(std::string& out, const game::Form1& form) {
    const game::GameState& st = form.state;
    out += '[';
    for (int i = 0; i <= form.Ball.UBound(); ++i) {
        if (i > 0) out += ',';
        out += '{';
        appendShapeMembers(out, form.Ball[i]);
        out += ",\"pos\":";
        appendOptional(out, st.ballPos, i,
                       [&](const game::BallVector& v) { appendVector(out, v); });
        out += ",\"vel\":";
        appendOptional(out, st.ballVel, i,
                       [&](const game::BallVector& v) { appendVector(out, v); });
        out += ",\"held\":";
        appendOptional(out, st.ballHeld, i,
                       [&](game::Boolean b) { appendBool(out, b != game::False); });
        out += ",\"fade\":";
        appendOptional(out, st.ballFade, i, [&](double f) { appendNumber(out, f); });
        out += '}';
    }
    out += ']';
}

void appendBricks(std::string& out, const game::Form1& form) {
    out += "{\"visible\":\"";
    for (const Shape& b : form.Shape1) out += b.Visible ? '1' : '0';
    out += "\",\"fill\":[";
    for (int i = 0; i < game::kBrickCount; ++i) {
        if (i > 0) out += ',';
        appendInt(out, form.Shape1[i].BackColor);
    }
    out += "],\"border\":[";
    for (int i = 0; i < game::kBrickCount; ++i) {
        if (i > 0) out += ',';
        appendInt(out, form.Shape1[i].BorderColor);
    }
    out += "]}";
}

void appendCapsules(std::string& out, const game::Form1& form) {
    out += '[';
    for (int j = 0; j <= form.PowUp.UBound(); ++j) {
        if (j > 0) out += ',';
        out += '{';
        appendShapeMembers(out, form.PowUp[j]);
        out += ",\"speed\":";
        appendOptional(out, form.state.capsuleSpeed, j, [&](float s) { appendNumber(out, s); });
        out += '}';
    }
    out += ']';
}

void appendShapes(std::string& out, const ObjectArray<Shape>& array) {
    out += '[';
    for (int i = 0; i <= array.UBound(); ++i) {
        if (i > 0) out += ',';
        appendShape(out, array[i]);
    }
    out += ']';
}

}  // namespace

void appendInt(std::string& out, long long v) { out += std::to_string(v); }
void appendBool(std::string& out, bool b) { out += b ? "true" : "false"; }
void appendNumber(std::string& out, float v) { appendFloating(out, v); }
void appendNumber(std::string& out, double v) { appendFloating(out, v); }

void appendString(std::string& out, const std::string& s) {
    static const char* const kHex = "0123456789abcdef";
    out += '"';
    for (const char ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += ch;
        } else if (c < 0x20) {
            out += "\\u00";
            out += kHex[c >> 4];
            out += kHex[c & 15];
        } else {
            out += ch;
        }
    }
    out += '"';
}

std::string Core::dump(std::string_view windows) const {
    const game::Form1& form = *form_;
    const game::GameState& st = form.state;
    std::string out;
    out.reserve(16384);
    out += "{\"tick\":";
    out += std::to_string(ticks_);
    out += ",\"timer\":";
    appendBool(out, form.Timer1.Enabled);
    out += ",\"caption\":";
    appendString(out, form.services.caption());
    out += ",\"score\":";
    appendInt(out, st.score);
    out += ",\"demoMode\":";
    appendBool(out, st.demoMode != game::False);
    out += ",\"stickyPaddle\":";
    appendBool(out, st.stickyPaddle != game::False);
    out += ",\"messages\":[";
    for (std::size_t i = 0; i < messages_.size(); ++i) {
        if (i > 0) out += ',';
        appendString(out, messages_[i]);
    }
    out += "],\"paddle\":";
    appendShape(out, form.Paddle);
    out += ",\"balls\":";
    appendBalls(out, form);
    out += ",\"bricks\":";
    appendBricks(out, form);
    out += ",\"capsules\":";
    appendCapsules(out, form);
    out += ",\"lfire\":";
    appendShapes(out, form.LFire);
    out += ",\"rfire\":";
    appendShapes(out, form.RFire);
    out += ",\"windows\":";
    out += windows;
    out += '}';
    return out;
}

// The front end's own windows are not the game's state: a recording game's
// real windows are not the headless ones its replays have.
std::uint64_t Core::stateHash() const {
    std::uint64_t hash = kFnvOffsetBasis;
    for (const char c : dump("null")) {
        hash ^= static_cast<unsigned char>(c);
        hash *= kFnvPrime;
    }
    return hash;
}

std::string Session::dump(std::string_view windows) const { return core_->dump(windows); }
std::uint64_t Session::stateHash() const { return core_->stateHash(); }

}  // namespace brontix::session
