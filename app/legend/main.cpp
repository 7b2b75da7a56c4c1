// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// brontix-legend: the legend of the ten capsules, from the table the game
// applies, as the README's table (--markdown), the manual page's section
// (--man) or a picture of their swatches (--svg). scripts/legend writes
// them into place and checks that they are.
#include <cstdio>
#include <cstring>
#include <string>

#include "session/session.h"

namespace {

using brontix::session::CapsuleLegend;

std::string hex(const CapsuleLegend& c) {
    char s[8];
    std::snprintf(s, sizeof s, "#%06X", static_cast<unsigned>(c.rgb));
    return s;
}

void markdown() {
    std::printf("| Colour | | Effect |\n|---|---|---|\n");
    for (const CapsuleLegend& c : brontix::session::capsuleLegend())
        std::printf("| %.*s | `%s` | **%.*s**: %.*s |\n", static_cast<int>(c.colour.size()),
                    c.colour.data(), hex(c).c_str(), static_cast<int>(c.effect.size()),
                    c.effect.data(), static_cast<int>(c.words.size()), c.words.data());
}

void man() {
    for (const CapsuleLegend& c : brontix::session::capsuleLegend())
        std::printf(".TP\n.BR \"%.*s\" \" (%s)\"\n%.*s: %.*s.\n", static_cast<int>(c.colour.size()),
                    c.colour.data(), hex(c).c_str(), static_cast<int>(c.effect.size()),
                    c.effect.data(), static_cast<int>(c.words.size()), c.words.data());
}

// A capsule's swatch as the game draws one (a 16 x 8 pill, here at twice
// the size) on a light ground, with its colour's name and its effect.
void svg() {
    constexpr int kRow = 28, kWidth = 720;
    const auto legend = brontix::session::capsuleLegend();
    std::printf(
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\" "
        "font-family=\"DejaVu Sans, sans-serif\" font-size=\"13\">\n"
        "<rect width=\"100%%\" height=\"100%%\" fill=\"#f4f4f4\"/>\n",
        kWidth, kRow * static_cast<int>(legend.size()) + 8);
    int y = 4;
    for (const CapsuleLegend& c : legend) {
        std::printf(
            "<rect x=\"8\" y=\"%d\" width=\"32\" height=\"16\" rx=\"8\" fill=\"%s\" "
            "stroke=\"#404040\"/>\n<text x=\"52\" y=\"%d\"><tspan "
            "font-weight=\"bold\">%.*s</tspan> "
            "%.*s: %.*s</text>\n",
            y + 6, hex(c).c_str(), y + 19, static_cast<int>(c.colour.size()), c.colour.data(),
            static_cast<int>(c.effect.size()), c.effect.data(), static_cast<int>(c.words.size()),
            c.words.data());
        y += kRow;
    }
    std::printf("</svg>\n");
}

}  // namespace

int main(int argc, char** argv) {
    const char* form = argc == 2 ? argv[1] : "";
    if (std::strcmp(form, "--markdown") == 0)
        markdown();
    else if (std::strcmp(form, "--man") == 0)
        man();
    else if (std::strcmp(form, "--svg") == 0)
        svg();
    else {
        std::fprintf(stderr, "usage: brontix-legend --markdown | --man | --svg\n");
        return 2;
    }
    return 0;
}
