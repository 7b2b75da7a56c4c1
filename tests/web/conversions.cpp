// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// Prints the number conversions the replay driver relies on, for many
// values: shortest float and double text (std::to_chars) and the nearest
// float to a decimal (strtof). Built natively and for WebAssembly, the two
// outputs must be the same bytes.
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

std::uint64_t state = 0x2545F4914F6CDD1DULL;
std::uint64_t next() {  // xorshift64*
    state ^= state >> 12;
    state ^= state << 25;
    state ^= state >> 27;
    return state * 0x2545F4914F6CDD1DULL;
}

template <class T>
void print(T v) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    std::fwrite(buf, 1, static_cast<std::size_t>(r.ptr - buf), stdout);
    std::fputc('\n', stdout);
}

}  // namespace

int main(int argc, char** argv) {
    const long count = argc > 1 ? std::atol(argv[1]) : 200000;
    for (long i = 0; i < count; ++i) {
        const std::uint64_t bits = next();
        float f;
        double d;
        const auto b32 = static_cast<std::uint32_t>(bits);
        std::memcpy(&f, &b32, sizeof f);
        std::memcpy(&d, &bits, sizeof d);
        if (f == f && f - f == 0) print(f);
        if (d == d && d - d == 0) print(d);
        // Decimals as the replay's scripts write them: digits, a point, an
        // exponent, near the edges of the float range and at halfway cases.
        // One draw a statement: the order of a call's arguments is the
        // compiler's choice, and both builds must draw alike.
        const std::uint64_t fraction = next() % 1000000000;
        const int exponent = static_cast<int>(next() % 96) - 53;
        const std::string text = std::to_string(bits % 100000000) + "." + std::to_string(fraction) +
                                 "e" + std::to_string(exponent);
        const float parsed = std::strtof(text.c_str(), nullptr);
        std::uint32_t out;
        std::memcpy(&out, &parsed, sizeof out);
        std::printf("%s %08x\n", text.c_str(), static_cast<unsigned>(out));
    }
    // Every power of two and its neighbours, where rounding is hardest.
    for (int e = -149; e <= 127; ++e)
        for (int k = -2; k <= 2; ++k) print(std::ldexp(1.0f, e) * (1.0f + k * 0x1p-23f));
    return 0;
}
