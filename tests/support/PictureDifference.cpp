// How far apart two drawings of one picture are, patch by patch.
#include "tests/support/PictureDifference.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <vector>

namespace mukiro::testing {

namespace {

// How many levels two values of a channel lie apart beyond the one level that rounding moves
// them by.
int beyondRounding(int a, int b) {
    return std::max(0, std::abs(a - b) - 1);
}

}  // namespace

PictureDifference pictureDifference(const QImage& a, const QImage& b) {
    if (a.size() != b.size() || a.isNull()) {
        throw std::invalid_argument("pictureDifference: the pictures differ in size");
    }
    const QImage first = a.convertToFormat(QImage::Format_ARGB32);
    const QImage second = b.convertToFormat(QImage::Format_ARGB32);
    const int width = first.width();
    const int height = first.height();
    // Sums of the differences over every rectangle from the top-left corner, one row and one
    // column of zeros ahead, so that any patch's sum takes four look-ups.
    const auto stride = static_cast<std::size_t>(width) + 1;
    std::vector<long long> sums(stride * (static_cast<std::size_t>(height) + 1), 0);
    auto at = [&](int x, int y) -> long long& {
        return sums[static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x)];
    };
    for (int y = 0; y < height; ++y) {
        const auto* p = reinterpret_cast<const QRgb*>(first.constScanLine(y));
        const auto* q = reinterpret_cast<const QRgb*>(second.constScanLine(y));
        long long row = 0;
        for (int x = 0; x < width; ++x) {
            row += beyondRounding(qRed(p[x]), qRed(q[x])) +
                   beyondRounding(qGreen(p[x]), qGreen(q[x])) +
                   beyondRounding(qBlue(p[x]), qBlue(q[x])) +
                   beyondRounding(qAlpha(p[x]), qAlpha(q[x]));
            at(x + 1, y + 1) = at(x + 1, y) + row;
        }
    }
    const int side = std::min(std::max(4, std::min(width, height) / 16), std::min(width, height));
    PictureDifference worst;
    worst.patch = QRect(0, 0, side, side);
    for (int y = 0; y + side <= height; ++y) {
        for (int x = 0; x + side <= width; ++x) {
            const long long sum =
                at(x + side, y + side) - at(x, y + side) - at(x + side, y) + at(x, y);
            const double mean = static_cast<double>(sum) / (side * side);
            if (mean > worst.worstPatch) {
                worst.worstPatch = mean;
                worst.patch = QRect(x, y, side, side);
            }
        }
    }
    return worst;
}

}  // namespace mukiro::testing
