// Tests that every way a cue can fail to sound leaves the game running: no crash, no hang,
// requests return at once, and at most one short line on stderr for the whole run.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>

#include "ProbeRun.h"
#include "TempDir.h"
#include "TestWave.h"

namespace mukiro::sound::test {
namespace {

namespace fs = std::filesystem;

const std::string kGunshot = "wave\\鉄砲１.wav";
const fs::path kGunshotFile = fs::path("wave") / fs::path(u8"鉄砲１.wav");

void writeText(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

void writeGoodCues(const fs::path& dir) {
    writeToneWave(dir / "clear.wav", {{1000, 300}});
    writeToneWave(dir / kGunshotFile, {{2000, 300}});
}

struct FailureCase {
    std::string label;
    std::function<void(const fs::path&)> prepare;
    std::vector<std::string> cues;
    EnvChanges env;
};

void PrintTo(const FailureCase& failure, std::ostream* out) {
    *out << failure.label;
}

const EnvChanges kNoServer = {{"PULSE_SERVER", "unix:/nonexistent/mukiro/native"},
                              {"SDL_AUDIODRIVER", "pulseaudio"}};

const std::vector<FailureCase> kCases = {
    {"MissingFile", [](const fs::path&) {}, {"clear.wav"}, {}},
    {"MissingWaveDirectory",
     [](const fs::path& dir) {
         writeToneWave(dir / "clear.wav", {{1000, 300}});
     },
     {kGunshot},
     {}},
    {"NotWave",
     [](const fs::path& dir) { writeText(dir / "clear.wav", "not a sound\n"); },
     {"clear.wav"},
     {}},
    // A RIFF/WAVE header whose chunks are cut short and filled with noise.
    {"CorruptWave",
     [](const fs::path& dir) {
         writeText(dir / "clear.wav", std::string("RIFF\x40\0\0\0WAVEfmt \x10\0\0\0\x01", 21) +
                                          std::string(64, '\xA5'));
     },
     {"clear.wav"},
     {}},
    // A real cue file cut off inside its format chunk, and one cut off inside its samples.
    {"TruncatedInHeader",
     [](const fs::path& dir) {
         writeToneWave(dir / "clear.wav", {{1000, 300}});
         fs::resize_file(dir / "clear.wav", 24);
     },
     {"clear.wav"},
     {}},
    {"TruncatedInSamples",
     [](const fs::path& dir) {
         writeToneWave(dir / "clear.wav", {{1000, 300}});
         fs::resize_file(dir / "clear.wav", fs::file_size(dir / "clear.wav") / 3);
     },
     {"clear.wav"},
     {}},
    {"EmptyFile", [](const fs::path& dir) { writeText(dir / "clear.wav", ""); }, {"clear.wav"}, {}},
    {"DirectoriesNamedLikeCues",
     [](const fs::path& dir) {
         fs::create_directories(dir / "clear.wav");
         fs::create_directories(dir / kGunshotFile);
     },
     {"clear.wav", kGunshot},
     {}},
    // Several broken cues in one run still make one line at most.
    {"EveryKindInOneRun",
     [](const fs::path& dir) {
         writeText(dir / "clear.wav", "not a sound\n");
         writeText(dir / "keana.wav", "");
         fs::create_directories(dir / "tya.wav");
     },
     {"clear.wav", "keana.wav", "tya.wav", kGunshot, "no-such-cue.wav", "clear.wav"},
     {}},
    {"NoServer", writeGoodCues, {"clear.wav", kGunshot}, kNoServer},
    {"UnknownAudioDriver",
     writeGoodCues,
     {"clear.wav", kGunshot},
     {{"SDL_AUDIODRIVER", "no-such-driver"}}},
    // SDL's own choice of back end: with no server it falls back to ALSA, which on a machine
    // without a sound card fails noisily unless the player quiets it.
    {"NoServerAnyDriver",
     writeGoodCues,
     {"clear.wav", kGunshot},
     {{"PULSE_SERVER", "unix:/nonexistent/mukiro/native"}, {"SDL_AUDIODRIVER", std::nullopt}}},
};

class SilentFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(SilentFailure, GameGoesOnInSilence) {
    const FailureCase& failure = GetParam();
    TempDir programDir;
    failure.prepare(programDir.path());
    // Each cue is asked for twice: at once, before the device can be ready, and again later.
    std::vector<std::string> steps;
    for (const std::string& cue : failure.cues) {
        steps.push_back("play:" + cue);
    }
    steps.push_back("wait:300");
    for (const std::string& cue : failure.cues) {
        steps.push_back("play:" + cue);
    }
    steps.push_back("wait:100");

    const ProbeRun run = runProbe(programDir.path(), steps, failure.env);

    ASSERT_FALSE(run.child.timedOut) << "hung; stderr: " << run.child.err;
    ASSERT_TRUE(run.child.exitedNormally) << "killed by signal " << run.child.signal;
    EXPECT_EQ(run.child.exitCode, 0) << run.child.err;
    EXPECT_LE(run.stderrLines, 1) << run.child.err;
    EXPECT_LE(run.child.err.size(), 201u) << run.child.err;
    ASSERT_EQ(run.playMicroseconds.size(), 2 * failure.cues.size());
    // Generous for a loaded machine: a request that waited for the device or a file would
    // take tens of milliseconds. The benchmark measures the real figure.
    EXPECT_LT(*std::max_element(run.playMicroseconds.begin(), run.playMicroseconds.end()),
              20'000.0);
    EXPECT_GE(run.destroyMicroseconds, 0.0);
    EXPECT_LT(run.destroyMicroseconds, 1'000'000.0);
}

INSTANTIATE_TEST_SUITE_P(Cues, SilentFailure, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<FailureCase>& row) {
                             return row.param.label;
                         });

}  // namespace
}  // namespace mukiro::sound::test
