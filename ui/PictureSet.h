// The pictures of the man, loaded once when the game starts and kept for the whole run.
#pragma once

#include <QPixmap>
#include <QString>
#include <array>

#include "rules/Picture.h"

namespace mukiro::ui {

class PictureSet {
  public:
    // Loads "<folder><name>.bmp" for every picture, the start picture included. The game's
    // pictures are built into the program under ":/pictures/".
    explicit PictureSet(const QString& folder = QStringLiteral(":/pictures/"));

    // False when a picture could not be loaded; the game must not start half drawn then.
    bool complete() const noexcept { return missingFile_.isEmpty(); }
    // The file name of the first picture that could not be loaded, or empty.
    const QString& missingFile() const noexcept { return missingFile_; }
    // What the player is told when a picture is missing.
    QString missingMessage() const;

    const QPixmap& operator[](rules::Picture picture) const;

    // A few Japanese words for screen readers about what the picture shows.
    static QString description(rules::Picture picture);
    // The file a picture is stored in, e.g. "level1.bmp".
    static QString fileName(rules::Picture picture);

  private:
    std::array<QPixmap, rules::kAllPictures.size()> pixmaps_;
    QString missingFile_;
};

}  // namespace mukiro::ui
