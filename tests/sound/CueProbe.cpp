// A tiny program that drives the real cue player the way the window does, for the sound tests
// and the benchmark to run under any environment and watch from outside.
//
//   sound_cue_probe PROGRAM_DIR STEP...   STEP: play:NAME, wait:MILLISECONDS, until:PATH, release
//
// until:PATH waits (up to a minute) for the file PATH to appear: a test does something to the
// sound server meanwhile and then lets the probe go on. With a release step anywhere, the
// player is made as the game makes it, held until released, and that step releases it.
//
// Prints "play MICROSECONDS" for each request (how long play() took) and, once the player is
// gone, "destroy MICROSECONDS".
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <thread>

#include "sound/CuePlayerFactory.h"

namespace {

using Clock = std::chrono::steady_clock;

double microsecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

}  // namespace

// Read by the leak checker of the sanitizer builds, and by nothing else. When the sound server
// goes away under SDL's PulseAudio driver, the server's client library keeps a few small
// records (88 bytes each, queries SDL made on that connection) that it never frees once the
// server has dropped the connection, though SDL's audio is shut down and connected afresh.
// Only the server-restart tests see it. The player never calls that library itself.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:pa_xmalloc\n";
}
// The report of what was suppressed would count as the player's own stderr lines.
extern "C" const char* __lsan_default_options() {
    return "print_suppressions=0";
}

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PROGRAM_DIR [play:NAME|wait:MS|until:PATH|release]...\n",
                     argv[0]);
        return 2;
    }
    using Start = mukiro::sound::SdlCuePlayer::Start;
    const bool held = std::any_of(argv + 2, argv + argc, [](const char* step) {
        return std::string_view(step) == "release";
    });
    auto player = mukiro::sound::makeCuePlayer(argv[1], held ? Start::onRelease : Start::atOnce);
    for (int i = 2; i < argc; ++i) {
        const std::string_view step = argv[i];
        if (step == "release") {
            player->release();
        } else if (step.starts_with("play:")) {
            const auto start = Clock::now();
            player->play(step.substr(5));
            std::printf("play %.1f\n", microsecondsSince(start));
        } else if (step.starts_with("wait:")) {
            std::this_thread::sleep_for(std::chrono::milliseconds(std::stoi(argv[i] + 5)));
        } else if (step.starts_with("until:")) {
            const std::filesystem::path flag(std::string(step.substr(6)));
            const auto giveUp = Clock::now() + std::chrono::minutes(1);
            while (!std::filesystem::exists(flag) && Clock::now() < giveUp) {
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
        } else {
            std::fprintf(stderr, "unknown step %s\n", argv[i]);
            return 2;
        }
    }
    const auto start = Clock::now();
    player.reset();
    std::printf("destroy %.1f\n", microsecondsSince(start));
    return 0;
}
