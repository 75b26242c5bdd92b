// The pictures of the man, loaded once when the game starts and kept for the whole run.
#include "ui/PictureSet.h"

#include <QFile>
#include <QImage>
#include <QResource>
#include <QtDebug>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <utility>

#include "art/PictureBook.h"
#include "window/WindowLayout.h"

namespace mukiro::ui {

namespace {

std::size_t indexOf(rules::Picture picture) {
    return static_cast<std::size_t>(picture);
}

std::uint32_t littleEndian(const uchar* bytes, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) {
        value = (value << 8) | bytes[i];
    }
    return value;
}

// The game's own pictures are built into the program as 32-bit bitmaps, top row first: the
// layout of an image, so the image is made over the program's own bytes (`lasting`: they stay
// where they are for the whole run) and only a picture that is drawn is ever read. Pictures from
// a folder are plain 24-bit bitmaps, bottom row first, copied straight into an image: the
// general image reader takes ten times as long over them. Anything else, or anything this
// cannot be sure of, is left to the general reader (a null image).
QImage plainBitmap(const uchar* bytes, qsizetype size, bool lasting) {
    constexpr qsizetype kHeaders = 54;
    if (size < kHeaders || bytes[0] != 'B' || bytes[1] != 'M' ||
        littleEndian(bytes + 14, 4) != 40 || littleEndian(bytes + 26, 2) != 1 ||
        littleEndian(bytes + 30, 4) != 0) {
        return {};
    }
    const auto bits = littleEndian(bytes + 28, 2);
    const auto width = static_cast<std::int32_t>(littleEndian(bytes + 18, 4));
    auto height = static_cast<std::int32_t>(littleEndian(bytes + 22, 4));
    const bool topRowFirst = height < 0 && height >= -4096;
    height = topRowFirst ? -height : height;
    const qsizetype offset = littleEndian(bytes + 10, 4);
    if ((bits != 24 && bits != 32) || topRowFirst != (bits == 32) || width <= 0 || width > 4096 ||
        height <= 0 || height > 4096) {
        return {};
    }
    const qsizetype stride = (qsizetype{width} * bits / 8 + 3) / 4 * 4;
    if (offset < kHeaders || offset + stride * height > size) {
        return {};
    }
    const uchar* const pixels = bytes + offset;
    if (bits == 32) {
        const QImage over(pixels, width, height, stride, QImage::Format_RGB32);
        // An image over bytes that go away, or that are not aligned as an image's must be, is
        // copied; the built-in ones stay, and lie on a 4-byte boundary.
        if (lasting && reinterpret_cast<quintptr>(pixels) % 4 == 0) {
            return over;
        }
        QImage copy(width, height, QImage::Format_RGB32);
        for (int y = 0; y < height; ++y) {
            const uchar* from = pixels + stride * y;
            auto* to = reinterpret_cast<QRgb*>(copy.scanLine(y));
            for (int x = 0; x < width; ++x, from += 4) {
                to[x] = qRgb(from[2], from[1], from[0]);
            }
        }
        return copy;
    }
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        const uchar* from = pixels + stride * (height - 1 - y);
        auto* to = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x, from += 3) {
            to[x] = qRgb(from[2], from[1], from[0]);
        }
    }
    return image;
}

bool load(QPixmap& pixmap, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    // A built-in picture stored as it is lies in the program for the whole run, so an image
    // can be made over it; a file's mapping, or an inflated resource, goes with the QFile.
    const bool lasting = path.startsWith(QStringLiteral(":/")) &&
                         QResource(path).compressionAlgorithm() == QResource::NoCompression;
    QImage image;
    if (const uchar* mapped = file.map(0, file.size()); mapped != nullptr) {
        image = plainBitmap(mapped, file.size(), lasting);
    } else {
        const QByteArray bytes = file.readAll();
        image = plainBitmap(reinterpret_cast<const uchar*>(bytes.constData()), bytes.size(), false);
    }
    if (image.isNull()) {
        return pixmap.load(path);
    }
    pixmap = QPixmap::fromImage(std::move(image));
    return !pixmap.isNull();
}

}  // namespace

PictureSet::PictureSet(const QString& folder) : drawsOwnArt_(folder == builtInFolder()) {
    for (rules::Picture picture : rules::kAllPictures) {
        QPixmap& pixmap = pixmaps_[indexOf(picture)];
        // Each picture gets a pixmap of its own, even where two are drawn alike: the game tells
        // them apart by identity, never by their pixels.
        if (!load(pixmap, folder + fileName(picture)) && missingFile_.isEmpty()) {
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

QPixmap PictureSet::forScreen(rules::Picture picture, qreal ratio) const {
    const QPixmap& loaded = pixmaps_[indexOf(picture)];
    if (ratio <= 1.0 || loaded.isNull()) {
        return loaded;
    }
    // The window is on one screen at a time: pictures drawn for another ratio are let go, so
    // at most one set of large pictures is kept however often the window changes screens.
    const long ratioKey = std::lround(ratio * 1000.0);
    if (ratioKey != forScreenRatio_) {
        forScreen_.fill(QPixmap());
        forScreenRatio_ = ratioKey;
    }
    QPixmap& drawn = forScreen_[indexOf(picture)];
    if (drawn.isNull()) {
        drawn = drawForScreen(picture, ratio);
    }
    return drawn;
}

QPixmap PictureSet::drawForScreen(rules::Picture picture, qreal ratio) const {
    if (drawsOwnArt_) {
        try {
            return QPixmap::fromImage(art::PictureBook().draw(picture, ratio));
        } catch (const std::runtime_error& error) {
            // Only the gravestone's face can be missing; it is a dependency of the game, so
            // this is a broken install, and a softer picture beats none.
            qWarning("%s: enlarging the 1x picture instead", error.what());
        }
    }
    const QPixmap& loaded = pixmaps_[indexOf(picture)];
    const auto side = static_cast<int>(std::lround(loaded.width() * ratio));
    QPixmap enlarged = loaded.scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    enlarged.setDevicePixelRatio(side / qreal(loaded.width()));
    return enlarged;
}

QString PictureSet::description(rules::Picture picture) {
    const std::string_view words = window::pictureDescription(picture);
    return QString::fromUtf8(words.data(), static_cast<qsizetype>(words.size()));
}

QString PictureSet::fileName(rules::Picture picture) {
    const std::string_view name = rules::pictureName(picture);
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())) +
           QStringLiteral(".bmp");
}

}  // namespace mukiro::ui
