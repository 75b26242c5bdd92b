// Measures the cue player against a PulseAudio null sink: how long a request takes on the
// window's thread, and how long from a request until the cue's first samples reach the sink.
//
//   sound_bench [SINK]   PULSE_SERVER names the server; SINK defaults to mukiro_test.
// bench/sound/run.sh starts a private server and runs this.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "rules/Cues.h"
#include "sound/CuePath.h"
#include "sound/CuePlayerFactory.h"
#include "sound/SdlCuePlayer.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr int kRate = 44100;
// Far above the null sink's silence (exactly 0) and far below the cues' level.
constexpr int kAudible = 1000;
constexpr int kTrials = 25;
// Each waits out the player's rest time, so fewer.
constexpr int kRestedTrials = 5;

void putLe(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFFu));
    }
}

// A short loud tone that starts at full level on its first sample.
void writeCue(const fs::path& path) {
    std::string samples;
    for (int i = 0; i < kRate * 60 / 1000; ++i) {
        const double value = 12000.0 * std::cos(2.0 * std::numbers::pi * 1000.0 * i / kRate);
        putLe(samples, static_cast<std::uint32_t>(static_cast<std::int16_t>(value)), 2);
    }
    std::string file = "RIFF";
    putLe(file, static_cast<std::uint32_t>(36 + samples.size()), 4);
    file += "WAVEfmt ";
    putLe(file, 16, 4);
    putLe(file, 1, 2);
    putLe(file, 1, 2);
    putLe(file, kRate, 4);
    putLe(file, kRate * 2, 4);
    putLe(file, 2, 2);
    putLe(file, 16, 2);
    file += "data";
    putLe(file, static_cast<std::uint32_t>(samples.size()), 4);
    file += samples;
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << file;
}

// Reads the sink's monitor through parec with the smallest latency it allows.
class Monitor {
  public:
    explicit Monitor(const std::string& sink) {
        int out[2];
        if (pipe(out) != 0) {
            std::perror("pipe");
            std::exit(1);
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        std::string device = "--device=" + sink + ".monitor";
        std::array<std::string, 7> args = {"parec",           "--raw",        device,
                                           "--format=s16le",  "--rate=44100", "--channels=1",
                                           "--latency-msec=1"};
        std::vector<char*> argv;
        for (auto& arg : args) {
            argv.push_back(arg.data());
        }
        argv.push_back(nullptr);
        if (posix_spawnp(&pid_, "parec", &actions, nullptr, argv.data(), environ) != 0) {
            std::fprintf(stderr, "cannot start parec\n");
            std::exit(1);
        }
        posix_spawn_file_actions_destroy(&actions);
        close(out[1]);
        fd_ = out[0];
    }

    ~Monitor() {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
        close(fd_);
    }

    // Reads what arrives within `wait`; true when any of it was audible.
    bool readFor(std::chrono::milliseconds wait) {
        bool heard = false;
        const auto until = Clock::now() + wait;
        while (Clock::now() < until) {
            heard = readOnce(1) || heard;
        }
        return heard;
    }

    // Reads until audible samples arrive; when they did, or nothing after `limit`.
    std::optional<Clock::time_point> firstAudible(std::chrono::milliseconds limit) {
        const auto until = Clock::now() + limit;
        while (Clock::now() < until) {
            if (readOnce(5)) {
                return Clock::now();
            }
        }
        return std::nullopt;
    }

  private:
    bool readOnce(int timeoutMs) {
        pollfd poller{fd_, POLLIN, 0};
        if (poll(&poller, 1, timeoutMs) <= 0) {
            return false;
        }
        std::array<std::int16_t, 512> samples{};
        const ssize_t bytes = read(fd_, samples.data(), sizeof samples);
        if (bytes <= 0) {
            std::fprintf(stderr, "the recorder stopped\n");
            std::exit(1);
        }
        const auto count = static_cast<std::size_t>(bytes) / 2;
        return std::any_of(samples.begin(), samples.begin() + static_cast<std::ptrdiff_t>(count),
                           [](std::int16_t s) { return std::abs(s) > kAudible; });
    }

    pid_t pid_ = -1;
    int fd_ = -1;
};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 == 1 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

void printRow(const char* what, const std::vector<double>& ms, double target) {
    if (ms.empty()) {
        std::printf("%-44s    0  never heard  MISSED\n", what);
        return;
    }
    const auto [low, high] = std::minmax_element(ms.begin(), ms.end());
    const double mid = median(ms);
    std::printf("%-44s %4zu %10.4f %10.4f %10.4f %9.1f  %s\n", what, ms.size(), mid, *low, *high,
                target, mid <= target ? "met" : "MISSED");
}

double msBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

}  // namespace

