// Runs the cue probe program under a chosen environment and reads back what it measured.
#include "ProbeRun.h"

#include <algorithm>
#include <sstream>
#include <utility>

namespace mukiro::sound::test {

std::vector<std::string> probeCommand(const std::filesystem::path& programDir,
                                      const std::vector<std::string>& steps) {
    std::vector<std::string> argv = {MUKIRO_CUE_PROBE, programDir.string()};
    argv.insert(argv.end(), steps.begin(), steps.end());
    return argv;
}

ProbeRun probeResult(ChildResult child) {
    ProbeRun run;
    run.child = std::move(child);
    std::istringstream out(run.child.out);
    std::string word;
    double value = 0;
    while (out >> word >> value) {
        if (word == "play") {
            run.playMicroseconds.push_back(value);
        } else if (word == "destroy") {
            run.destroyMicroseconds = value;
        }
    }
    const std::string& err = run.child.err;
    run.stderrLines = static_cast<int>(std::count(err.begin(), err.end(), '\n'));
    if (!err.empty() && err.back() != '\n') {
        ++run.stderrLines;
    }
    return run;
}

ProbeRun runProbe(const std::filesystem::path& programDir, const std::vector<std::string>& steps,
                  const EnvChanges& env, std::chrono::milliseconds timeout) {
    return probeResult(ChildProcess::run(probeCommand(programDir, steps), env, timeout));
}

}  // namespace mukiro::sound::test
