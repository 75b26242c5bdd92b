// Tells a picture drawn at twice the size from a 1x picture whose pixels were only doubled.
#include "tests/support/DoubledPixels.h"

#include <algorithm>

namespace mukiro::testing {

namespace {

bool oneColour(const QImage& image, int x, int y) {
    const QRgb first = image.pixel(x, y);
    return image.pixel(x + 1, y) == first && image.pixel(x, y + 1) == first &&
           image.pixel(x + 1, y + 1) == first;
}

bool sameBlocks(const QImage& image, int x, int y, int dx, int dy) {
    for (int j = 0; j < 2; ++j) {
        for (int i = 0; i < 2; ++i) {
            if (image.pixel(x + i, y + j) != image.pixel(x + dx + i, y + dy + j)) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace

double doubledPixelShare(const QImage& image, const QRect& area) {
    const QRect inside = area.intersected(image.rect());
    double most = 0;
    for (int py = 0; py < 2; ++py) {
        for (int px = 0; px < 2; ++px) {
            long edges = 0;
            long uniform = 0;
            for (int y = inside.top() + py; y + 3 <= inside.bottom(); y += 2) {
                for (int x = inside.left() + px; x + 3 <= inside.right(); x += 2) {
                    const bool single = oneColour(image, x, y);
                    if (single && sameBlocks(image, x, y, 2, 0) && sameBlocks(image, x, y, 0, 2)) {
                        continue;  // inside a flat area, not on an edge
                    }
                    ++edges;
                    uniform += single ? 1 : 0;
                }
            }
            if (edges > 0) {
                most = std::max(most, static_cast<double>(uniform) / static_cast<double>(edges));
            }
        }
    }
    return most;
}

}  // namespace mukiro::testing
