// Draws each picture of the game's picture set from its description.
#include "art/PictureBook.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "art/FigurePainter.h"
#include "art/GravePainter.h"
#include "art/Palette.h"
#include "art/ShineMarks.h"

namespace mukiro::art {

using rules::Picture;

Figure PictureBook::atLevel(int level) {
    // From a pale weakling to a dark, oiled champion: each level browner and more muscular.
    struct Stage {
        QColor skin;
        double muscle;
        Expression expression;
    };
    static const Stage stages[] = {
        {palette::kSkinPale, 0.0, Expression::timid},
        {palette::kSkinLightBrown, 0.12, Expression::calm},
        {palette::kSkinTanned, 0.4, Expression::confident},
        {palette::kSkinDeepTan, 0.7, Expression::confident},
        {palette::kSkinDarkTan, 1.0, Expression::proud},
    };
    const Stage& stage = stages[level - 1];
    Figure figure;
    figure.skin = stage.skin;
    figure.muscle = stage.muscle;
    figure.expression = stage.expression;
    figure.oiled = level == 5;
    return figure;
}

Figure PictureBook::plump() {
    Figure figure;
    figure.skin = palette::kSkinPlump;
    figure.fat = 1.0;
    figure.expression = Expression::chubby;
    return figure;
}

Figure PictureBook::bandaged() {
    Figure figure = atLevel(4);
    figure.bandaged = true;
    figure.expression = Expression::bandaged;
    return figure;
}

namespace {

// A blank picture for a screen scaled by `ratio`.
QImage blankPicture(double ratio) {
    const int side = std::max(1, static_cast<int>(std::lround(PictureBook::kSide * ratio)));
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(palette::kBackground);
    return image;
}

// Lets the painter take the 200 x 200 coordinates every painter of the set is written in. At
// 1 no transform is set at all, so the committed 1x pictures stay byte for byte what they were.
void drawInPictureCoordinates(QPainter& painter, const QImage& image) {
    if (image.width() != PictureBook::kSide) {
        const double scale = image.width() / double{PictureBook::kSide};
        painter.scale(scale, scale);
    }
}

// The finished picture still covers 200 x 200 logical pixels wherever it is drawn.
QImage finished(QPainter& painter, QImage& image) {
    painter.end();
    image.setDevicePixelRatio(image.width() / double{PictureBook::kSide});
    return image;
}

}  // namespace

QImage PictureBook::man(const Figure& figure, bool shining, double ratio) {
    QImage image = blankPicture(ratio);
    QPainter painter(&image);
    drawInPictureCoordinates(painter, image);
    FigurePainter(painter, figure).paint();
    if (shining) {
        ShineMarks(figure).paint(painter);
    }
    return finished(painter, image);
}

QImage PictureBook::grave(double ratio) {
    QImage image = blankPicture(ratio);
    QPainter painter(&image);
    drawInPictureCoordinates(painter, image);
    GravePainter(painter).paint();
    return finished(painter, image);
}

QImage PictureBook::draw(Picture picture, double ratio) const {
    switch (picture) {
        case Picture::start:
        case Picture::level1:
            return man(atLevel(1), false, ratio);
        case Picture::level2:
            return man(atLevel(2), false, ratio);
        case Picture::level3:
            return man(atLevel(3), false, ratio);
        case Picture::level4:
            return man(atLevel(4), false, ratio);
        case Picture::level5:
        case Picture::kenesu:
            return man(atLevel(5), false, ratio);
        case Picture::tyuesu:
            return man(atLevel(1), true, ratio);
        case Picture::fuesu:
            return man(atLevel(2), true, ratio);
        case Picture::futuesu:
            return man(atLevel(3), true, ratio);
        case Picture::yayaesu:
            return man(atLevel(4), true, ratio);
        case Picture::nanaesu:
            return man(plump(), true, ratio);
        case Picture::goukaku: {
            Figure figure = atLevel(5);
            figure.pose = Pose::waving;
            figure.expression = Expression::beaming;
            return man(figure, false, ratio);
        }
        case Picture::hugoukaku: {
            Figure figure = atLevel(5);
            figure.pose = Pose::handAtFace;
            figure.expression = Expression::crying;
            return man(figure, false, ratio);
        }
        case Picture::death:
            return grave(ratio);
        case Picture::tyotti:
            return man(plump(), false, ratio);
        case Picture::hifugan:
            return man(bandaged(), false, ratio);
    }
    return {};
}

}  // namespace mukiro::art
