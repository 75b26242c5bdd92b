// Checks the picture set: what the program loads, how the files are stored, which pictures
// share artwork, what shine adds, where the poke lands, and that the files and the desktop
// icons are not stale: the same pictures as the art draws today, give or take the rounding of
// anti-aliased edges that differs from one processor to another.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <ostream>
#include <string>

#include "art/Figure.h"
#include "art/FigurePainter.h"
#include "art/IconPainter.h"
#include "art/Palette.h"
#include "art/PictureBook.h"
#include "assets/pictures/PictureResource.h"
#include "rules/Picture.h"
#include "tests/support/DoubledPixels.h"
#include "tests/support/PictureDifference.h"

namespace mukiro::rules {
// Names a picture in test output by its own name rather than its bytes.
void PrintTo(Picture picture, std::ostream* out) {
    *out << pictureName(picture);
}
}  // namespace mukiro::rules

namespace {

using mukiro::rules::Picture;
using mukiro::rules::pictureName;

constexpr int kSide = 200;

std::string nameOf(Picture picture) {
    return std::string(pictureName(picture));
}

QImage load(Picture picture) {
    return QImage(mukiro::ui::pictureResourcePath(picture)).convertToFormat(QImage::Format_RGB32);
}

QString committedFile(Picture picture) {
    return QStringLiteral(MUKIRO_PICTURE_DIR "/") + QString::fromStdString(nameOf(picture)) +
           QStringLiteral(".bmp");
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::uint32_t littleEndian(const QByteArray& bytes, int at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = (value << 8) | static_cast<std::uint8_t>(bytes.at(at + i));
    }
    return value;
}

bool isPureWhite(QRgb pixel) {
    return (pixel & 0xFFFFFFu) == 0xFFFFFFu;
}

// The red of the briefs, well apart from every skin tone, the gravestone and the sky.
bool isBriefsRed(QRgb pixel) {
    return qRed(pixel) >= 150 && qGreen(pixel) <= 80 && qBlue(pixel) <= 80;
}

class EveryPicture : public testing::TestWithParam<Picture> {};

TEST_P(EveryPicture, LoadsFromTheProgramAt200By200) {
    const QImage image = load(GetParam());
    ASSERT_FALSE(image.isNull()) << mukiro::ui::pictureResourcePath(GetParam()).toStdString();
    EXPECT_EQ(image.width(), kSide);
    EXPECT_EQ(image.height(), kSide);
}

TEST_P(EveryPicture, IsStoredAsAnUncompressed24BitBmp) {
    const QByteArray bytes = readAll(committedFile(GetParam()));
    ASSERT_GE(bytes.size(), 54);
    EXPECT_EQ(bytes.left(2), QByteArray("BM"));
    EXPECT_EQ(littleEndian(bytes, 18, 4), 200u);  // width
    EXPECT_EQ(littleEndian(bytes, 22, 4), 200u);  // height, rows bottom-up
    EXPECT_EQ(littleEndian(bytes, 28, 2), 24u);   // bits per pixel
    EXPECT_EQ(littleEndian(bytes, 30, 4), 0u);    // BI_RGB: no compression
    EXPECT_EQ(bytes.size(), 54 + 200 * 200 * 3);
}

// The program holds each picture laid out afresh for the window; the pixels are the committed ones.
TEST_P(EveryPicture, IsBuiltInWithTheCommittedPixels) {
    const QImage committed(committedFile(GetParam()));
    ASSERT_FALSE(committed.isNull());
    EXPECT_EQ(load(GetParam()), committed.convertToFormat(QImage::Format_RGB32));
}

INSTANTIATE_TEST_SUITE_P(PictureSet, EveryPicture, testing::ValuesIn(mukiro::rules::kAllPictures),
                         [](const testing::TestParamInfo<Picture>& param) {
                             return nameOf(param.param);
                         });

struct PicturePair {
    Picture picture;
    Picture base;
};

TEST(SharedArtwork, StartLooksLikeLevel1AndKenesuLikeLevel5PixelForPixel) {
    for (const auto& [picture, base] : {PicturePair{Picture::start, Picture::level1},
                                        PicturePair{Picture::kenesu, Picture::level5}}) {
        SCOPED_TRACE(nameOf(picture));
        EXPECT_EQ(load(picture), load(base));
    }
}

TEST(ShineMarks, EachShinyPictureIsItsBaseWithAFewHundredPixelsTurnedWhite) {
    for (const auto& [shiny, base] : {PicturePair{Picture::tyuesu, Picture::level1},
                                      PicturePair{Picture::fuesu, Picture::level2},
                                      PicturePair{Picture::futuesu, Picture::level3},
                                      PicturePair{Picture::yayaesu, Picture::level4},
                                      PicturePair{Picture::nanaesu, Picture::tyotti}}) {
        SCOPED_TRACE(nameOf(shiny));
        const QImage withShine = load(shiny);
        const QImage plain = load(base);
        ASSERT_EQ(withShine.size(), plain.size());
        int changed = 0;
        int changedToOtherThanWhite = 0;
        for (int y = 0; y < kSide; ++y) {
            for (int x = 0; x < kSide; ++x) {
                if (withShine.pixel(x, y) != plain.pixel(x, y)) {
                    ++changed;
                    changedToOtherThanWhite += isPureWhite(withShine.pixel(x, y)) ? 0 : 1;
                }
            }
        }
        EXPECT_EQ(changedToOtherThanWhite, 0);
        EXPECT_GE(changed, 100);
        EXPECT_LE(changed, 600);
    }
}

// The poke's hit region, x 80 to 100 and y 140 to 170 inclusive, must land on the lower part
// of the red briefs and the gap between the thighs on every picture of the man.
TEST(PokeTarget, HitRegionCoversTheBriefsAndTheGapBetweenTheThighs) {
    for (const Picture picture :
         {Picture::level1, Picture::level2, Picture::level3, Picture::level4, Picture::level5,
          Picture::tyuesu, Picture::fuesu, Picture::futuesu, Picture::yayaesu, Picture::nanaesu,
          Picture::goukaku, Picture::hugoukaku, Picture::tyotti, Picture::hifugan}) {
        SCOPED_TRACE(nameOf(picture));
        const QImage image = load(picture);
        int red = 0;
        int redBelowTheRegion = 0;
        for (int y = 0; y < kSide; ++y) {
            for (int x = 80; x <= 100; ++x) {
                if (!isBriefsRed(image.pixel(x, y))) {
                    continue;
                }
                if (y > 170) {
                    ++redBelowTheRegion;
                } else if (y >= 140) {
                    ++red;
                }
            }
        }
        EXPECT_GE(red, 60) << "too little of the briefs inside the hit region";
        EXPECT_EQ(redBelowTheRegion, 0) << "briefs reach below the hit region";
        // Down the middle of the region, below the crotch, the background shows between the thighs.
        const QRgb background = image.pixel(0, 0);
        for (int y = 160; y <= 170; ++y) {
            EXPECT_EQ(image.pixel(90, y), background) << "no gap between the thighs at y " << y;
        }
    }
}

// Averages each ratio x ratio square of a picture drawn at a whole-number ratio into one pixel,
// as an eye sees it from far enough away.
QImage boxDownscaled(const QImage& image, int ratio) {
    QImage small(kSide, kSide, QImage::Format_RGB32);
    const int n = ratio * ratio;
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            int r = 0;
            int g = 0;
            int b = 0;
            for (int j = 0; j < ratio; ++j) {
                for (int i = 0; i < ratio; ++i) {
                    const QRgb p = image.pixel(x * ratio + i, y * ratio + j);
                    r += qRed(p);
                    g += qGreen(p);
                    b += qBlue(p);
                }
            }
            small.setPixel(x, y, qRgb(r / n, g / n, b / n));
        }
    }
    return small;
}

