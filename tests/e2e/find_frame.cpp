// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// Where a frame appears, pixel for pixel, in a screenshot: both binary PPMs.
//   find_frame SCREENSHOT.ppm FRAME.ppm   -> prints "X Y", or exits 1
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

namespace {

struct Picture {
    int width = 0, height = 0;
    std::string rgb;
    const char* row(int y) const { return rgb.data() + static_cast<std::size_t>(y) * width * 3; }
};

bool read(const char* path, Picture& p) {
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int maxval = 0;
    if (!(in >> magic >> p.width >> p.height >> maxval) || magic != "P6" || maxval != 255)
        return false;
    in.get();
    p.rgb.assign(std::istreambuf_iterator<char>(in), {});
    return p.rgb.size() == static_cast<std::size_t>(p.width) * p.height * 3;
}

}  // namespace

int main(int argc, char** argv) {
    Picture screen, frame;
    if (argc != 3 || !read(argv[1], screen) || !read(argv[2], frame)) return 2;
    const std::size_t line = static_cast<std::size_t>(frame.width) * 3;
    // A row of the frame with its bricks and lines is rare enough to look
    // for; every place it is found is then checked whole.
    const int probe = frame.height / 2;
    for (int y = probe; y + frame.height - probe <= screen.height; ++y) {
        const char* row = screen.row(y);
        const char* end = row + static_cast<std::size_t>(screen.width) * 3;
        for (const char* at = row;
             (at = std::search(at, end, frame.row(probe), frame.row(probe) + line)) != end; ++at) {
            if ((at - row) % 3) continue;
            const int x = static_cast<int>((at - row) / 3), top = y - probe;
            bool all = true;
            for (int r = 0; r < frame.height && all; ++r)
                all = std::equal(frame.row(r), frame.row(r) + line, screen.row(top + r) + x * 3);
            if (all) {
                std::printf("%d %d\n", x, top);
                return 0;
            }
        }
    }
    return 1;
}
