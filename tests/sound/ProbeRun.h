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

// The probe's command line: `steps` as it takes them, "play:NAME", "wait:MS", "until:PATH" or
// "release".
std::vector<std::string> probeCommand(const std::filesystem::path& programDir,
                                      const std::vector<std::string>& steps);

// What a finished probe measured.
ProbeRun probeResult(ChildResult child);

// Runs the probe with `steps` to its end.
ProbeRun runProbe(const std::filesystem::path& programDir, const std::vector<std::string>& steps,
                  const EnvChanges& env = {},
                  std::chrono::milliseconds timeout = std::chrono::seconds(20));

}  // namespace mukiro::sound::test
