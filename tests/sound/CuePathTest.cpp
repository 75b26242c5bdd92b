// Tests where a cue name lies on disk.
#include <gtest/gtest.h>

#include "rules/Cues.h"
#include "sound/CuePath.h"

namespace mukiro::sound {
namespace {

TEST(CuePath, PlainNameLiesInTheProgramDirectory) {
    EXPECT_EQ(cuePath("/games/mukiro", rules::cues::kClear),
              std::filesystem::path("/games/mukiro/clear.wav"));
    EXPECT_EQ(cuePath("/games/mukiro", rules::cues::kTooFat),
              std::filesystem::path("/games/mukiro/70%.wav"));
}

TEST(CuePath, BackslashNamesTheWaveSubdirectoryInUtf8) {
    const std::filesystem::path path = cuePath("/games/mukiro", rules::cues::kGunshot);
    EXPECT_EQ(path.parent_path(), std::filesystem::path("/games/mukiro/wave"));
    EXPECT_EQ(path.filename(), std::filesystem::path(u8"鉄砲１.wav"));
    // Bytes on disk: the kanji and the full-width digit in UTF-8, no backslash left.
    EXPECT_EQ(path.native(), "/games/mukiro/wave/\xE9\x89\x84\xE7\xA0\xB2\xEF\xBC\x91.wav");
}

}  // namespace
}  // namespace mukiro::sound
