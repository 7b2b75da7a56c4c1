// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
#include "support/json.h"

#include <cstdlib>

namespace brontix::testing {

namespace {

class Reader {
public:
    explicit Reader(const std::string& s) : s_(s) {}

    Json document() {
        Json v = value();
        ws();
        if (i_ != s_.size()) fail("trailing characters");
        return v;
    }

private:
    [[noreturn]] void fail(const char* what) {
        throw std::runtime_error(std::string("json: ") + what + " at " + std::to_string(i_));
    }
    void ws() {
        while (i_ < s_.size() &&
               (s_[i_] == ' ' || s_[i_] == '\n' || s_[i_] == '\t' || s_[i_] == '\r'))
            ++i_;
    }
    bool take(char c) {
        ws();
        if (i_ < s_.size() && s_[i_] == c) {
            ++i_;
            return true;
        }
        return false;
    }
    void expect(char c) {
        if (!take(c)) fail("unexpected character");
    }
    bool word(const char* w) {
        const std::string t(w);
        if (s_.compare(i_, t.size(), t) == 0) {
            i_ += t.size();
            return true;
        }
        return false;
    }
    std::string string() {
        expect('"');
        std::string out;
        while (true) {
            if (i_ >= s_.size()) fail("unterminated string");
            const char c = s_[i_++];
            if (c == '"') return out;
            if (static_cast<unsigned char>(c) < 0x20) fail("control character in string");
            if (c != '\\') {
                out += c;
                continue;
            }
            if (i_ >= s_.size()) fail("bad escape");
            const char e = s_[i_++];
            switch (e) {
            case '"':
            case '\\':
            case '/': out += e; break;
            case 'n': out += '\n'; break;
            case 't': out += '\t'; break;
            case 'r': out += '\r'; break;
            case 'b': out += '\b'; break;
            case 'f': out += '\f'; break;
            case 'u': {
                if (i_ + 4 > s_.size()) fail("bad escape");
                const long code = std::strtol(s_.substr(i_, 4).c_str(), nullptr, 16);
                i_ += 4;
                out += static_cast<char>(code < 0x80 ? code : '?');
                break;
            }
            default: fail("bad escape");
            }
        }
    }
    Json number() {
        const std::size_t start = i_;
        if (i_ < s_.size() && s_[i_] == '-') ++i_;
        auto digits = [&] {
            const std::size_t d = i_;
            while (i_ < s_.size() && s_[i_] >= '0' && s_[i_] <= '9') ++i_;
            return i_ - d;
        };
        if (i_ < s_.size() && s_[i_] == '0')
            ++i_;
        else if (digits() == 0)
            fail("bad number");
        if (i_ < s_.size() && s_[i_] == '.') {
            ++i_;
            if (digits() == 0) fail("bad fraction");
        }
        if (i_ < s_.size() && (s_[i_] == 'e' || s_[i_] == 'E')) {
            ++i_;
            if (i_ < s_.size() && (s_[i_] == '+' || s_[i_] == '-')) ++i_;
            if (digits() == 0) fail("bad exponent");
        }
        Json v;
        v.kind = Json::Kind::Number;
        v.text = s_.substr(start, i_ - start);
        v.number = std::strtod(v.text.c_str(), nullptr);
        return v;
    }
    Json value() {
        ws();
        if (i_ >= s_.size()) fail("unexpected end");
        Json v;
        const char c = s_[i_];
        if (c == '{') {
            ++i_;
            v.kind = Json::Kind::Object;
            if (take('}')) return v;
            do {
                ws();
                std::string key = string();
                expect(':');
                v.members.push_back({std::move(key), value()});
            } while (take(','));
            expect('}');
        } else if (c == '[') {
            ++i_;
            v.kind = Json::Kind::Array;
            if (take(']')) return v;
            do v.items.push_back(value());
            while (take(','));
            expect(']');
        } else if (c == '"') {
            v.kind = Json::Kind::String;
            v.text = string();
        } else if (word("true")) {
            v.kind = Json::Kind::Bool;
            v.boolean = true;
        } else if (word("false")) {
            v.kind = Json::Kind::Bool;
        } else if (word("null")) {
            v.kind = Json::Kind::Null;
        } else {
            v = number();
        }
        return v;
    }

    const std::string& s_;
    std::size_t i_ = 0;
};

}  // namespace

const Json& Json::operator[](const std::string& key) const {
    for (const auto& [k, v] : members)
        if (k == key) return v;
    throw std::out_of_range("json: no member " + key);
}

std::vector<std::string> Json::keys() const {
    std::vector<std::string> out;
    for (const auto& m : members) out.push_back(m.first);
    return out;
}

Json parseJson(const std::string& text) { return Reader(text).document(); }

}  // namespace brontix::testing
