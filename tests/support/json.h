// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// A small JSON reader for checking the replay driver's dumps.
#pragma once

#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace brontix::testing {

struct Json {
    struct Member;
    enum class Kind { Null, Bool, Number, String, Array, Object } kind = Kind::Null;
    bool boolean = false;
    double number = 0;
    std::string text;  // a string's value, or a number as written
    std::vector<Json> items;
    // In document order. (A std::pair of the incomplete Json would have to
    // be complete here, which libstdc++ 12 with clang refuses.)
    std::vector<Member> members;

    const Json& operator[](const std::string& key) const;
    const Json& operator[](std::size_t i) const { return items.at(i); }
    bool isNull() const { return kind == Kind::Null; }
    std::vector<std::string> keys() const;
};

struct Json::Member {
    std::string first;
    Json second;
};

// Throws std::runtime_error on anything that is not one JSON document.
Json parseJson(const std::string& text);

}  // namespace brontix::testing
