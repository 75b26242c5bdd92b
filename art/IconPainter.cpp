// Draws the game's desktop icon: the champion of the level-5 picture on a rounded tile.
#include "art/IconPainter.h"

#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QRectF>
#include <algorithm>

#include "art/FigurePainter.h"
#include "art/Palette.h"
#include "art/PictureBook.h"

namespace mukiro::art {

namespace {

// Squares of the 200 x 200 picture, centred on him. The larger one holds his head, his
// shoulders and his chest down to the top of the briefs; the smaller one his head and
// shoulders only.
const QRectF kTorso{Figure::centreX - 60.0, 3.0, 120.0, 120.0};
const QRectF kHeadAndShoulders{Figure::centreX - 41.0, 3.0, 82.0, 82.0};
constexpr int kLargestSmallSize = 32;

}  // namespace

QImage IconPainter::draw(int side) {
    QImage icon(side, side, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    paint(painter, side);
    painter.end();
    return icon.convertToFormat(QImage::Format_ARGB32);
}

void IconPainter::paint(QPainter& painter, int side) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);

    const double size = side;
    const double margin = std::max(0.5, size / 32.0);
    const QRectF tileRect(margin, margin, size - 2 * margin, size - 2 * margin);
    const double radius = size * 0.18;
    QPainterPath tile;
    tile.addRoundedRect(tileRect, radius, radius);
    painter.fillPath(tile, palette::kBackground);

    painter.save();
    painter.setClipPath(tile);
    const QRectF& crop = side <= kLargestSmallSize ? kHeadAndShoulders : kTorso;
    const double scale = tileRect.width() / crop.width();
    painter.translate(tileRect.topLeft());
    painter.scale(scale, scale);
    painter.translate(-crop.topLeft());
    FigurePainter(painter, PictureBook::atLevel(5)).paint();
    painter.restore();

    // The tile's rim, a pixel wide at any size, so the icon holds on light and dark panels.
    painter.setPen(QPen(palette::kOutline, std::max(1.0, size / 64.0)));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(tile);
    painter.restore();
}

}  // namespace mukiro::art
