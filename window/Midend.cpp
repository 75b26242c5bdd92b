// Between the rules and a front end: a handler's run as the steps the player meets.
#include "window/Midend.h"

#include <string>
#include <utility>

#include "window/ButtonTable.h"

namespace mukiro::window {

void Midend::Recorder::play(std::string_view name) {
    midend_.steps_.push_back({Step::Kind::cue, std::string(name), {}});
}

void Midend::Recorder::show(std::string_view text) {
    midend_.steps_.push_back(
        {Step::Kind::message, std::string(text), midend_.presentation_.draw(midend_.state())});
}

Midend::Midend(rules::GameState initial)
    : recorder_(*this), game_(recorder_, recorder_, std::move(initial)) {
    screen_ = presentation_.draw(game_.state());
}

template <typename Handler>
HandlerRun Midend::record(Handler handler) {
    steps_.clear();
    handler();
    screen_ = presentation_.draw(game_.state());
    return {std::exchange(steps_, {}), screen_};
}

HandlerRun Midend::start() {
    return record([this] { game_.Form_Load(); });
}

std::optional<HandlerRun> Midend::press(std::string_view name) {
    const ButtonTable::Handler handler = ButtonTable::handlerOf(name);
    if (handler == nullptr) {
        return std::nullopt;
    }
    return record([this, handler] { (game_.*handler)(); });
}

HandlerRun Midend::poke(short button, short shift, float x, float y) {
    return record([this, button, shift, x, y] { game_.now_MouseDown(button, shift, x, y); });
}

}  // namespace mukiro::window