int main(int argc, char** argv) {
    const std::string sink = argc > 1 ? argv[1] : "mukiro_test";
    if (std::getenv("PULSE_SERVER") == nullptr) {
        std::fprintf(stderr, "PULSE_SERVER is not set; bench/sound/run.sh sets it\n");
        return 2;
    }
    std::string dirPattern = (fs::temp_directory_path() / "mukiro-bench-XXXXXX").string();
    if (mkdtemp(dirPattern.data()) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    const fs::path programDir = dirPattern;
    for (std::string_view cue : mukiro::rules::cues::kAll) {
        writeCue(mukiro::sound::cuePath(programDir, cue));
    }

    Monitor monitor(sink);
    monitor.readFor(300ms);

    // The opening cue, requested as the window does: right after the player is made.
    const auto made = Clock::now();
    auto player = mukiro::sound::makeCuePlayer(programDir);
    player->play(mukiro::rules::cues::kFreshStart);
    const auto opening = monitor.firstAudible(5s);
    monitor.readFor(300ms);

    // Each cue's first request, then one cue again and again.
    std::vector<double> firstMs;
    std::vector<double> repeatMs;
    std::vector<double> callMs;
    int missed = 0;
    auto measure = [&](std::string_view cue, std::vector<double>& into) {
        if (monitor.readFor(150ms)) {
            monitor.readFor(150ms);
        }
        const auto asked = Clock::now();
        player->play(cue);
        callMs.push_back(msBetween(asked, Clock::now()));
        if (const auto heard = monitor.firstAudible(2s)) {
            into.push_back(msBetween(asked, *heard));
        } else {
            ++missed;
        }
    };
    for (std::string_view cue : mukiro::rules::cues::kAll) {
        if (cue != mukiro::rules::cues::kFreshStart) {
            measure(cue, firstMs);
        }
    }
    for (int i = 0; i < kTrials; ++i) {
        measure(mukiro::rules::cues::kTraining, repeatMs);
    }
    // After a pause long enough for the player to close its device: the request opens it again.
    std::vector<double> restedMs;
    for (int i = 0; i < kRestedTrials; ++i) {
        monitor.readFor(mukiro::sound::SdlCuePlayer::kRestAfter + 500ms);
        measure(mukiro::rules::cues::kTraining, restedMs);
    }

    // The call alone, many times over, as quick clicks would make it.
    std::vector<double> burstMs;
    for (int i = 0; i < 200; ++i) {
        const auto asked = Clock::now();
        player->play(mukiro::rules::cues::kAll[static_cast<std::size_t>(i) %
                                               mukiro::rules::cues::kAll.size()]);
        burstMs.push_back(msBetween(asked, Clock::now()));
    }
    const auto closing = Clock::now();
    player.reset();
    const double closeMs = msBetween(closing, Clock::now());
    fs::remove_all(programDir);

    std::printf("%-44s %4s %10s %10s %10s %9s\n", "milliseconds", "n", "median", "min", "max",
                "target");
    printRow("play() call, measured requests", callMs, 0.1);
    printRow("play() call, 200 back-to-back requests", burstMs, 0.1);
    printRow("request to sound, first request of a cue", firstMs, 20.0);
    printRow("request to sound, repeated request", repeatMs, 20.0);
    printRow("request to sound, after the device rested", restedMs, 20.0);
    if (opening) {
        std::printf("opening cue, player made to sound: %.1f ms (device opened meanwhile)\n",
                    msBetween(made, *opening));
    } else {
        std::printf("opening cue: never heard\n");
    }
    std::printf("player destroyed in %.1f ms\n", closeMs);
    if (missed > 0) {
        std::printf("%d requests were never heard\n", missed);
        return 1;
    }
    return 0;
}
