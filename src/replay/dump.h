// The replay driver's dump: the whole observable state as one JSON line.
#pragma once

#include <cstdint>
#include <string>

#include "game/form1.h"
#include "platform/headless/headless_services.h"

namespace brontix::replay {

using platform::headless::HeadlessServices;

std::string dumpJson(const game::Form1& form, const HeadlessServices& services,
                     std::uint64_t ticks);

// Shortest decimals that read back as the same value; "inf", "-inf" and
// "nan" as JSON strings.
void appendNumber(std::string& out, float v);
void appendNumber(std::string& out, double v);
void appendString(std::string& out, const std::string& s);

}  // namespace brontix::replay
