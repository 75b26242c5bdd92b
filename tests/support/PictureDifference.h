// How far apart two drawings of one picture are, as the eye judges them: part by part, and not
// counting the level by which rounding moves a colour, so that the anti-aliased edges another
// processor rounds a hair differently pass, and a change of the art does not.
#pragma once

#include <QImage>
#include <QRect>

namespace mukiro::testing {

// The most two drawings of one picture may differ by in any patch and still be the same
// picture: levels beyond the first, per pixel, red, green, blue and alpha added up.
//
// Another processor rounds a few anti-aliased pixels a level otherwise: Qt's raster engine
// turns premultiplied colours back through the processor's approximate reciprocal (which lands
// a level off exact rounding for 1 in 40 colours here), and the maths library may differ in the
// last bit of a sine or an arc tangent. A fresh drawing of the desktop icons on another machine
// differed from the committed one in 4 bytes at 64 pixels and 44 at 512: a level each counts 0
// here. Painting all of the art 1/10 000 of a pixel off, far more than any rounding, gives at
// most 0.3. The smallest changes of the art tried give 1.9 and more: the background or the
// icon's tile 3 levels bluer, his skin 4 levels redder, a dot of the size of his nipple more (on
// the icons from 64 pixels up), a little less muscle, another expression, a rim a quarter wider
// or a smaller corner radius.
inline constexpr double kSamePictureTolerance = 1.0;

struct PictureDifference {
    // The mean over the patch that differs most: 0 when no channel of it differs by more than a
    // level, 3 where one channel moved by 4 levels throughout.
    double worstPatch = 0;
    QRect patch;  // where it lies
};

// Compares `a` and `b` (the same size) over every square patch of a sixteenth of their side, at
// least 4 pixels, wherever it lies; colours are compared unpremultiplied, as files store them.
PictureDifference pictureDifference(const QImage& a, const QImage& b);

}  // namespace mukiro::testing