// The art drawn for a scaled screen is the committed picture, only finer: seen from afar it
// is the same picture, but its edges are not the 1x pixels doubled.
TEST(ScaledArt, AtTwoAndThreeTimesItIsTheSamePictureOnlyFiner) {
    const mukiro::art::PictureBook book;
    for (const int ratio : {2, 3}) {
        for (const Picture picture : mukiro::rules::kAllPictures) {
            SCOPED_TRACE(nameOf(picture) + " at " + std::to_string(ratio));
            const QImage fine = book.draw(picture, ratio).convertToFormat(QImage::Format_RGB32);
            ASSERT_EQ(fine.size(), QSize(kSide * ratio, kSide * ratio));
            const QImage seenFromAfar = boxDownscaled(fine, ratio);
            const QImage committed = load(picture);
            // Antialiased edges fall a little differently at each size; everywhere else the
            // colours must be the committed ones.
            int farOff = 0;
            for (int y = 0; y < kSide; ++y) {
                for (int x = 0; x < kSide; ++x) {
                    const QRgb a = seenFromAfar.pixel(x, y);
                    const QRgb b = committed.pixel(x, y);
                    const int off =
                        std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                  std::abs(qBlue(a) - qBlue(b))});
                    farOff += off > 64 ? 1 : 0;
                }
            }
            EXPECT_LT(farOff, kSide * kSide / 100) << "pixels far from the committed picture";
            if (ratio == 2) {
                const QRect all(0, 0, kSide * 2, kSide * 2);
                EXPECT_LT(mukiro::testing::doubledPixelShare(fine, all), 0.8);
                const QImage doubled = committed.scaled(kSide * 2, kSide * 2);
                EXPECT_GT(mukiro::testing::doubledPixelShare(doubled, all), 0.99)
                    << "the measure no longer tells doubled pixels apart";
            }
        }
    }
}

