// The light colours the game window is drawn in, whatever colours the desktop uses.
#pragma once

#include <QPalette>

namespace mukiro::ui {

// The window was laid out on a light surface, and the rules paint status values black and red
// and the version line blue. On a dark desktop palette those would sink into the background
// (black on near-black), so the window, its menu and its Messages keep these colours of their
// own: every text stays at 3:1 or better against what lies behind it, on any theme.
class GamePalette {
  public:
    static QPalette light();
};

}  // namespace mukiro::ui
