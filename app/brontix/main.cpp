// brontix: the game in its window.
#include <QApplication>
#include <QIcon>
#include <cstdio>
#include <cstdlib>

#include "game/game.h"
#include "input/input.h"
#include "platform/qt/main_window.h"
#include "platform/qt/qt_services.h"
#include "platform/qt/tick_pacer.h"
#include "tick/tick.h"

namespace {

bool haveDisplay() {
    auto set = [](const char* name) {
        const char* v = std::getenv(name);
        return v && *v;
    };
    return set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM");
}

}  // namespace

int main(int, char** argv) {
    using namespace brontix;
    if (!haveDisplay()) {
        std::fprintf(stderr,
                     "brontix: no display found (DISPLAY and WAYLAND_DISPLAY are unset); on a "
                     "machine without a screen, xvfb-run make run works\n");
        return 1;
    }
    // A Wayland client cannot place its windows, and full-screen mode
    // centres the game window on its backdrop: on a Wayland desktop the
    // game runs through XWayland unless the platform is chosen by hand.
    if (!std::getenv("QT_QPA_PLATFORM") && std::getenv("DISPLAY") && *std::getenv("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    // A frame repaints a few small rectangles 64 times a second. Through
    // shared memory every flush waits for the X server's completion event,
    // a round trip and a thread hand-off per frame; sending the few
    // kilobytes costs less.
    if (!std::getenv("QT_XCB_NO_MITSHM")) qputenv("QT_XCB_NO_MITSHM", "1");
    // The game has no command line: Qt's own options (-reverse, -style,
    // -platform, ...) must not reach it either. Its environment variables
    // still work.
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    QApplication app(qtArgc, qtArgv);
    QCoreApplication::setApplicationName("Brontix");
    QGuiApplication::setDesktopFileName("org.brontix.Brontix");
    QApplication::setWindowIcon(QIcon(":/icons/brontix.png"));

    platform::qt::MainWindow window(game::kFormBackColor);
    platform::qt::QtServices services(window);
    game::Form1 form(services);
    game::Form_Load(form);
    platform::qt::Playfield* field = window.playfield();
    field->setScene(&form);

    // The frame is painted at once after the ticks of a wake-up: no event
    // is posted for it, so no extra pass of the event loop.
    platform::qt::TickPacer pacer([&] { return form.Timer1.Enabled; },
                                  [&] { return tick::expire(form); },
                                  [field] { return field->refresh(true); });
    // Every handler is followed by a refresh, so what it changed shows, and
    // by waking the pacer, in case the handler switched the timer on.
    auto handled = [field, &pacer](auto handler) {
        return [field, &pacer, handler] {
            handler();
            field->refresh();
            pacer.resume();
        };
    };
    QObject::connect(window.newGameAction(), &QAction::triggered,
                     handled([&] { game::ng_Click(form); }));
    QObject::connect(window.demoAction(), &QAction::triggered,
                     handled([&] { input::mnuDemo_Click(form); }));
    QObject::connect(window.fullScreenAction(), &QAction::triggered,
                     handled([&] { input::mnuFS_Click(form); }));
    QObject::connect(field, &platform::qt::Playfield::pointerMoved, [&](float x, float y) {
        input::Form_MouseMove(form, 0, 0, x, y);
        field->refresh();
    });
    QObject::connect(field, &platform::qt::Playfield::clicked,
                     handled([&] { input::Form_Click(form); }));
    QObject::connect(field, &platform::qt::Playfield::characterTyped,
                     [&](int code) { handled([&] { input::Form_KeyPress(form, code); })(); });
    // Closing the game window ends the program, backdrop and all.
    QObject::connect(&window, &platform::qt::MainWindow::closed, &app, &QApplication::quit);

    window.show();
    pacer.start();
    return app.exec();
}
