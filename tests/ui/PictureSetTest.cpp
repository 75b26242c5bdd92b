// The picture set: every picture loaded, each its own, and a missing one named to the player.
#include <QFile>

#include "tests/ui/WindowFixture.h"
#include "ui/PictureSet.h"

namespace mukiro::testing {
namespace {

TEST(PictureSetTest, AMissingPictureIsNamed) {
    PictureFolder folder;
    folder.remove(rules::Picture::level3);
    const ui::PictureSet set(folder.path());
    EXPECT_FALSE(set.complete());
    EXPECT_EQ(set.missingFile(), QStringLiteral("level3.bmp"));
    EXPECT_TRUE(set.missingMessage().contains(QStringLiteral("level3.bmp")));
}

TEST(PictureSetTest, PicturesAreKeptApartEvenWhenDrawnAlike) {
    PictureFolder folder;
    const ui::PictureSet set(folder.path());
    ASSERT_TRUE(set.complete());
    EXPECT_NE(set[rules::Picture::start].cacheKey(), set[rules::Picture::level1].cacheKey());
    EXPECT_EQ(set[rules::Picture::hifugan].size(), QSize(200, 200));
}

// The set reads plain bitmaps itself; it must see the very pixels the toolkit's reader sees,
// whatever the width (rows are padded to four bytes) and the colours.
TEST(PictureSetTest, BitmapsReadAsTheToolkitReadsThem) {
    PictureFolder folder;
    QImage odd(7, 5, QImage::Format_RGB888);
    for (int y = 0; y < odd.height(); ++y) {
        for (int x = 0; x < odd.width(); ++x) {
            odd.setPixelColor(x, y, QColor(x * 36, y * 60, (x * y * 17) % 256));
        }
    }
    const QString oddFile = folder.path() + ui::PictureSet::fileName(rules::Picture::tyotti);
    ASSERT_TRUE(odd.save(oddFile, "BMP"));
    const ui::PictureSet set(folder.path());
    ASSERT_TRUE(set.complete());
    for (rules::Picture picture : rules::kAllPictures) {
        const QImage expected(folder.path() + ui::PictureSet::fileName(picture));
        EXPECT_EQ(set[picture].toImage().convertToFormat(QImage::Format_RGB32),
                  expected.convertToFormat(QImage::Format_RGB32))
            << rules::pictureName(picture);
    }
#ifdef MUKIRO_HAS_PICTURES
    const ui::PictureSet builtIn;
    for (rules::Picture picture : rules::kAllPictures) {
        const QImage expected(QStringLiteral(":/pictures/") + ui::PictureSet::fileName(picture));
        EXPECT_EQ(builtIn[picture].toImage().convertToFormat(QImage::Format_RGB32),
                  expected.convertToFormat(QImage::Format_RGB32))
            << rules::pictureName(picture);
    }
#endif
}

#ifdef MUKIRO_HAS_PICTURES
// The built-in pictures are shown from the program's own bytes, not a copy of them; a bitmap
// laid out the same way in a folder is copied, since its file's bytes go when it is closed.
TEST(PictureSetTest, BuiltInPicturesAreShownFromTheProgramsOwnBytes) {
    const ui::PictureSet builtIn;
    for (rules::Picture picture : rules::kAllPictures) {
        SCOPED_TRACE(rules::pictureName(picture));
        QFile file(ui::PictureSet::builtInFolder() + ui::PictureSet::fileName(picture));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const uchar* const bytes = file.map(0, file.size());
        ASSERT_NE(bytes, nullptr);
        const QImage shown = builtIn[picture].toImage();
        EXPECT_GE(shown.constBits(), bytes);
        EXPECT_LT(shown.constBits(), bytes + file.size());
    }

    PictureFolder folder;
    const QString laidOut = folder.path() + ui::PictureSet::fileName(rules::Picture::level2);
    ASSERT_TRUE(QFile::remove(laidOut));
    ASSERT_TRUE(
        QFile::copy(ui::PictureSet::builtInFolder() + QStringLiteral("level2.bmp"), laidOut));
    const ui::PictureSet fromFolder(folder.path());
    ASSERT_TRUE(fromFolder.complete());
    EXPECT_EQ(fromFolder[rules::Picture::level2].toImage(),
              builtIn[rules::Picture::level2].toImage());
}

TEST(PictureSetTest, TheGamesOwnPicturesAreBuiltIn) {
    const ui::PictureSet set;
    EXPECT_TRUE(set.complete()) << set.missingFile().toStdString();
    for (rules::Picture picture : rules::kAllPictures) {
        EXPECT_EQ(set[picture].size(), QSize(200, 200)) << rules::pictureName(picture);
    }
}
#endif

}  // namespace
}  // namespace mukiro::testing