// The art fits the box at every ratio a desktop offers: 200 x 200 logical pixels, whatever
// number of pixels that takes, and the shine is still pure white laid over the base picture.
TEST(ScaledArt, EveryRatioCoversTheSameLogicalSquareAndShineStaysWhite) {
    const mukiro::art::PictureBook book;
    for (const double ratio : {1.25, 1.5, 1.75, 2.0, 2.5, 3.0}) {
        SCOPED_TRACE(ratio);
        const QImage base = book.draw(Picture::level3, ratio);
        EXPECT_EQ(base.width(), static_cast<int>(std::lround(kSide * ratio)));
        EXPECT_EQ(base.deviceIndependentSize(), QSizeF(kSide, kSide));
        const QImage shiny = book.draw(Picture::futuesu, ratio);
        ASSERT_EQ(shiny.size(), base.size());
        int white = 0;
        int otherwise = 0;
        for (int y = 0; y < base.height(); ++y) {
            for (int x = 0; x < base.width(); ++x) {
                if (shiny.pixel(x, y) != base.pixel(x, y)) {
                    (isPureWhite(shiny.pixel(x, y)) ? white : otherwise) += 1;
                }
            }
        }
        EXPECT_EQ(otherwise, 0);
        // The marks keep their size on the screen: as many logical pixels as at 1x, give or
        // take what rounding at a finer grid adds or drops.
        const double logical = white / (ratio * ratio);
        EXPECT_GT(logical, 100);
        EXPECT_LT(logical, 600);
    }
}

// Runs the generator with the given arguments, offscreen; fails the test when it fails.
void runGenerator(const QStringList& arguments) {
    QProcess generator;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    generator.setProcessEnvironment(environment);
    generator.start(QStringLiteral(MUKIRO_PICTUREGEN), arguments);
    ASSERT_TRUE(generator.waitForFinished(120000));
    ASSERT_EQ(generator.exitStatus(), QProcess::NormalExit);
    ASSERT_EQ(generator.exitCode(), 0) << generator.readAllStandardError().toStdString();
}

