// The game as the web page runs it: the rules over the page's Message dialog and Web Audio.
// The page calls the exported functions below; a handler that shows a Message suspends until
// the player dismisses the dialog, and the page awaits the handler's promise meanwhile.
#include <emscripten/em_js.h>
#include <emscripten/emscripten.h>

#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "rules/Game.h"
#include "web/src/PageJson.h"
#include "window/ExplanationText.h"
#include "window/KeyboardPoke.h"

namespace {

using mukiro::rules::Game;

// The page draws the state it is handed, then waits for the player to close the dialog.
EM_ASYNC_JS(void, pageShowMessage, (const char* text, const char* state),
            { await Module.showMessage(UTF8ToString(text), JSON.parse(UTF8ToString(state))); });

// The page starts the cue at once and returns; it never waits for the sound.
EM_JS(void, pagePlayCue, (const char* name), { Module.playCue(UTF8ToString(name)); });

class PageHost final : public mukiro::rules::CuePlayer, public mukiro::rules::MessageSink {
  public:
    void watch(const Game& game) { game_ = &game; }

    void play(std::string_view name) override { pagePlayCue(std::string(name).c_str()); }

    void show(std::string_view text) override {
        const std::string state = mukiro::web::stateJson(game_->state());
        pageShowMessage(std::string(text).c_str(), state.c_str());
    }

  private:
    const Game* game_ = nullptr;
};

PageHost host;
std::optional<Game> game;
// Where a poke from the keyboard lands, moved by the arrow keys.
mukiro::window::KeyboardPoke keyboardPoke;
// What the last call handed to the page; it stays valid until the next call.
std::string reply;

const char* answer(std::string text) {
    reply = std::move(text);
    return reply.c_str();
}

// The handler that each button of the window runs, by the button's name.
constexpr std::pair<std::string_view, void (Game::*)()> kButtons[] = {
    {"Command1", &Game::Command1_Click},
    {"purotein", &Game::purotein_Click},
    {"toreining", &Game::toreining_Click},
    {"kuream", &Game::kuream_Click},
    {"eat", &Game::eat_Click},
    {"saron", &Game::saron_Click},
    {"esute", &Game::esute_Click},
    {"pojingu", &Game::pojingu_Click},
    {"baito", &Game::baito_Click},
    {"Command5", &Game::Command5_Click},
};

}  // namespace

extern "C" {

// The window as designed: every control, the names a screen reader hears, the pictures.
EMSCRIPTEN_KEEPALIVE const char* mukiro_layout() {
    return answer(mukiro::web::layoutJson());
}

// Start-up once the page can sound: the window's state is as designed until then.
EMSCRIPTEN_KEEPALIVE void mukiro_form_load() {
    game.emplace(host, host);
    host.watch(*game);
    game->Form_Load();
}

EMSCRIPTEN_KEEPALIVE const char* mukiro_state() {
    return answer(game ? mukiro::web::stateJson(game->state())
                       : mukiro::web::stateJson(mukiro::rules::GameState{}));
}

// Runs the handler of the button `name` to its end; false for a name no button has.
EMSCRIPTEN_KEEPALIVE bool mukiro_click(const char* name) {
    for (const auto& [button, handler] : kButtons) {
        if (button == name) {
            (*game.*handler)();
            return true;
        }
    }
    return false;
}

// The poke on the body picture, in pixels of its 200 x 200 picture area.
EMSCRIPTEN_KEEPALIVE void mukiro_poke(int button, int shift, float x, float y) {
    game->now_MouseDown(static_cast<short>(button), static_cast<short>(shift), x, y);
}

// Moves the keyboard's aim one step (0 left, 1 right, 2 up, 3 down); false where it stays.
EMSCRIPTEN_KEEPALIVE bool mukiro_aim_move(int direction) {
    using mukiro::window::AimMove;
    constexpr AimMove kMoves[] = {AimMove::left, AimMove::right, AimMove::up, AimMove::down};
    if (direction < 0 || direction > 3) {
        return false;
    }
    return keyboardPoke.move(kMoves[direction]);
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
