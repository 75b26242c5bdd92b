// Records the test sink's monitor while a sound test runs, and reads it back as tones.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "ToneRuns.h"

namespace mukiro::sound::test {

class Recording {
  public:
    // Records the monitor of `sink` on the server that `env` names (by PULSE_SERVER) into
    // `raw`; returns once the recorder delivers.
    Recording(std::filesystem::path raw, const EnvChanges& env,
              const std::string& sink = MUKIRO_TEST_SINK);
    ~Recording();

    Recording(const Recording&) = delete;
    Recording& operator=(const Recording&) = delete;

    bool started() const { return started_; }

    // Stops the recorder and gives the audible runs among `tones` (Hz).
    std::vector<ToneRun> stop(const std::vector<int>& tones);
    // Empty, or what went wrong stopping the recorder.
    const std::string& problem() const { return problem_; }

  private:
    std::filesystem::path raw_;
    std::string problem_;
    std::unique_ptr<ChildProcess> recorder_;
    bool started_ = false;
};

}  // namespace mukiro::sound::test