// Where and how far a fresh drawing differs from the committed one, for a failure message.
std::string describe(const mukiro::testing::PictureDifference& difference) {
    return "the patch at (" + std::to_string(difference.patch.x()) + ", " +
           std::to_string(difference.patch.y()) + ") differs by " +
           std::to_string(difference.worstPatch) + " levels a pixel";
}

// A freshly drawn picture is the committed one when it differs only as much as another
// processor's rounding of anti-aliased edges makes it (tests/support/PictureDifference.h).
::testing::AssertionResult sameDrawing(const QImage& fresh, const QImage& committed) {
    if (fresh.size() != committed.size()) {
        return ::testing::AssertionFailure() << "the sizes differ";
    }
    const mukiro::testing::PictureDifference difference =
        mukiro::testing::pictureDifference(fresh, committed);
    if (difference.worstPatch > mukiro::testing::kSamePictureTolerance) {
        return ::testing::AssertionFailure() << describe(difference);
    }
    return ::testing::AssertionSuccess();
}

// The man of the level-5 picture on the pictures' background, from his figure: a real drawing of
// the art, which a case below changes a little.
QImage champion(const std::function<void(mukiro::art::Figure&)>& change, QPointF offset = {}) {
    QImage image(kSide, kSide, QImage::Format_RGB32);
    image.fill(mukiro::art::palette::kBackground);
    QPainter painter(&image);
    painter.translate(offset);
    mukiro::art::Figure figure = mukiro::art::PictureBook::atLevel(5);
    if (change) {
        change(figure);
    }
    mukiro::art::FigurePainter(painter, figure).paint();
    return image;
}

// Every pixel on an edge (unlike the pixel to its right) a level lighter or darker in some
// channels, as another processor's rounding might leave it, only more of them.
QImage edgesRoundedOtherwise(QImage image) {
    std::uint32_t seed = 1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x + 1 < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (pixel == image.pixel(x + 1, y)) {
                continue;
            }
            int channels[] = {qRed(pixel), qGreen(pixel), qBlue(pixel)};
            for (int& channel : channels) {
                seed = seed * 1103515245u + 12345u;
                if ((seed >> 16) & 1u) {
                    channel += channel < 255 ? 1 : -1;
                }
            }
            image.setPixel(x, y, qRgb(channels[0], channels[1], channels[2]));
        }
    }
    return image;
}

struct Redrawing {
    const char* what;
    QImage drawing;
    bool same;
};

// The measure the freshness checks below use: a drawing rounded a little otherwise is the same
// picture; the smallest changes of the art one would make are not.
TEST(SameDrawing, RoundingPassesAndASmallChangeOfTheArtDoesNot) {
    const QImage committed = champion(nullptr);
    const Redrawing cases[] = {
        {"drawn again", champion(nullptr), true},
        {"every edge pixel rounded otherwise", edgesRoundedOtherwise(committed), true},
        {"drawn 1/10 000 of a pixel to the right", champion(nullptr, QPointF(1e-4, 0)), true},
        {"his skin 4 levels redder",
         champion([](mukiro::art::Figure& f) { f.skin.setRed(f.skin.red() + 4); }), false},
        {"a little less muscle", champion([](mukiro::art::Figure& f) { f.muscle -= 0.03; }), false},
        {"without the oil's sheen", champion([](mukiro::art::Figure& f) { f.oiled = false; }),
         false},
        {"another expression",
         champion([](mukiro::art::Figure& f) { f.expression = mukiro::art::Expression::beaming; }),
         false},
    };
    for (const Redrawing& redrawing : cases) {
        SCOPED_TRACE(redrawing.what);
        EXPECT_EQ(static_cast<bool>(sameDrawing(redrawing.drawing, committed)), redrawing.same)
            << describe(mukiro::testing::pictureDifference(redrawing.drawing, committed));
    }
}

