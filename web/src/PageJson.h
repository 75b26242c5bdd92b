// What the page reads from the game, as JSON: the window as designed, and the state to draw.
#pragma once

#include <string>

#include "rules/GameState.h"

namespace mukiro::web {

// The window, its controls and holders, the screen-reader names, the pictures with their
// descriptions, and the explanation file with what the player is told when it cannot be shown.
std::string layoutJson();

// Each control's text and colour as the state shows it, and the picture on show.
std::string stateJson(const rules::GameState& state);

}  // namespace mukiro::web
