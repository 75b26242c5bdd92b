// One thing the player meets while a handler runs: a cue to start, or a Message to read.
#pragma once

#include <string>

#include "window/Screen.h"

namespace mukiro::window {

struct Step {
    enum class Kind { cue, message };

    Kind kind;
    std::string text;  // the cue's file name, or the Message's words (UTF-8)
    // Messages only: the window behind the Message, as it stands at this step.
    Screen behind;

    friend bool operator==(const Step&, const Step&) = default;
};

}  // namespace mukiro::window
