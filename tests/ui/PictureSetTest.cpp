// The picture set: every picture loaded, each its own, and a missing one named to the player.
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

#ifdef MUKIRO_HAS_PICTURES
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
