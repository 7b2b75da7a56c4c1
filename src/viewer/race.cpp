// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include "viewer/race.h"

#include "viewer/viewer.h"

namespace brontix::viewer {

std::string RaceReport::started() const { return "race on wall " + std::to_string(wall_); }

std::optional<std::string> RaceReport::ended(const session::Event& event, std::int32_t score) {
    using Kind = session::Event::Kind;
    if (over_ || (event.kind != Kind::Lost && event.kind != Kind::Won)) return std::nullopt;
    over_ = true;
    return started() + ": " + std::string(event.what) + ", score " + std::to_string(score) +
           ", play time " + minutesSeconds(event.point - from_);
}

}  // namespace brontix::viewer
