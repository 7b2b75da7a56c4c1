// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// The whole observable state of a session as one line of JSON, for the
// replay driver, tests and bug reports.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "session/session.h"

namespace brontix::session {

// The session's game and ticks, the texts of the boxes shown so far and the
// two windows of full-screen mode, as the front end that has them writes
// them (a JSON value).
std::string dumpJson(const Session& session, const std::vector<std::string>& messages,
                     std::string_view windows);

// Shortest decimals that read back as the same value; "inf", "-inf" and
// "nan" as JSON strings.
void appendNumber(std::string& out, float v);
void appendNumber(std::string& out, double v);
void appendString(std::string& out, const std::string& s);
void appendInt(std::string& out, long long v);
void appendBool(std::string& out, bool b);

}  // namespace brontix::session
