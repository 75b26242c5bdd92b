// Paints the death picture: a gravestone on brown earth under a blue sky.
#include "art/GravePainter.h"

#include <QFont>
#include <QFontInfo>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <stdexcept>

#include "art/Palette.h"

namespace mukiro::art {

namespace {

constexpr double kStoneLeft = 76;
constexpr double kStoneRight = 124;
constexpr double kStoneTop = 46;
constexpr double kStoneBottom = 146;
constexpr double kGround = 140;

QPainterPath polygon(std::initializer_list<QPointF> points) {
    QPainterPath path;
    bool first = true;
    for (const QPointF& p : points) {
        if (first) {
            path.moveTo(p);
            first = false;
        } else {
            path.lineTo(p);
        }
    }
    path.closeSubpath();
    return path;
}

const QPen& outlinePen() {
    static const QPen pen(palette::kOutline, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    return pen;
}

}  // namespace

GravePainter::GravePainter(QPainter& painter) : painter_(painter) {}

void GravePainter::paint() {
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing, true);
    paintSky();
    paintEarth();
    paintStone();
    paintInscription();
    paintFlowers();
    painter_.restore();
}

void GravePainter::paintSky() {
    QLinearGradient sky(0, 0, 0, kGround);
    sky.setColorAt(0, palette::kSkyTop);
    sky.setColorAt(1, palette::kSkyLow);
    painter_.fillRect(QRectF(0, 0, 200, kGround + 10), sky);
    const auto cloud = [this](double x, double y, double scale) {
        QPainterPath puff;
        puff.addEllipse(QPointF(x, y), 12 * scale, 7 * scale);
        puff.addEllipse(QPointF(x + 11 * scale, y + 2 * scale), 10 * scale, 6 * scale);
        puff.addEllipse(QPointF(x - 11 * scale, y + 2.5 * scale), 9 * scale, 5.5 * scale);
        puff.setFillRule(Qt::WindingFill);
        painter_.fillPath(puff.simplified(), palette::kCloud);
    };
    cloud(34, 28, 1.0);
    cloud(164, 52, 0.8);
}

void GravePainter::paintEarth() {
    QPainterPath earth(QPointF(0, kGround + 6));
    earth.cubicTo(QPointF(50, kGround - 2), QPointF(150, kGround - 2), QPointF(200, kGround + 6));
    earth.lineTo(200, 200);
    earth.lineTo(0, 200);
    earth.closeSubpath();
    painter_.fillPath(earth, palette::kEarth);
    painter_.strokePath(earth, QPen(palette::kEarthDark, 1.4));
    // Clods and furrows in the soil.
    painter_.setPen(QPen(palette::kEarthDark, 1.6, Qt::SolidLine, Qt::RoundCap));
    for (const auto& [x, y, w] : {std::tuple{22.0, 170.0, 10.0},
                                  {150.0, 186.0, 14.0},
                                  {60.0, 192.0, 8.0},
                                  {176.0, 160.0, 9.0},
                                  {40.0, 154.0, 7.0},
                                  {120.0, 192.0, 9.0}}) {
        painter_.drawLine(QPointF(x, y), QPointF(x + w, y + 1));
    }
    painter_.setPen(Qt::NoPen);
    painter_.setBrush(palette::kEarthLight);
    for (const auto& [x, y] :
         {std::pair{30.0, 182.0}, {168.0, 172.0}, {88.0, 188.0}, {140.0, 164.0}, {12.0, 160.0}}) {
        painter_.drawEllipse(QPointF(x, y), 2.6, 1.8);
    }
    // Tufts of grass at the edge of the plot.
    painter_.setPen(QPen(palette::kGrass, 1.6, Qt::SolidLine, Qt::RoundCap));
    for (const double x : {12.0, 46.0, 160.0, 188.0}) {
        const double y = kGround + 5;
        painter_.drawLine(QPointF(x, y), QPointF(x - 3, y - 6));
        painter_.drawLine(QPointF(x, y), QPointF(x, y - 8));
        painter_.drawLine(QPointF(x, y), QPointF(x + 3, y - 6));
    }
}

void GravePainter::paintStone() {
    // Two stepped plinths, then the upright with its gently peaked top.
    const QRectF lowStep(52, 160, 96, 16);
    const QRectF highStep(64, 146, 72, 15);
    for (const QRectF& step : {lowStep, highStep}) {
        QPainterPath slab;
        slab.addRect(step);
        painter_.fillPath(slab, palette::kStone);
        painter_.fillRect(QRectF(step.left(), step.top(), step.width(), 3), palette::kStoneLight);
        painter_.fillRect(QRectF(step.right() - 8, step.top() + 3, 8, step.height() - 3),
                          palette::kStoneDark);
        painter_.strokePath(slab, outlinePen());
    }
    const QPainterPath upright = polygon({{kStoneLeft, kStoneBottom},
                                          {kStoneLeft, kStoneTop + 6},
                                          {100, kStoneTop - 2},
                                          {kStoneRight, kStoneTop + 6},
                                          {kStoneRight, kStoneBottom}});
    painter_.fillPath(upright, palette::kStone);
    painter_.fillPath(polygon({{kStoneRight - 8, kStoneTop + 5},
                               {kStoneRight, kStoneTop + 6},
                               {kStoneRight, kStoneBottom},
                               {kStoneRight - 8, kStoneBottom}}),
                      palette::kStoneDark);
    painter_.fillPath(polygon({{kStoneLeft, kStoneTop + 6},
                               {100, kStoneTop - 2},
                               {kStoneRight, kStoneTop + 6},
                               {kStoneRight - 8, kStoneTop + 9},
                               {100, kStoneTop + 4},
                               {kStoneLeft + 4, kStoneTop + 9}}),
                      palette::kStoneLight);
    painter_.strokePath(upright, outlinePen());
    painter_.strokePath(polygon({{kStoneLeft + 6, kStoneTop + 14},
                                 {kStoneRight - 14, kStoneTop + 14},
                                 {kStoneRight - 14, kStoneBottom - 6},
                                 {kStoneLeft + 6, kStoneBottom - 6}}),
                        QPen(palette::kStoneDark, 1.0));
}

void GravePainter::paintInscription() {
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPixelSize(19);
    font.setWeight(QFont::Bold);
    if (QFontInfo(font).family() != QStringLiteral("IPAPGothic")) {
        // Another face would change the picture from machine to machine.
        throw std::runtime_error("the IPAPGothic face (fonts-ipafont-gothic) is not installed");
    }
    // Carved top to bottom, as gravestones are; the outlines are filled as paths so the
    // result does not depend on the machine's text hinting.
    const QString words = QStringLiteral("○○の墓");
    QPainterPath carving;
    const double left = (kStoneLeft + kStoneRight - 8) / 2 - 9.5;
    double baseline = kStoneTop + 33;
    for (const QChar c : words) {
        carving.addText(QPointF(left, baseline), font, QString(c));
        baseline += 21;
    }
    painter_.fillPath(carving.translated(0.8, 0.8), palette::kStoneLight);
    painter_.fillPath(carving, palette::kEngraving);
}

void GravePainter::paintFlowers() {
    // A vase on each side with a few flowers left by whoever mourns him.
    for (const double x : {58.0, 142.0}) {
        QPainterPath vase;
        vase.addRoundedRect(QRectF(x - 5, 142, 10, 18), 2, 2);
        painter_.fillPath(vase, palette::kStoneDark);
        painter_.strokePath(vase, outlinePen());
        painter_.setPen(QPen(palette::kStem, 1.4, Qt::SolidLine, Qt::RoundCap));
        const QPointF heads[] = {{x - 6, 128}, {x, 124}, {x + 6, 129}};
        for (const QPointF& h : heads) {
            painter_.drawLine(QPointF(x, 143), h);
        }
        int i = 0;
        for (const QPointF& h : heads) {
            painter_.setPen(QPen(palette::kOutline, 0.8));
            painter_.setBrush(i++ % 2 == 0 ? palette::kFlowerYellow : palette::kFlowerRed);
            painter_.drawEllipse(h, 3.2, 3.2);
        }
    }
}

}  // namespace mukiro::art
