// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// brontix: the game in its window.
#include <QApplication>
#include <QIcon>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>

#include "platform/qt/display_check.h"
#include "platform/qt/qt_game.h"
#include "session/recorder.h"

namespace {

// BRONTIX_RECORD=FILE: the session written down as a replay script, each
// line flushed as its event is handled.
std::unique_ptr<brontix::session::Recorder> openRecording() {
    const char* path = std::getenv("BRONTIX_RECORD");
    if (!path || !*path) return nullptr;
    std::FILE* file = std::fopen(path, "w");
    if (!file) {
        std::fprintf(stderr, "brontix: cannot write the recording to '%s': %s\n", path,
                     std::strerror(errno));
        std::exit(1);
    }
    return std::make_unique<brontix::session::Recorder>(
        [file, path](std::string_view line) {
            static bool failed = false;
            if (failed) return;
            if (std::fwrite(line.data(), 1, line.size(), file) != line.size() ||
                std::fflush(file) != 0) {
                failed = true;
                std::fprintf(stderr, "brontix: the recording '%s' stops here: %s\n", path,
                             std::strerror(errno));
            }
        },
        std::time(nullptr));
}

}  // namespace

int main(int, char** argv) {
    using namespace brontix::platform::qt;
    // Says in one line what keeps the window from opening, before Qt would
    // abort over it; on a Wayland desktop it asks for XWayland (see there).
    if (const auto problem = choosePlatform(QCoreApplication::libraryPaths())) {
        std::fprintf(stderr, "brontix: %s\n", problem->c_str());
        return 1;
    }
    const auto recording = openRecording();
    // The game has no command line: Qt's own options (-reverse, -style,
    // -platform, ...) must not reach it either. Its environment variables
    // still work.
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    QApplication app(qtArgc, qtArgv);
    QCoreApplication::setApplicationName("Brontix");
    QGuiApplication::setDesktopFileName("org.brontix.Brontix");
    QApplication::setWindowIcon(QIcon(":/icons/brontix.png"));

    QtGame game;
    // Closing the game window ends the program, backdrop and all.
    QObject::connect(&game.window(), &MainWindow::closed, &app, &QApplication::quit);
    game.start(recording.get());
    return app.exec();
}
