// Draws each picture of the game's picture set from its description.
#pragma once

#include <QImage>

#include "art/Figure.h"
#include "rules/Picture.h"

namespace mukiro::art {

class PictureBook {
  public:
    static constexpr int kSide = 200;

    // The picture as the game shows it: 200 x 200, 24-bit colour.
    QImage draw(rules::Picture picture) const { return draw(picture, 1.0); }

    // The same picture for a screen scaled by `ratio`: 200 * ratio pixels a side (rounded),
    // painted afresh at that size rather than enlarged, with the image's device pixel ratio
    // set so that it still covers 200 x 200 logical pixels. At 1 it is the picture above,
    // pixel for pixel. Throws std::runtime_error when the gravestone's face is missing.
    QImage draw(rules::Picture picture, double ratio) const;

    // The man at each macho level, 1 to 5; the desktop icon shows him at level 5.
    static Figure atLevel(int level);

  private:
    static Figure plump();
    static Figure bandaged();

    static QImage man(const Figure& figure, bool shining, double ratio);
    static QImage grave(double ratio);
};

}  // namespace mukiro::art
