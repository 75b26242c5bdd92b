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
    explicit PictureSet(const QString& folder = builtInFolder());

    // False when a picture could not be loaded; the game must not start half drawn then.
    bool complete() const noexcept { return missingFile_.isEmpty(); }
    // The file name of the first picture that could not be loaded, or empty.
    const QString& missingFile() const noexcept { return missingFile_; }
    // What the player is told when a picture is missing.
    QString missingMessage() const;

    // The picture as loaded: 200 x 200 pixels, for a screen at 100 %.
    const QPixmap& operator[](rules::Picture picture) const;

    // The picture for a screen scaled by `ratio` (its device pixel ratio), covering 200 x 200
    // logical pixels. At 1 or below it is the loaded picture itself. Above 1 the game's own
    // pictures are painted afresh at that ratio by the same code that drew the files, so the
    // man is as sharp as the text beside him; each is drawn on first need and kept while the
    // ratio stays the same. Pictures from another folder, or a gravestone whose face is
    // missing, are enlarged smoothly.
    QPixmap forScreen(rules::Picture picture, qreal ratio) const;

    // A few Japanese words for screen readers about what the picture shows.
    static QString description(rules::Picture picture);
    // The file a picture is stored in, e.g. "level1.bmp".
    static QString fileName(rules::Picture picture);

    static QString builtInFolder() { return QStringLiteral(":/pictures/"); }

  private:
    QPixmap drawForScreen(rules::Picture picture, qreal ratio) const;

    std::array<QPixmap, rules::kAllPictures.size()> pixmaps_;
    QString missingFile_;
    // Only the built-in pictures are the ones the drawing code draws.
    bool drawsOwnArt_ = false;
    // Pictures drawn for the scaled screen the window is on, and its ratio in thousandths.
    mutable std::array<QPixmap, rules::kAllPictures.size()> forScreen_;
    mutable long forScreenRatio_ = 0;
};

}  // namespace mukiro::ui
