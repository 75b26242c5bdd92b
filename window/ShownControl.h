// One status control as a state shows it: what a front end draws into the control of that name.
#pragma once

#include <string>
#include <string_view>

#include "window/WindowLayout.h"

namespace mukiro::window {

struct ShownControl {
    std::string_view name;  // the control's name in the layout
    std::string text;       // UTF-8
    TextColour ink;
    bool visible;
    // False where the control keeps what it holds: the sacrifice box is the player's to type
    // into, and is written only when a restart has written the count since it was last drawn.
    bool write;

    friend bool operator==(const ShownControl&, const ShownControl&) = default;
};

}  // namespace mukiro::window
