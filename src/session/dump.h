// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// Writing the state of a session as JSON (Session::dump), for the replay
// driver, tests and bug reports.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "session/session.h"

namespace brontix::session {

// Shortest decimals that read back as the same value; "inf", "-inf" and
// "nan" as JSON strings.
void appendNumber(std::string& out, float v);
void appendNumber(std::string& out, double v);
void appendString(std::string& out, const std::string& s);
void appendInt(std::string& out, long long v);
void appendBool(std::string& out, bool b);

}  // namespace brontix::session
