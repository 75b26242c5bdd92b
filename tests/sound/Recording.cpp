// Records the test sink's monitor while a sound test runs, and reads it back as tones.
#include "Recording.h"

#include <signal.h>

#include <fstream>
#include <thread>

namespace mukiro::sound::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr int kRate = 44100;

std::vector<std::int16_t> readSamples(const fs::path& raw) {
    std::error_code error;
    std::vector<std::int16_t> samples(fs::file_size(raw, error) / 2);
    std::ifstream file(raw, std::ios::binary);
    file.read(reinterpret_cast<char*>(samples.data()),
              static_cast<std::streamsize>(samples.size() * 2));
    return samples;
}

}  // namespace

Recording::Recording(fs::path raw, const EnvChanges& env, const std::string& sink)
    : raw_(std::move(raw)) {
    recorder_ = std::make_unique<ChildProcess>(
        std::vector<std::string>{MUKIRO_PAREC, "--raw", "--device=" + sink + ".monitor",
                                 "--format=s16le", "--rate=44100", "--channels=1",
                                 "--latency-msec=20"},
        env, raw_);
    // The monitor delivers silence from the start; a tenth of a second of it means the
    // recorder is connected.
    for (int i = 0; i < 500 && !started_; ++i) {
        std::error_code error;
        started_ = fs::file_size(raw_, error) >= kRate / 10 * 2 && !error;
        if (!started_) {
            std::this_thread::sleep_for(10ms);
        }
    }
}

Recording::~Recording() {
    if (recorder_) {
        recorder_->signal(SIGINT);
        recorder_->wait(5s);
    }
}

std::vector<ToneRun> Recording::stop(const std::vector<int>& tones) {
    recorder_->signal(SIGINT);
    const ChildResult recorded = recorder_->wait(5s);
    if (recorded.timedOut) {
        problem_ = "the recorder did not stop: " + recorded.err;
    }
    recorder_.reset();
    return audible(toneRuns(readSamples(raw_), kRate, tones));
}

}  // namespace mukiro::sound::test
