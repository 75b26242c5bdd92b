// Checks the files the game reads beside its program: the 23 sound cues and the explanation.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <QStringList>
#include <cctype>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "WaveFile.h"
#include "rules/Cues.h"

namespace mukiro::sound {
namespace {

namespace fs = std::filesystem;

// The game names files with a backslash and UTF-8 text; on disk the separator is '/'.
fs::path gameFile(std::string_view name) {
    std::u8string utf8;
    for (const char c : name) utf8.push_back(static_cast<char8_t>(c == '\\' ? '/' : c));
    return fs::path(MUKIRO_GAME_DIR) / fs::path(utf8);
}

std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// ---- Sound cues --------------------------------------------------------------------------

class CueFileTest : public testing::TestWithParam<std::string_view> {
  protected:
    void SetUp() override {
        const fs::path path = gameFile(GetParam());
        ASSERT_TRUE(fs::is_regular_file(path)) << path << " is not beside the game";
        try {
            wave_ = WaveFile::read(path);
        } catch (const std::exception& problem) {
            FAIL() << path << ": " << problem.what();
        }
    }

    std::optional<WaveFile> wave_;
};

TEST_P(CueFileTest, IsSixteenBitMonoPcm) {
    EXPECT_EQ(wave_->format(), 1) << "1 is plain PCM";
    EXPECT_EQ(wave_->channels(), 1);
    EXPECT_EQ(wave_->bitsPerSample(), 16);
    EXPECT_TRUE(wave_->sampleRate() == 22050 || wave_->sampleRate() == 44100)
        << wave_->sampleRate() << " Hz";
}

// A cue longer than a few seconds would still be sounding under the next Message.
TEST_P(CueFileTest, LastsAtMostAboutThreeSeconds) {
    EXPECT_GT(wave_->seconds(), 0.1);
    EXPECT_LE(wave_->seconds(), 3.2);
}

// Peaks just under full scale, and enough sound overall, keep every cue about equally loud.
TEST_P(CueFileTest, PeaksNearFullScaleAndIsAboutAsLoudAsTheOthers) {
    EXPECT_GE(wave_->peakDb(), -3.0);
    EXPECT_LE(wave_->peakDb(), -0.5) << "too close to clipping";
    EXPECT_GE(wave_->rmsDb(), -30.0) << "too quiet, or silent";
    EXPECT_LE(wave_->rmsDb(), -8.0) << "much louder than the voices";
}

// A cue starts abruptly and is often cut off by the next one; quiet ends keep both clean.
TEST_P(CueFileTest, StartsAndEndsQuietly) {
    constexpr double kEdge = 0.002;
    EXPECT_LE(wave_->leadingPeakDb(kEdge), -20.0);
    EXPECT_LE(wave_->trailingPeakDb(kEdge), -20.0);
}

std::string testNameOf(const testing::TestParamInfo<std::string_view>& info) {
    // Test names take ASCII letters, digits and '_' only: "wave\鉄砲１.wav" becomes "wave_wav".
    std::string name;
    for (const char c : info.param) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80 && std::isalnum(byte))
            name += c;
        if (c == '.' || c == '\\')
            name += '_';
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(EveryCue, CueFileTest, testing::ValuesIn(rules::cues::kAll), testNameOf);

TEST(CueFiles, TakeAFewMegabytesAtMost) {
    std::uintmax_t total = 0;
    for (const std::string_view cue : rules::cues::kAll) {
        std::error_code missing;
        total += fs::file_size(gameFile(cue), missing);
    }
    EXPECT_LE(total, 4u * 1024 * 1024);
}

// ---- The explanation file ----------------------------------------------------------------

class ExplanationFileTest : public testing::Test {
  protected:
    void SetUp() override {
        const fs::path path = gameFile("ムキロ・タフ.txt");
        ASSERT_TRUE(fs::is_regular_file(path)) << path << " is not beside the game";
        bytes_ = readBytes(path);
        ASSERT_FALSE(bytes_.empty());
        QStringDecoder decoder("CP932");
        ASSERT_TRUE(decoder.isValid()) << "no Shift_JIS decoder in this Qt";
        text_ = decoder(QByteArray::fromStdString(bytes_));
        decodedCleanly_ = !decoder.hasError();
    }

    std::string bytes_;
    QString text_;
    bool decodedCleanly_ = false;
};

TEST_F(ExplanationFileTest, DecodesAsShiftJis) {
    EXPECT_TRUE(decodedCleanly_);
    // A UTF-8 file can pass as Shift_JIS byte by byte, but then reads as nonsense.
    EXPECT_TRUE(text_.contains(QStringLiteral("ムキロ・タフ")));
}

// Shift_JIS never uses the bytes CR and LF inside a character, so they can be scanned as bytes.
TEST_F(ExplanationFileTest, EndsEveryLineWithCrLf) {
    std::vector<std::size_t> loneCr;
    std::vector<std::size_t> loneLf;
    for (std::size_t i = 0; i < bytes_.size(); ++i) {
        if (bytes_[i] == '\r' && (i + 1 == bytes_.size() || bytes_[i + 1] != '\n')) {
            loneCr.push_back(i);
        }
        if (bytes_[i] == '\n' && (i == 0 || bytes_[i - 1] != '\r'))
            loneLf.push_back(i);
    }
    EXPECT_EQ(loneCr, std::vector<std::size_t>{}) << "offsets of CRs without an LF";
    EXPECT_EQ(loneLf, std::vector<std::size_t>{}) << "offsets of LFs without a CR";
    EXPECT_NE(bytes_.find("\r\n"), std::string::npos);
}

TEST_F(ExplanationFileTest, NamesEveryButtonAndTheGoal) {
    // The captions as the buttons show them ("スタ－ト" has a full-width hyphen-minus).
    for (const char* word :
         {"トレーニング", "プロテイン", "マッチョクリーム", "お食事", "サロン", "エステ",
          "ポージング", "バイト", "オーディション", "スタ－ト＆リセット", "優勝"}) {
        EXPECT_TRUE(text_.contains(QString::fromUtf8(word))) << word;
    }
}

TEST_F(ExplanationFileTest, NamesTheKeysAndNeedsNoAlignment) {
    // A player without a mouse learns how to press, open and close ("スペース" is the space bar).
    for (const char* key : {"Tab", "スペース", "Enter", "F1", "Esc", "クリック"}) {
        EXPECT_TRUE(text_.contains(QString::fromUtf8(key))) << key;
    }
    // Columns padded with full-width spaces come out ragged in a proportional face.
    EXPECT_FALSE(text_.contains(QStringLiteral("　　")));
    // The sacrifice count lies below the window as it opens: the text says how to see it.
    EXPECT_TRUE(text_.contains(QStringLiteral("広げる")));
}

// The viewer is 705 x 524 pixels with 16-pixel text: about 25 lines of 40 full-width
// characters fit without scrolling.
TEST_F(ExplanationFileTest, FitsTheViewerWithoutScrolling) {
    const QStringList lines = text_.split(QStringLiteral("\r\n"));
    const auto lineCount = lines.size() - (lines.back().isEmpty() ? 1 : 0);
    EXPECT_LE(lineCount, 25);
    for (const QString& line : lines) {
        // Width in half-width columns: ASCII and half-width kana take one, the rest two.
        qsizetype columns = 0;
        for (const QChar c : line) {
            const bool narrow =
                c.unicode() < 0x80 || (c.unicode() >= 0xFF61 && c.unicode() <= 0xFF9F);
            columns += narrow ? 1 : 2;
        }
        EXPECT_LE(columns, 80) << line.toStdString();
    }
}

}  // namespace
}  // namespace mukiro::sound
