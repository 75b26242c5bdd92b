// Reads a recording of the null sink back as the runs of tones heard, for the sound tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace mukiro::sound::test {

struct ToneRun {
    int hertz;  // the test tone heard, 0 for silence, -1 for a sound that is none of them
    int milliseconds;
};

// `samples` are 16-bit mono at `rate`; each 10 ms slice is matched to the nearest of `tones`
// by its zero crossings. A lone slice where one tone meets the next joins its neighbour.
std::vector<ToneRun> toneRuns(const std::vector<std::int16_t>& samples, int rate,
                              const std::vector<int>& tones);

// The audible runs only, for messages and comparisons.
std::vector<ToneRun> audible(const std::vector<ToneRun>& runs);
int totalMilliseconds(const std::vector<ToneRun>& runs, int hertz);
std::string describe(const std::vector<ToneRun>& runs);

}  // namespace mukiro::sound::test
