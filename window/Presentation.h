// How a game state becomes text, ink and visibility in each status control of the window.
#pragma once

#include <cstdint>
#include <optional>

#include "rules/GameState.h"
#include "window/Screen.h"

namespace mukiro::window {

// Remembers which restart's count it last wrote into the sacrifice box, so one presentation
// belongs to one window and draws its states in the order the player sees them.
class Presentation {
  public:
    // The window as `state` shows it. The first screen writes the sacrifice box; later ones
    // write it only when `sacrificeWrites` has moved since the screen before.
    Screen draw(const rules::GameState& state);

  private:
    std::optional<std::uint64_t> sacrificeWritesShown_;
};

}  // namespace mukiro::window
