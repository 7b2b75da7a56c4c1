// The game in a web page: the same game, drawn by the same renderer, paced
// by the same rules as the desktop. The page's script calls the functions
// exported here: one to start, one per animation frame, one per event.
#include <cstdint>
#include <memory>
#include <vector>

#include "game/game.h"
#include "input/input.h"
#include "pace/pacer.h"
#include "platform/web/page.h"
#include "platform/web/web_services.h"
#include "render/scene_renderer.h"
#include "tick/tick.h"

#define BRONTIX_EXPORT(name) extern "C" __attribute__((export_name(#name)))

namespace brontix {
namespace {

using platform::kPlayfieldHeight;
using platform::kPlayfieldWidth;

// What each call tells the page: whether it wants animation frames (the
// timer runs and no box is open) and whether a box has opened.
enum State : int { kAwake = 1, kBoxOpen = 2 };

class Page {
public:
    Page() {
        services.beforeBox = [this] { refresh(); };
        game::Form_Load(form);
        renderer.render(frame, services.picture().pixels(), form);
        present({frame.rect()});
        pacer.restart();
        asleep = !form.Timer1.Enabled;
    }

    // Ticks that have come due, and the frame they changed.
    int wake() {
        if (!services.boxOpen()) {
            pacer.wake();
            if (!services.boxOpen()) refresh();
        }
        if (!form.Timer1.Enabled) asleep = true;
        return state();
    }

    // After every handler: show what it changed, and wake the pacer if it
    // switched the timer on (with no time owed for the while it was off).
    int handled() {
        refresh();
        if (form.Timer1.Enabled && asleep) {
            pacer.restart();
            asleep = false;
        }
        return state();
    }

    int boxClosed() {
        services.boxClosed();
        pacer.restart();  // the time the box was open is not owed
        return handled();
    }

    int state() const {
        if (services.boxOpen()) return kBoxOpen;
        return asleep ? 0 : kAwake;
    }

    platform::web::WebServices services{game::kFormBackColor};
    game::Form1 form{services};
    pace::Pacer pacer{[] { return static_cast<std::int64_t>(platform::web::pageNowMs() * 1e6); },
                      [this] { return !services.boxOpen() && tick::expire(form); }};

private:
    void refresh() { present(renderer.renderChanges(frame, services.picture().pixels(), form)); }

    // The canvas wants bytes R, G, B, A; the frame holds 0xFFRRGGBB words.
    void present(const std::vector<render::Rect>& rects) {
        if (rects.empty()) return;
        rectWords.clear();
        for (const render::Rect& r : rects) {
            for (int y = r.y; y < r.bottom(); ++y) {
                const std::uint32_t* from = frame.row(y);
                std::uint32_t* to = rgba.data() + static_cast<std::size_t>(y) * kPlayfieldWidth;
                for (int x = r.x; x < r.right(); ++x) {
                    const std::uint32_t p = from[x];
                    to[x] = (p & 0xFF00FF00u) | (p >> 16 & 0xFFu) | (p & 0xFFu) << 16;
                }
            }
            rectWords.insert(rectWords.end(), {r.x, r.y, r.w, r.h});
        }
        platform::web::pagePresent(reinterpret_cast<const std::uint8_t*>(rgba.data()),
                                     rectWords.data(), static_cast<int>(rects.size()));
    }

    render::SceneRenderer renderer;
    render::PixelBuffer frame{kPlayfieldWidth, kPlayfieldHeight};
    std::vector<std::uint32_t> rgba =
        std::vector<std::uint32_t>(static_cast<std::size_t>(kPlayfieldWidth) * kPlayfieldHeight);
    std::vector<std::int32_t> rectWords;
    bool asleep = false;
};

// The page's one game, alive from brontix_start to the page's end: what
// main's locals are to the desktop program.
Page* thePage = nullptr;

}  // namespace
}  // namespace brontix

using brontix::thePage;

BRONTIX_EXPORT(brontix_start) int brontixStart() {
    if (!thePage) thePage = new brontix::Page;
    return thePage->state();
}
BRONTIX_EXPORT(brontix_wake) int brontixWake() { return thePage->wake(); }
BRONTIX_EXPORT(brontix_pointer) int brontixPointer(float x, float y) {
    brontix::input::Form_MouseMove(thePage->form, 0, 0, x, y);
    return thePage->handled();
}
BRONTIX_EXPORT(brontix_click) int brontixClick() {
    brontix::input::Form_Click(thePage->form);
    return thePage->handled();
}
BRONTIX_EXPORT(brontix_key) int brontixKey(int code) {
    brontix::input::Form_KeyPress(thePage->form, code);
    return thePage->handled();
}
// 0 "&New Game", 1 "Demo", 2 "Full Screen".
BRONTIX_EXPORT(brontix_menu) int brontixMenu(int command) {
    switch (command) {
    case 0: brontix::game::ng_Click(thePage->form); break;
    case 1: brontix::input::mnuDemo_Click(thePage->form); break;
    case 2: brontix::input::mnuFS_Click(thePage->form); break;
    default: break;
    }
    return thePage->handled();
}
BRONTIX_EXPORT(brontix_box_closed) int brontixBoxClosed() { return thePage->boxClosed(); }
// For the page's tests: ticks run so far, and whether Timer1 is on.
BRONTIX_EXPORT(brontix_ticks) double brontixTicks() {
    return static_cast<double>(thePage->pacer.ticksRun());
}
BRONTIX_EXPORT(brontix_timer) int brontixTimer() { return thePage->form.Timer1.Enabled ? 1 : 0; }
