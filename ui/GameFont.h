// The one typeface the game's texts are drawn in, and its stand-ins on this system.
#pragma once

#include <QFont>

namespace mukiro::ui {

class GameFont {
  public:
    // The face every text of the window asks for.
    static const QString& family();

    // Maps the face onto an installed Japanese proportional gothic, and makes it the face the
    // desktop's own font falls back to for Japanese. Call once, after the application object
    // exists and before the first window is made.
    static void installSubstitutes();

    // The game's face with its text `pixels` high, regular weight.
    static QFont ofPixelSize(int pixels);
};

}  // namespace mukiro::ui
