// What the page reads from the game, as JSON: the window as designed, and the state to draw.
#pragma once

#include <string>

#include "window/Midend.h"
#include "window/Screen.h"

namespace mukiro::web {

// The window, its controls and holders, the screen-reader names, the pictures with their
// descriptions, and the explanation file with what the player is told when it cannot be shown.
std::string layoutJson();

// Each status control as the screen shows it (text, ink, visibility, whether to write it),
// and the picture on show.
std::string screenJson(const window::Screen& screen);

// A handler's steps in order, each cue by name and each Message with the screen behind it,
// then the screen after.
std::string runJson(const window::HandlerRun& run);

}  // namespace mukiro::web
