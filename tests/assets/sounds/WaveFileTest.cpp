// Checks the cue reader on small hand-made files, so that a cue test cannot pass by misreading.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "WaveFile.h"

namespace mukiro::sound {
namespace {

namespace fs = std::filesystem;

void putLe(std::string& out, std::uint32_t value, int width) {
    for (int i = 0; i < width; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// A mono 16-bit file at 22050 Hz; `extra` is a chunk put between "fmt " and "data".
std::string waveBytes(const std::vector<std::int16_t>& samples, const std::string& extra) {
    std::string body = "WAVEfmt ";
    putLe(body, 16, 4);
    putLe(body, 1, 2);
    putLe(body, 1, 2);
    putLe(body, 22050, 4);
    putLe(body, 44100, 4);
    putLe(body, 2, 2);
    putLe(body, 16, 2);
    body += extra;
    body += "data";
    putLe(body, static_cast<std::uint32_t>(samples.size() * 2), 4);
    for (const std::int16_t s : samples) putLe(body, static_cast<std::uint16_t>(s), 2);
    std::string file = "RIFF";
    putLe(file, static_cast<std::uint32_t>(body.size()), 4);
    return file + body;
}

class WaveFileTest : public testing::Test {
  protected:
    fs::path write(const std::string& bytes) {
        std::ofstream(path_, std::ios::binary) << bytes;
        return path_;
    }
    void TearDown() override { fs::remove(path_); }

    // Named after the test and the process, as test runs of other builds may share /tmp.
    fs::path path_ =
        fs::temp_directory_path() / (std::string("wave-file-test-") +
                                     testing::UnitTest::GetInstance()->current_test_info()->name() +
                                     "-" + std::to_string(::getpid()) + ".wav");
};

TEST_F(WaveFileTest, ReadsFormatAndSamplesPastAnOddSizedChunk) {
    // "LIST" of 3 bytes is followed by one pad byte that is not part of it.
    std::string list = "LIST";
    putLe(list, 3, 4);
    list += std::string("abc") + '\0';
    const WaveFile wave = WaveFile::read(write(waveBytes({0, 16384, -32768, 0}, list)));

    EXPECT_EQ(wave.format(), 1);
    EXPECT_EQ(wave.channels(), 1);
    EXPECT_EQ(wave.sampleRate(), 22050u);
    EXPECT_EQ(wave.bitsPerSample(), 16);
    EXPECT_EQ(wave.samples(), (std::vector<std::int16_t>{0, 16384, -32768, 0}));
    EXPECT_DOUBLE_EQ(wave.peakDb(), 0.0);
    EXPECT_NEAR(wave.rmsDb(), 20 * std::log10(std::sqrt((0.25 + 1.0) / 4)), 1e-9);
    EXPECT_DOUBLE_EQ(wave.seconds(), 4.0 / 22050);
}

TEST_F(WaveFileTest, RejectsWhatIsNotAWholeWaveFile) {
    const std::string good = waveBytes({1, 2, 3}, "");
    for (const std::string& bad : {std::string("RIFF\0\0\0\0AVI ", 12), good.substr(0, 30),
                                   good.substr(0, good.size() - 2)}) {
        SCOPED_TRACE(bad.size());
        EXPECT_THROW(WaveFile::read(write(bad)), std::runtime_error);
    }
    EXPECT_THROW(WaveFile::read(path_.string() + ".missing"), std::runtime_error);
}

}  // namespace
}  // namespace mukiro::sound
