// Tells a picture drawn at twice the size from a 1x picture whose pixels were only doubled.
#pragma once

#include <QImage>
#include <QRect>

namespace mukiro::testing {

// Of the 2 x 2 blocks of `area` that lie on an edge (they differ from the block beside or
// below them), the share that is one colour throughout, on the most blocky of the four ways
// of laying a 2 x 2 grid over the area. A 1x picture doubled pixel by pixel gives 1; the same
// art painted at 2x gives much less, since its edges fall between the old pixels.
double doubledPixelShare(const QImage& image, const QRect& area);

}  // namespace mukiro::testing
