// The pictures of the man, loaded once when the game starts and kept for the whole run.
#include "ui/PictureSet.h"

#include <cstddef>

namespace mukiro::ui {

namespace {

std::size_t indexOf(rules::Picture picture) {
    return static_cast<std::size_t>(picture);
}

}  // namespace

PictureSet::PictureSet(const QString& folder) {
    for (rules::Picture picture : rules::kAllPictures) {
        QPixmap& pixmap = pixmaps_[indexOf(picture)];
        // Each picture gets a pixmap of its own, even where two are drawn alike: the game tells
        // them apart by identity, never by their pixels.
        if (!pixmap.load(folder + fileName(picture)) && missingFile_.isEmpty()) {
            missingFile_ = fileName(picture);
        }
    }
}

QString PictureSet::missingMessage() const {
    return QStringLiteral(
               "画像ファイル「%1」が見つからないか読めないため、ゲームを起動できません。")
        .arg(missingFile_);
}

const QPixmap& PictureSet::operator[](rules::Picture picture) const {
    return pixmaps_[indexOf(picture)];
}

QString PictureSet::description(rules::Picture picture) {
    using P = rules::Picture;
    switch (picture) {
        case P::start:
        case P::level1:
            return QStringLiteral("レベル1の体");
        case P::level2:
            return QStringLiteral("レベル2の体");
        case P::level3:
            return QStringLiteral("レベル3の体");
        case P::level4:
            return QStringLiteral("レベル4の体");
        case P::level5:
        case P::kenesu:
            return QStringLiteral("レベル5の体");
        case P::tyuesu:
            return QStringLiteral("レベル1の体（肌つやつや）");
        case P::fuesu:
            return QStringLiteral("レベル2の体（肌つやつや）");
        case P::futuesu:
            return QStringLiteral("レベル3の体（肌つやつや）");
        case P::yayaesu:
            return QStringLiteral("レベル4の体（肌つやつや）");
        case P::nanaesu:
            return QStringLiteral("太った体（肌つやつや）");
        case P::goukaku:
            return QStringLiteral("合格して手を振る男");
        case P::hugoukaku:
            return QStringLiteral("不合格で泣く男");
        case P::death:
            return QStringLiteral("お墓");
        case P::tyotti:
            return QStringLiteral("太った体");
        case P::hifugan:
            return QStringLiteral("包帯を巻いた男");
    }
    return {};
}

QString PictureSet::fileName(rules::Picture picture) {
    const std::string_view name = rules::pictureName(picture);
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())) +
           QStringLiteral(".bmp");
}

}  // namespace mukiro::ui
