// The game as the web page runs it: the midend over the rules, its steps handed to the page.
// Every exported function returns at once; the page plays the steps out (cues, Messages it
// waits for) itself, so nothing waits inside the rules.
#include <emscripten/emscripten.h>

#include <optional>
#include <string>
#include <utility>

#include "web/src/PageJson.h"
#include "window/ExplanationText.h"
#include "window/KeyboardPoke.h"
#include "window/Midend.h"

namespace {

mukiro::window::Midend midend;
// Where a poke from the keyboard lands, moved by the arrow keys.
mukiro::window::KeyboardPoke keyboardPoke;
// What the last call handed to the page; it stays valid until the next call.
std::string reply;

// The keyboard aim's moves as the page numbers them (AIM in web/game-module.js).
enum class PageAim : int { left = 0, right = 1, up = 2, down = 3 };

// A poke's button and modifier keys as the page numbers them (BUTTON and MODIFIER in
// web/game-module.js): the desktop's mouse codes, which the rules take as they are.
enum PageButton : int { kNoButton = 0, kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };
enum PageModifier : int { kShiftKey = 1, kControlKey = 2, kAltKey = 4 };

const char* answer(std::string text) {
    reply = std::move(text);
    return reply.c_str();
}

}  // namespace

extern "C" {

// The window as designed: every control, the names a screen reader hears, the pictures.
EMSCRIPTEN_KEEPALIVE const char* mukiro_layout() {
    return answer(mukiro::web::layoutJson());
}

// Start-up once the page can sound: the window's state is as designed until then.
EMSCRIPTEN_KEEPALIVE const char* mukiro_form_load() {
    return answer(mukiro::web::runJson(midend.start()));
}

// The window as last drawn.
EMSCRIPTEN_KEEPALIVE const char* mukiro_state() {
    return answer(mukiro::web::screenJson(midend.screen()));
}

// The steps of the button `name`'s handler; null for a name no button has.
EMSCRIPTEN_KEEPALIVE const char* mukiro_click(const char* name) {
    const std::optional<mukiro::window::HandlerRun> run = midend.press(name);
    return answer(run ? mukiro::web::runJson(*run) : "null");
}

// The steps of the poke on the body picture, in pixels of its 200 x 200 picture area: `button`
// one of PageButton, `modifiers` the PageModifier bits held.
EMSCRIPTEN_KEEPALIVE const char* mukiro_poke(int button, int modifiers, float x, float y) {
    return answer(mukiro::web::runJson(
        midend.poke(static_cast<short>(button),
                    static_cast<short>(modifiers & (kShiftKey | kControlKey | kAltKey)), x, y)));
}

// Moves the keyboard's aim one step (`direction` one of PageAim); false where it stays.
EMSCRIPTEN_KEEPALIVE bool mukiro_aim_move(int direction) {
    using mukiro::window::AimMove;
    switch (static_cast<PageAim>(direction)) {
        case PageAim::left:
            return keyboardPoke.move(AimMove::left);
        case PageAim::right:
            return keyboardPoke.move(AimMove::right);
        case PageAim::up:
            return keyboardPoke.move(AimMove::up);
        case PageAim::down:
            return keyboardPoke.move(AimMove::down);
    }
    return false;
}

EMSCRIPTEN_KEEPALIVE int mukiro_aim_x() {
    return keyboardPoke.aim().x;
}

EMSCRIPTEN_KEEPALIVE int mukiro_aim_y() {
    return keyboardPoke.aim().y;
}

// The explanation viewer's text from the file's decoded text.
EMSCRIPTEN_KEEPALIVE const char* mukiro_viewer_text(const char* decoded) {
    return answer(mukiro::window::viewerTextOf(decoded));
}

}  // extern "C"
