// Tests what the player actually sounds like: the real player plays into a null sink of a
// private PulseAudio server and the sink's monitor is recorded and read back as tones.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <thread>

#include "ChildProcess.h"
#include "ProbeRun.h"
#include "Recording.h"
#include "StreamWatch.h"
#include "TempDir.h"
#include "TestTones.h"
#include "TestWave.h"
#include "ToneRuns.h"

namespace mukiro::sound::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// A step that holds the probe until the player is up, its device open on the server: the
// requests after it are about a device that is ready, however long it took to get there.
const std::string kOnceUp = "until:up";

class Playback : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(std::getenv("PULSE_SERVER"), nullptr)
            << "run through ctest: it starts the PulseAudio server these tests record from";
        const fs::path dir = programDir_.path();
        writeToneWave(dir / "iikaradani.wav", {{kLow, 600}});
        writeToneWave(dir / "clear.wav", {{kMid, 800}});
        writeToneWave(dir / "wave" / fs::path(u8"鉄砲１.wav"), {{kHigh, 400}});
        // A high start marks each beginning, so a restart shows as a second high run.
        writeToneWave(dir / "keana.wav", {{kHigh, 200}, {kLow, 600}});
        std::ofstream(dir / "money.wav", std::ios::binary);  // empty: unplayable
    }

    // Runs the probe with `steps` while recording the sink; returns the audible runs.
    std::vector<ToneRun> heardDuring(std::vector<std::string> steps) {
        Recording recording(workDir_.path() / "monitor.raw", {});
        EXPECT_TRUE(recording.started()) << "the recorder never started";
        const fs::path up = workDir_.path() / "up";
        const bool waitsForTheDevice =
            std::find(steps.begin(), steps.end(), kOnceUp) != steps.end();
        std::replace(steps.begin(), steps.end(), kOnceUp, "until:" + up.string());
        ChildProcess probe(probeCommand(programDir_.path(), steps), {});
        if (waitsForTheDevice) {
            EXPECT_TRUE(eventually(20s, [] { return gameStreamOpen({}); }))
                << "the player never opened its device";
            std::ofstream{up};
        }
        const ProbeRun run = probeResult(probe.wait(20s));
        std::this_thread::sleep_for(200ms);
        const auto heard = recording.stop(kTones);

        EXPECT_FALSE(run.child.timedOut);
        EXPECT_EQ(run.child.exitCode, 0) << run.child.err;
        // The test folder holds only a few of the game's cues, so one line for the rest.
        EXPECT_LE(run.stderrLines, 1) << run.child.err;
        EXPECT_TRUE(recording.problem().empty()) << recording.problem();
        for (double call : run.playMicroseconds) {
            EXPECT_LT(call, 20'000.0);
        }
        return heard;
    }

    const fs::path& programDir() const { return programDir_.path(); }

  private:
    TempDir programDir_;
    TempDir workDir_;
};

// The opening cue is requested before the device can be ready: it still sounds, once, whole.
TEST_F(Playback, CueRequestedAtStartUpSoundsOnceToItsEnd) {
    const auto heard = heardDuring({"play:iikaradani.wav", "wait:1400"});
    ASSERT_EQ(heard.size(), 1u) << describe(heard);
    EXPECT_EQ(heard[0].hertz, kLow);
    EXPECT_NEAR(heard[0].milliseconds, 600, kSlack) << describe(heard);
}

// As the game makes it: held until the window's first frame, then the opening cue sounds from
// its start, once, whole.
TEST_F(Playback, CueRequestedBeforeTheReleaseSoundsWholeAfterIt) {
    const auto heard = heardDuring({"play:iikaradani.wav", "wait:300", "release", "wait:1400"});
    ASSERT_EQ(heard.size(), 1u) << describe(heard);
    EXPECT_EQ(heard[0].hertz, kLow);
    EXPECT_NEAR(heard[0].milliseconds, 600, kSlack) << describe(heard);
}

// While held, nothing sounds; the release plays the latest request alone, the opening cue
// asked for before it being replaced.
TEST_F(Playback, HeldPlayerIsSilentUntilTheReleaseThenPlaysTheLatestRequest) {
    const auto heard =
        heardDuring({"play:iikaradani.wav", "wait:1000", "play:clear.wav", "release", "wait:1400"});
    ASSERT_EQ(heard.size(), 1u) << describe(heard);
    EXPECT_EQ(heard[0].hertz, kMid);
    EXPECT_NEAR(heard[0].milliseconds, 800, kSlack) << describe(heard);
}

TEST_F(Playback, SecondOfTwoBackToBackRequestsIsHeardAloneToItsEnd) {
    const auto heard = heardDuring({kOnceUp, "play:clear.wav", "play:" + kGunshot, "wait:900"});
    EXPECT_LE(totalMilliseconds(heard, kMid), 30) << describe(heard);
    ASSERT_FALSE(heard.empty());
    EXPECT_EQ(heard.back().hertz, kHigh) << describe(heard);
    EXPECT_NEAR(heard.back().milliseconds, 400, kSlack) << describe(heard);
}

TEST_F(Playback, NewCueCutsTheOneStillSounding) {
    const auto heard =
        heardDuring({kOnceUp, "play:clear.wav", "wait:250", "play:" + kGunshot, "wait:900"});
    ASSERT_EQ(heard.size(), 2u) << describe(heard);
    EXPECT_EQ(heard[0].hertz, kMid);
    EXPECT_GT(heard[0].milliseconds, 150) << describe(heard);
    EXPECT_LT(heard[0].milliseconds, 800 - 2 * kSlack) << describe(heard);
    EXPECT_EQ(heard[1].hertz, kHigh);
    EXPECT_NEAR(heard[1].milliseconds, 400, kSlack) << describe(heard);
}

TEST_F(Playback, RepeatedRequestRestartsTheCueFromItsBeginning) {
    const auto heard =
        heardDuring({kOnceUp, "play:keana.wav", "wait:450", "play:keana.wav", "wait:1200"});
    ASSERT_EQ(heard.size(), 4u) << describe(heard);
    EXPECT_EQ(heard[0].hertz, kHigh);
    EXPECT_NEAR(heard[0].milliseconds, 200, kSlack) << describe(heard);
    // Cut short by the second request, 450 ms after the first.
    EXPECT_EQ(heard[1].hertz, kLow);
    EXPECT_GT(heard[1].milliseconds, 100) << describe(heard);
    EXPECT_LT(heard[1].milliseconds, 600 - kSlack) << describe(heard);
    EXPECT_EQ(heard[2].hertz, kHigh);
    EXPECT_NEAR(heard[2].milliseconds, 200, kSlack) << describe(heard);
    EXPECT_EQ(heard[3].hertz, kLow);
    EXPECT_NEAR(heard[3].milliseconds, 600, kSlack) << describe(heard);
}

// An unplayable cue is silence, and like any cue it ends the one still sounding.
TEST_F(Playback, UnplayableRequestSilencesTheCueSounding) {
    const auto heard = heardDuring({kOnceUp, "play:clear.wav", "wait:300", "play:money.wav",
                                    "play:no-such-cue.wav", "wait:900"});
    ASSERT_EQ(heard.size(), 1u) << describe(heard);
    EXPECT_EQ(heard[0].hertz, kMid);
    EXPECT_NEAR(heard[0].milliseconds, 300, 150) << describe(heard);
}

}  // namespace
}  // namespace mukiro::sound::test
