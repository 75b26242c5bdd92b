// Finds where on a screenshot a colour lies.
#include "tests/support/ColourArea.h"

#include <algorithm>

namespace mukiro::testing {

std::optional<QRect> areaOfColour(const QImage& screen, QColor colour) {
    const QImage image = screen.convertToFormat(QImage::Format_RGB32);
    const QRgb wanted = colour.rgb();
    int left = image.width();
    int top = image.height();
    int right = -1;
    int bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((line[x] | 0xFF000000u) == wanted) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    if (right < 0) {
        return std::nullopt;
    }
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

}  // namespace mukiro::testing
