// Tests the player over the life of its sound server: the stream rests between cues and comes
// back for the next one, and sound comes back after the server restarts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <thread>

#include "ChildProcess.h"
#include "Recording.h"
#include "StreamWatch.h"
#include "TempDir.h"
#include "TestTones.h"
#include "TestWave.h"
#include "sound/SdlCuePlayer.h"

namespace mukiro::sound::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

void writeCues(const fs::path& dir) {
    writeToneWave(dir / "clear.wav", {{kMid, 300}});
    writeToneWave(dir / "keana.wav", {{kLow, 300}});
    writeToneWave(dir / "wave" / fs::path(u8"鉄砲１.wav"), {{kHigh, 400}});
}

void touch(const fs::path& path) {
    std::ofstream{path};
}

int linesOf(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

// A private server of the test's own, which the test stops and starts again on one socket.
class PulseServer {
  public:
    explicit PulseServer(fs::path dir) : dir_(std::move(dir)) {}
    ~PulseServer() { run("stop"); }
    PulseServer(const PulseServer&) = delete;
    PulseServer& operator=(const PulseServer&) = delete;

    bool start() { return run("start"); }
    bool stop() { return run("stop"); }
    EnvChanges env() const {
        return {{"PULSE_SERVER", "unix:" + (dir_ / "native").string()},
                {"SDL_AUDIODRIVER", "pulseaudio"}};
    }

  private:
    bool run(const char* action) {
        const ChildResult done =
            ChildProcess::run({MUKIRO_PULSE_SERVER_SCRIPT, action, dir_.string()}, {}, 30s);
        return !done.timedOut && done.exitCode == 0;
    }

    fs::path dir_;
};

// Long enough for the first cue (300 ms) to sound to its end once the player is up, and well
// short of the device's rest.
constexpr auto kFirstCueHeard = 700ms;

// Waits until the game is up on the server: the player opens its device ahead of the first
// request, so the first cue sounds from then on. A slow start (a sanitizer build, a busy
// machine) only takes longer.
bool gameComesUp(const EnvChanges& env) {
    return eventually(20s, [&] { return gameStreamOpen(env); });
}

struct RestartCase {
    std::string label;
    // Whether a cue is asked for while no server runs.
    bool pokeWhileDown;
    // Whether the device has rested, its stream closed, when the server goes down.
    bool rested;
};

void PrintTo(const RestartCase& restart, std::ostream* out) {
    *out << restart.label;
}

class ServerRestart : public ::testing::TestWithParam<RestartCase> {};

// The first cue is heard; the server goes (a cue asked for meanwhile is silence); the server
// comes back on the same socket, and the next cue is heard whole.
TEST_P(ServerRestart, CueAfterTheServerIsBackIsHeard) {
    TempDir programDir;
    TempDir work;
    writeCues(programDir.path());
    PulseServer server(work.path() / "pulse");
    ASSERT_TRUE(server.start());
    const EnvChanges env = server.env();
    const fs::path down = work.path() / "down";
    const fs::path up = work.path() / "up";

    auto before = std::make_unique<Recording>(work.path() / "before.raw", env);
    ASSERT_TRUE(before->started());
    std::vector<std::string> steps = {MUKIRO_CUE_PROBE, programDir.path().string(),
                                      "play:clear.wav", "until:" + down.string()};
    if (GetParam().pokeWhileDown) {
        steps.push_back("play:keana.wav");
    }
    steps.insert(steps.end(), {"until:" + up.string(), "play:" + kGunshot, "wait:900"});
    ChildProcess probe(steps, env);
    ASSERT_TRUE(gameComesUp(env)) << "the game never opened a stream";
    std::this_thread::sleep_for(kFirstCueHeard);
    if (GetParam().rested) {
        ASSERT_TRUE(eventually(SdlCuePlayer::kRestAfter + 5s, [&] { return !gameStreamOpen(env); }))
            << "the device never rested, so this case would not be about a resting device";
    } else {
        ASSERT_TRUE(gameStreamOpen(env)) << "the device rested before the server went down";
    }
    const auto heardBefore = before->stop(kTones);
    before.reset();

    ASSERT_TRUE(server.stop());
    touch(down);
    std::this_thread::sleep_for(300ms);
    ASSERT_TRUE(server.start());
    Recording after(work.path() / "after.raw", env);
    ASSERT_TRUE(after.started());
    touch(up);
    const ChildResult run = probe.wait(30s);
    const auto heardAfter = after.stop(kTones);

    ASSERT_FALSE(run.timedOut) << run.err;
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_LE(linesOf(run.err), 1) << run.err << run.out;
    ASSERT_EQ(heardBefore.size(), 1u) << describe(heardBefore);
    EXPECT_EQ(heardBefore[0].hertz, kMid);
    EXPECT_NEAR(heardBefore[0].milliseconds, 300, kSlack) << describe(heardBefore);
    ASSERT_EQ(heardAfter.size(), 1u) << describe(heardAfter);
    EXPECT_EQ(heardAfter[0].hertz, kHigh);
    EXPECT_NEAR(heardAfter[0].milliseconds, 400, kSlack) << describe(heardAfter);
}

INSTANTIATE_TEST_SUITE_P(Device, ServerRestart,
                         ::testing::Values(RestartCase{"WhileOpenPokedMeanwhile", true, false},
                                           RestartCase{"WhileResting", false, true}),
                         [](const ::testing::TestParamInfo<RestartCase>& row) {
                             return row.param.label;
                         });

// The player moves to the output the desktop makes its default, with the device open.
TEST(DefaultOutput, CueAfterTheDefaultChangesIsHeardOnTheNewOutput) {
    TempDir programDir;
    TempDir work;
    writeCues(programDir.path());
    PulseServer server(work.path() / "pulse");
    ASSERT_TRUE(server.start());
    const EnvChanges env = server.env();
    const fs::path switched = work.path() / "switched";

    ChildProcess probe({MUKIRO_CUE_PROBE, programDir.path().string(), "play:clear.wav",
                        "until:" + switched.string(), "play:" + kGunshot, "wait:900"},
                       env);
    ASSERT_TRUE(gameComesUp(env)) << "the game never opened a stream";
    std::this_thread::sleep_for(kFirstCueHeard);
    const auto pactl = [&](std::vector<std::string> args) {
        args.insert(args.begin(), MUKIRO_PACTL);
        return ChildProcess::run(args, env, 10s).exitCode == 0;
    };
    ASSERT_TRUE(pactl({"load-module", "module-null-sink", "sink_name=headphones"}));
    ASSERT_TRUE(pactl({"set-default-sink", "headphones"}));
    Recording headphones(work.path() / "headphones.raw", env, "headphones");
    ASSERT_TRUE(headphones.started());
    touch(switched);
    const ChildResult run = probe.wait(30s);
    const auto heard = headphones.stop(kTones);

    ASSERT_FALSE(run.timedOut) << run.err;
    EXPECT_EQ(run.exitCode, 0) << run.err;
    ASSERT_EQ(heard.size(), 1u) << describe(heard);
    EXPECT_EQ(heard[0].hertz, kHigh);
    EXPECT_NEAR(heard[0].milliseconds, 400, kSlack) << describe(heard);
}

// Between cues the game keeps no stream on the server, and the next cue still sounds whole.
TEST(Rest, StreamClosesWhenIdleAndTheNextCueIsHeard) {
    ASSERT_NE(std::getenv("PULSE_SERVER"), nullptr)
        << "run through ctest: it starts the PulseAudio server these tests record from";
    TempDir programDir;
    TempDir work;
    writeCues(programDir.path());
    const fs::path go = work.path() / "go";

    Recording recording(work.path() / "monitor.raw", {});
    ASSERT_TRUE(recording.started());
    ChildProcess probe({MUKIRO_CUE_PROBE, programDir.path().string(), "play:clear.wav",
                        "until:" + go.string(), "play:" + kGunshot, "wait:900"},
                       {});
    EXPECT_TRUE(eventually(5s, [] { return gameStreamOpen({}); }));
    EXPECT_TRUE(eventually(SdlCuePlayer::kRestAfter + 5s, [] { return !gameStreamOpen({}); }))
        << "the stream stayed open while nothing sounded";
    touch(go);
    const ChildResult run = probe.wait(30s);
    const auto heard = recording.stop(kTones);

    ASSERT_FALSE(run.timedOut) << run.err;
    EXPECT_EQ(run.exitCode, 0) << run.err;
    ASSERT_EQ(heard.size(), 2u) << describe(heard);
    EXPECT_EQ(heard[0].hertz, kMid);
    EXPECT_NEAR(heard[0].milliseconds, 300, kSlack) << describe(heard);
    EXPECT_EQ(heard[1].hertz, kHigh);
    EXPECT_NEAR(heard[1].milliseconds, 400, kSlack) << describe(heard);
}

}  // namespace
}  // namespace mukiro::sound::test
