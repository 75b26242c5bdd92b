// The handler each button of the window runs, by the button's name: one table for both front ends.
#pragma once

#include <span>
#include <string_view>

#include "rules/Game.h"

namespace mukiro::window {

struct ButtonTable {
    using Handler = void (rules::Game::*)();

    struct Entry {
        std::string_view button;  // the control's name in the layout
        Handler handler;
    };

    static std::span<const Entry> entries();
    // The handler of the button `name`, or null for a name no button has.
    static Handler handlerOf(std::string_view name);
};

}  // namespace mukiro::window
