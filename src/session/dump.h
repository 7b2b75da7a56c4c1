// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// The whole observable state of a session as one line of JSON, for the
// replay driver, tests and bug reports.
#pragma once

#include <string>
#include <vector>

#include "session/session.h"

namespace brontix::session {

// A window's outer frame on a screen, in pixels, as a front end keeps it.
struct WindowState {
    bool exists = false;
    bool visible = false;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// The session's game and ticks, the texts of the boxes shown so far and the
// two windows of full-screen mode.
std::string dumpJson(const Session& session, const std::vector<std::string>& messages,
                     const WindowState& form1, const WindowState& form2);

// Shortest decimals that read back as the same value; "inf", "-inf" and
// "nan" as JSON strings.
void appendNumber(std::string& out, float v);
void appendNumber(std::string& out, double v);
void appendString(std::string& out, const std::string& s);

}  // namespace brontix::session
