// Draws the game's desktop icon: the champion of the level-5 picture on a rounded tile.
#pragma once

#include <QImage>
#include <array>

class QPainter;

namespace mukiro::art {

class IconPainter {
  public:
    // The sizes a desktop looks for in the hicolor theme, in pixels a side.
    // 512 is what a desktop scaled to 200 % asks for when it shows the icon at 256.
    static constexpr std::array<int, 8> kSizes{16, 24, 32, 48, 64, 128, 256, 512};

    // A square icon with a transparent corner outside the tile. He is painted afresh at each
    // size rather than scaled from the 200 x 200 picture, so every size is sharp; the small
    // sizes show only his head and shoulders, which still read as him at 16 pixels.
    static QImage draw(int side);

  private:
    static void paint(QPainter& painter, int side);
};

}  // namespace mukiro::art
