// brontix-replay [SCRIPT]: runs a script against the game without a window.
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

#include "replay/replay.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    if (argc > 2) {
        std::cerr << "usage: brontix-replay [SCRIPT]\n";
        return 2;
    }
    const std::string path = argc == 2 ? argv[1] : "-";
    if (path == "-") return brontix::replay::runScript(std::cin, std::cout, std::cerr);
    struct stat info {};
    if (stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
        std::cerr << "brontix-replay: cannot read '" << path << "': Is a directory\n";
        return 2;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        std::cerr << "brontix-replay: cannot open '" << path << "': " << std::strerror(errno)
                  << '\n';
        return 2;
    }
    return brontix::replay::runScript(file, std::cout, std::cerr);
}
