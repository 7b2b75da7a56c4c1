// The game on the real Qt platform, as the program sets it up.
#pragma once

#include "game/game.h"
#include "platform/qt/main_window.h"
#include "platform/qt/qt_services.h"

namespace brontix::testing {

struct QtGame {
    QtGame() {
        game::Form_Load(form);
        window.playfield()->setScene(&form);
    }

    platform::qt::MainWindow window{game::kFormBackColor};
    platform::qt::QtServices services{window};
    game::Form1 form{services};
};

// &HBBGGRR of a pixel.
inline platform::Colour bgr(QRgb p) { return qRed(p) | (qGreen(p) << 8) | (qBlue(p) << 16); }

}  // namespace brontix::testing
