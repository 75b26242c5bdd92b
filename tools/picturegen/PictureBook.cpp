// Draws each picture of the game's picture set from its description.
#include "PictureBook.h"

#include <QPainter>

#include "FigurePainter.h"
#include "GravePainter.h"
#include "Palette.h"
#include "ShineMarks.h"

namespace mukiro::tools {

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

QImage PictureBook::man(const Figure& figure, bool shining) {
    QImage image(kSide, kSide, QImage::Format_RGB32);
    image.fill(palette::kBackground);
    QPainter painter(&image);
    FigurePainter(painter, figure).paint();
    if (shining) {
        ShineMarks(figure).paint(painter);
    }
    return image;
}

QImage PictureBook::grave() {
    QImage image(kSide, kSide, QImage::Format_RGB32);
    image.fill(palette::kBackground);
    QPainter painter(&image);
    GravePainter(painter).paint();
    return image;
}

QImage PictureBook::draw(Picture picture) const {
    switch (picture) {
        case Picture::start:
        case Picture::level1:
            return man(atLevel(1), false);
        case Picture::level2:
            return man(atLevel(2), false);
        case Picture::level3:
            return man(atLevel(3), false);
        case Picture::level4:
            return man(atLevel(4), false);
        case Picture::level5:
        case Picture::kenesu:
            return man(atLevel(5), false);
        case Picture::tyuesu:
            return man(atLevel(1), true);
        case Picture::fuesu:
            return man(atLevel(2), true);
        case Picture::futuesu:
            return man(atLevel(3), true);
        case Picture::yayaesu:
            return man(atLevel(4), true);
        case Picture::nanaesu:
            return man(plump(), true);
        case Picture::goukaku: {
            Figure figure = atLevel(5);
            figure.pose = Pose::waving;
            figure.expression = Expression::beaming;
            return man(figure, false);
        }
        case Picture::hugoukaku: {
            Figure figure = atLevel(5);
            figure.pose = Pose::handAtFace;
            figure.expression = Expression::crying;
            return man(figure, false);
        }
        case Picture::death:
            return grave();
        case Picture::tyotti:
            return man(plump(), false);
        case Picture::hifugan:
            return man(bandaged(), false);
    }
    return {};
}

}  // namespace mukiro::tools
