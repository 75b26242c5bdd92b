// The white shine marks the beauty salon leaves on the man's skin.
#include "art/ShineMarks.h"

#include <QPainter>
#include <QPainterPath>
#include <QPen>

#include "art/Palette.h"

namespace mukiro::art {

namespace {

constexpr double kCx = Figure::centreX;

QPointF at(double side, double dx, double y) {
    return {kCx + side * dx, y};
}

void streak(QPainter& painter, QPointF from, QPointF bend, QPointF to) {
    QPainterPath path(from);
    path.quadTo(bend, to);
    painter.drawPath(path);
}

// A four-pointed twinkle.
void twinkle(QPainter& painter, QPointF centre, double reach) {
    painter.drawLine(centre + QPointF(-reach, 0), centre + QPointF(reach, 0));
    painter.drawLine(centre + QPointF(0, -reach), centre + QPointF(0, reach));
}

}  // namespace

ShineMarks::ShineMarks(const Figure& figure) : figure_(figure) {}

void ShineMarks::paint(QPainter& painter) const {
    const Figure& f = figure_;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    const QPen thick(palette::kShine, 2, Qt::SolidLine, Qt::FlatCap);
    const QPen thin(palette::kShine, 1, Qt::SolidLine, Qt::FlatCap);
    for (const double s : {-1.0, 1.0}) {
        painter.setPen(thick);
        const QPointF j = f.shoulderJoint(s);
        const double upper = f.upperArmRadius();
        // Round the shoulder, down the upper arm, across the chest, down the thigh.
        streak(painter, j + QPointF(-s * 2, -4.5), j + QPointF(s * 1.5, -5),
               j + QPointF(s * 4, -2.5));
        streak(painter, j + QPointF(s * upper * 0.3, 12), j + QPointF(s * upper * 0.5, 17),
               j + QPointF(s * upper * 0.4, 23));
        streak(painter, at(s, 6, 71), at(s, 10, 69), at(s, f.chestHalf() * 0.8, 71));
        streak(painter, at(s, f.kneeCentre() + 3.5, 163), at(s, f.kneeCentre() + 4.5, 170),
               at(s, f.kneeCentre() + 4, 178));
        if (f.fat > 0.5) {
            // The fat man has a belly and cheeks to catch the light as well.
            streak(painter, at(s, f.waistHalf() * 0.3, 98), at(s, f.waistHalf() * 0.5, 101),
                   at(s, f.waistHalf() * 0.55, 110));
            streak(painter, at(s, f.chestHalf() * 0.35, 82), at(s, f.chestHalf() * 0.5, 81),
                   at(s, f.chestHalf() * 0.65, 82));
            streak(painter, at(s, 8, 33), at(s, 9.5, 32), at(s, 11, 33));
        }
        painter.setPen(thin);
        twinkle(painter, at(s, f.shoulderHalf() + 9, 50 - 4 * s), 4);
    }
    painter.setPen(thick);
    streak(painter, at(-1, 7, 14), at(-1, 3, 12), at(1, 1, 12.5));
    painter.restore();
}

}  // namespace mukiro::art
