// The whole window as a state shows it: every status control and the picture on show.
#pragma once

#include <vector>

#include "rules/Picture.h"
#include "window/ShownControl.h"

namespace mukiro::window {

struct Screen {
    std::vector<ShownControl> controls;  // one per status control, always in the same order
    rules::Picture picture = rules::Picture::start;

    friend bool operator==(const Screen&, const Screen&) = default;
};

}  // namespace mukiro::window