// The committed pictures are what the generator draws today: a change to the art that was
// not followed by regenerating the files fails here. The file's layout is the generator's own
// and the same everywhere; the pixels are anti-aliased drawing, the same picture everywhere.
TEST(Generator, CommittedPicturesMatchAFreshRun) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    ASSERT_NO_FATAL_FAILURE(runGenerator({folder.path()}));
    for (const Picture picture : mukiro::rules::kAllPictures) {
        SCOPED_TRACE(nameOf(picture));
        const QByteArray fresh =
            readAll(folder.filePath(QString::fromStdString(nameOf(picture)) + ".bmp"));
        const QByteArray committed = readAll(committedFile(picture));
        ASSERT_EQ(fresh.size(), committed.size());
        ASSERT_GE(fresh.size(), 54);
        EXPECT_TRUE(fresh.left(54) == committed.left(54)) << "the file headers differ";
        EXPECT_TRUE(sameDrawing(QImage::fromData(fresh, "BMP"), QImage::fromData(committed, "BMP")))
            << "stale: regenerate with mukiro_picturegen (tools/picturegen/README.md)";
    }
}

// The web page's pictures: the art drawn at each ratio, as the window draws it on a scaled screen
// (at 2x and 3x not the 1x picture enlarged), so that 1x is the committed picture.
TEST(Generator, WebPicturesAreTheArtDrawnAtEachRatioAnd1xIsTheCommittedPicture) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    ASSERT_NO_FATAL_FAILURE(runGenerator({QStringLiteral("--web"), folder.path()}));
    const mukiro::art::PictureBook book;
    for (const Picture picture : mukiro::rules::kAllPictures) {
        for (const int ratio : {1, 2, 3}) {
            SCOPED_TRACE(nameOf(picture) + " at " + std::to_string(ratio));
            const QString file = QStringLiteral("%1@%2x.png")
                                     .arg(QString::fromStdString(nameOf(picture)))
                                     .arg(ratio);
            const QImage png =
                QImage(folder.filePath(file), "PNG").convertToFormat(QImage::Format_RGB32);
            ASSERT_FALSE(png.isNull()) << "no " << file.toStdString();
            // Drawn here by the same code on the same processor: the same pixels.
            EXPECT_EQ(png, book.draw(picture, ratio).convertToFormat(QImage::Format_RGB32));
            if (ratio == 1) {
                EXPECT_TRUE(sameDrawing(png, QImage(committedFile(picture))));
            }
        }
    }
}

// The desktop icons are drawn from the same art, so they go stale with it. Each must also be
// the size its hicolor folder promises, or the desktop picks a blurred one, and a tile with
// see-through corners.
TEST(Generator, CommittedIconsMatchAFreshRunAtEveryHicolorSize) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    ASSERT_NO_FATAL_FAILURE(
        runGenerator({QStringLiteral("--icons"), folder.path(), QStringLiteral(MUKIRO_APP_ID)}));
    for (const int side : mukiro::art::IconPainter::kSizes) {
        SCOPED_TRACE(side);
        const QString file = QStringLiteral("/%1x%1/apps/" MUKIRO_APP_ID ".png").arg(side);
        const QImage icon(QStringLiteral(MUKIRO_ICON_DIR) + file, "PNG");
        ASSERT_FALSE(icon.isNull()) << "no icon at " << file.toStdString();
        EXPECT_EQ(icon.width(), side);
        EXPECT_EQ(icon.height(), side);
        EXPECT_TRUE(icon.hasAlphaChannel());
        for (const QPoint corner :
             {QPoint(0, 0), QPoint(side - 1, 0), QPoint(0, side - 1), QPoint(side - 1, side - 1)}) {
            EXPECT_EQ(qAlpha(icon.pixel(corner)), 0)
                << "the corner outside the tile at (" << corner.x() << ", " << corner.y()
                << ") is not see-through";
        }
        EXPECT_EQ(qAlpha(icon.pixel(side / 2, side / 2)), 255) << "the tile is not opaque";
        const QImage fresh(folder.path() + file, "PNG");
        ASSERT_FALSE(fresh.isNull());
        EXPECT_TRUE(sameDrawing(fresh, icon))
            << "stale: regenerate with mukiro_picturegen --icons (tools/picturegen/README.md)";
    }
}

}  // namespace
