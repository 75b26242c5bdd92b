// Runs the cue probe program under a chosen environment and reads back what it measured.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "ChildProcess.h"

namespace mukiro::sound::test {

struct ProbeRun {
    ChildResult child;
    std::vector<double> playMicroseconds;  // one per play step
    double destroyMicroseconds = -1;
    int stderrLines = 0;
};

// `steps` as the probe takes them: "play:NAME", "wait:MS", "until:PATH" or "release".
ProbeRun runProbe(const std::filesystem::path& programDir, const std::vector<std::string>& steps,
                  const EnvChanges& env = {},
                  std::chrono::milliseconds timeout = std::chrono::seconds(20));

}  // namespace mukiro::sound::test
