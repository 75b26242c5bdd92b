// Tells the toolkit's accessibility layer how to present the game's own widgets.
#pragma once

namespace mukiro::ui {

class GameAccessibility {
  public:
    // Registers the game's accessible interfaces. Call before the window's widgets are first
    // asked for (the toolkit keeps the first interface it makes for each); calling it again
    // does nothing.
    static void install();
};

}  // namespace mukiro::ui
