// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// brontix: the game in its window; `brontix FILE` watches a recording.
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
#include "platform/qt/quit_on_signals.h"
#include "platform/qt/recording_file.h"
#include "platform/qt/viewer_window.h"
#include "session/recorder.h"
#include "viewer/viewer.h"

namespace {

using brontix::platform::qt::openRecordingFile;
using brontix::platform::qt::WatchedRecording;

// BRONTIX_RECORD=FILE: the session written down as a replay script, each
// line written as its event is handled, to a file or a pipe.
struct Recording {
    std::unique_ptr<brontix::platform::qt::RecordingFile> file;
    std::unique_ptr<brontix::session::Recorder> recorder;
};

Recording openRecording() {
    using brontix::platform::qt::RecordingFile;
    const char* path = std::getenv("BRONTIX_RECORD");
    if (!path || !*path) return {};
    auto opened = RecordingFile::open(path);
    if (auto* why = std::get_if<std::string>(&opened)) {
        std::fprintf(stderr, "brontix: cannot write the recording to '%s': %s\n", path,
                     why->c_str());
        std::exit(1);
    }
    Recording r;
    r.file = std::move(std::get<std::unique_ptr<RecordingFile>>(opened));
    r.recorder = std::make_unique<brontix::session::Recorder>(
        [file = r.file.get()](std::string_view line) { file->write(line); }, std::time(nullptr));
    return r;
}

// The recording FILE, ready to watch; or, when it cannot be read or is no
// script, one line on standard error and the end.
WatchedRecording openWatched(const char* path) {
    auto opened = openRecordingFile(path);
    if (auto* why = std::get_if<std::string>(&opened)) {
        std::fprintf(stderr, "brontix: %s\n", why->c_str());
        std::exit(1);
    }
    return std::move(std::get<WatchedRecording>(opened));
}

}  // namespace

int main(int argc, char** argv) {
    using namespace brontix::platform::qt;
    // No options: one argument at most, a recording to watch.
    if (argc > 2 || (argc == 2 && argv[1][0] == '-')) {
        std::fprintf(stderr, "usage: brontix [RECORDING.brontix]\n");
        return 2;
    }
    auto watched = argc == 2 ? openWatched(argv[1]) : WatchedRecording{};
    // Says in one line what keeps the window from opening, before Qt would
    // abort over it; on a Wayland desktop it asks for XWayland (see there).
    if (const auto problem = choosePlatform(QCoreApplication::libraryPaths())) {
        std::fprintf(stderr, "brontix: %s\n", problem->c_str());
        return 1;
    }
    // Watching records nothing.
    const Recording recording = watched.viewer ? Recording{} : openRecording();
    // The game has no command line: Qt's own options (-reverse, -style,
    // -platform, ...) must not reach it either. Its environment variables
    // still work.
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    QApplication app(qtArgc, qtArgv);
    QCoreApplication::setApplicationName("Brontix");
    QGuiApplication::setDesktopFileName("org.brontix.Brontix");
    QApplication::setWindowIcon(QIcon(":/icons/brontix.png"));

    const QuitOnSignals quitOnSignals;
    if (watched.viewer) {
        ViewerWindow viewer(std::move(watched.viewer), watched.cut);
        viewer.show();
        return app.exec();
    }
    QtGame game;
    // Closing the game window ends the program, backdrop and all.
    QObject::connect(&game.window(), &MainWindow::closed, &app, &QApplication::quit);
    game.start(recording.recorder.get());
    return app.exec();
}
