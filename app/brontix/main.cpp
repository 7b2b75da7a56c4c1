// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// brontix: the game in its window; `brontix FILE` watches a recording,
// `brontix FILE1 FILE2` two games of one wall.
#include <QApplication>
#include <QIcon>
#include <QMessageBox>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>

#include "platform/qt/display_check.h"
#include "platform/qt/qt_game.h"
#include "platform/qt/quit_on_signals.h"
#include "platform/qt/recording_file.h"
#include "platform/qt/viewer_window.h"
#include "session/recorder.h"
#include "viewer/viewer.h"

namespace {

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

}  // namespace

int main(int argc, char** argv) {
    using namespace brontix::platform::qt;
    // One option, a race on a wall; else a recording to watch, or two to
    // compare.
    const bool racing = argc == 3 && std::strcmp(argv[1], "--race") == 0;
    const auto wall = racing ? brontix::session::raceWall(argv[2]) : std::nullopt;
    if (racing && !wall) {
        std::fprintf(stderr, "brontix: not a wall: '%s' (%s)\n", argv[2],
                     std::string(brontix::session::kWallRule).c_str());
        return 2;
    }
    const bool option = (argc >= 2 && argv[1][0] == '-') || (argc >= 3 && argv[2][0] == '-');
    if (!racing && (argc > 3 || option)) {
        std::fprintf(stderr, "usage: brontix [RECORDING.brontix [OTHER.brontix] | --race WALL]\n");
        return 2;
    }
    auto watched = racing      ? std::variant<WatchedRecording, std::string>{}
                   : argc == 2 ? openRecordingFile(argv[1])
                   : argc == 3 ? openComparison(argv[1], argv[2])
                               : std::variant<WatchedRecording, std::string>{};
    // A recording that cannot be watched is said on standard error, and in
    // a box where there is a screen: opened from a file manager, nobody
    // sees standard error.
    const auto* cannot = std::get_if<std::string>(&watched);
    if (cannot) std::fprintf(stderr, "brontix: %s\n", cannot->c_str());
    // Says in one line what keeps the window from opening, before Qt would
    // abort over it; on a Wayland desktop it asks for XWayland (see there).
    if (const auto problem = choosePlatform(QCoreApplication::libraryPaths())) {
        if (!cannot) std::fprintf(stderr, "brontix: %s\n", problem->c_str());
        return 1;
    }
    auto* toWatch = std::get_if<WatchedRecording>(&watched);
    if (toWatch && !toWatch->viewer) toWatch = nullptr;
    // Watching records nothing.
    const Recording recording = toWatch || cannot ? Recording{} : openRecording();
    // The game has no command line: Qt's own options (-reverse, -style,
    // -platform, ...) must not reach it either. Its environment variables
    // still work.
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    QApplication app(qtArgc, qtArgv);
    QCoreApplication::setApplicationName("Brontix");
    QGuiApplication::setDesktopFileName("org.brontix.Brontix");
    QApplication::setWindowIcon(QIcon(":/icons/brontix.png"));

    if (cannot) {
        QMessageBox::critical(nullptr, "Brontix",
                              QString(argc == 3 ? "These recordings cannot be compared: "
                                                : "This recording cannot be watched: ") +
                                  QString::fromStdString(*cannot));
        return 1;
    }
    const QuitOnSignals quitOnSignals;
    if (toWatch) {
        ViewerWindow viewer(std::move(*toWatch));
        viewer.show();
        return app.exec();
    }
    QtGame game;
    // Closing the game window ends the program, backdrop and all.
    QObject::connect(&game.window(), &MainWindow::closed, &app, &QApplication::quit);
    game.start(recording.recorder.get());
    if (wall) game.race(*wall);
    return app.exec();
}
