// Draws each picture of the game's picture set from its description.
#pragma once

#include <QImage>

#include "Figure.h"
#include "rules/Picture.h"

namespace mukiro::tools {

class PictureBook {
  public:
    static constexpr int kSide = 200;

    // The picture as the game shows it: 200 x 200, 24-bit colour.
    QImage draw(rules::Picture picture) const;

    // The man at each macho level, 1 to 5; the desktop icon shows him at level 5.
    static Figure atLevel(int level);

  private:
    static Figure plump();
    static Figure bandaged();

    static QImage man(const Figure& figure, bool shining);
    static QImage grave();
};

}  // namespace mukiro::tools
