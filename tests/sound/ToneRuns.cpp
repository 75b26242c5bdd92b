// Reads a recording of the null sink back as the runs of tones heard, for the sound tests.
#include "ToneRuns.h"

#include <cmath>
#include <cstdlib>
#include <sstream>

namespace mukiro::sound::test {
namespace {

constexpr int kSliceMs = 10;
// The test tones are written at about a quarter of full scale; silence is exactly 0 at a null
// sink, so any threshold between catches every tone and no silence.
constexpr double kAudibleRms = 300.0;
// The test cues hold no pauses of their own, so a gap this short inside one tone is a dropout.
constexpr int kLongestDropoutMs = 120;

int classify(const std::int16_t* slice, int count, int rate, const std::vector<int>& tones) {
    double energy = 0;
    int crossings = 0;
    int firstCrossing = -1;
    int lastCrossing = -1;
    for (int i = 0; i < count; ++i) {
        energy += static_cast<double>(slice[i]) * slice[i];
        if (i > 0 && ((slice[i - 1] < 0) != (slice[i] < 0))) {
            ++crossings;
            lastCrossing = i;
            if (firstCrossing < 0) {
                firstCrossing = i;
            }
        }
    }
    if (std::sqrt(energy / count) < kAudibleRms) {
        return 0;
    }
    if (crossings < 3) {
        return -1;
    }
    // Measured between the first and the last crossing, so a slice that a tone only partly
    // fills still reads as that tone.
    const double hertz = (crossings - 1) / 2.0 * rate / (lastCrossing - firstCrossing);
    for (int tone : tones) {
        if (std::abs(hertz - tone) < tone * 0.15) {
            return tone;
        }
    }
    return -1;
}

}  // namespace

std::vector<ToneRun> toneRuns(const std::vector<std::int16_t>& samples, int rate,
                              const std::vector<int>& tones) {
    const int perSlice = rate * kSliceMs / 1000;
    std::vector<int> labels;
    for (std::size_t at = 0; at + static_cast<std::size_t>(perSlice) <= samples.size();
         at += static_cast<std::size_t>(perSlice)) {
        labels.push_back(classify(&samples[at], perSlice, rate, tones));
    }
    // A slice holding the end of one tone and the start of the next, or a tone's first few
    // samples, matches nothing: it takes the label of the slice after it.
    for (std::size_t i = labels.size(); i-- > 1;) {
        if (labels[i - 1] == -1 && labels[i] > 0) {
            labels[i - 1] = labels[i];
        }
    }
    for (std::size_t i = 1; i < labels.size(); ++i) {
        if (labels[i] == -1 && labels[i - 1] > 0) {
            labels[i] = labels[i - 1];
        }
    }
    std::vector<ToneRun> runs;
    for (int label : labels) {
        if (!runs.empty() && runs.back().hertz == label) {
            runs.back().milliseconds += kSliceMs;
        } else {
            runs.push_back({label, kSliceMs});
        }
    }
    // A single slice of another tone right against a tone is where one cuts into the next, or
    // a glitch of a loaded machine: it belongs to the longer sounding neighbour.
    for (std::size_t i = 0; i < runs.size(); ++i) {
        if (runs[i].hertz == 0 || runs[i].milliseconds > kSliceMs) {
            continue;
        }
        const bool before = i > 0 && runs[i - 1].hertz != 0;
        const bool after = i + 1 < runs.size() && runs[i + 1].hertz != 0;
        if (!before && !after) {
            continue;
        }
        std::size_t into = before ? i - 1 : i + 1;
        if (before && after && runs[i + 1].milliseconds > runs[i - 1].milliseconds) {
            into = i + 1;
        }
        runs[into].milliseconds += runs[i].milliseconds;
        runs.erase(runs.begin() + static_cast<std::ptrdiff_t>(i));
        // The neighbours may now be one run.
        if (i > 0 && i < runs.size() && runs[i - 1].hertz == runs[i].hertz) {
            runs[i - 1].milliseconds += runs[i].milliseconds;
            runs.erase(runs.begin() + static_cast<std::ptrdiff_t>(i));
        }
        i = i > 0 ? i - 1 : 0;
    }
    // A short silence inside one tone is the sink starved for a moment on a busy machine: the
    // cue goes on after it, so both parts are one hearing of the cue.
    for (std::size_t i = 1; i + 1 < runs.size();) {
        const bool dropout = runs[i].hertz == 0 && runs[i].milliseconds <= kLongestDropoutMs &&
                             runs[i - 1].hertz > 0 && runs[i - 1].hertz == runs[i + 1].hertz;
        if (!dropout) {
            ++i;
            continue;
        }
        runs[i - 1].milliseconds += runs[i + 1].milliseconds;
        runs.erase(runs.begin() + static_cast<std::ptrdiff_t>(i),
                   runs.begin() + static_cast<std::ptrdiff_t>(i + 2));
    }
    return runs;
}

std::vector<ToneRun> audible(const std::vector<ToneRun>& runs) {
    std::vector<ToneRun> result;
    for (const ToneRun& run : runs) {
        if (run.hertz != 0) {
            result.push_back(run);
        }
    }
    return result;
}

int totalMilliseconds(const std::vector<ToneRun>& runs, int hertz) {
    int total = 0;
    for (const ToneRun& run : runs) {
        if (run.hertz == hertz) {
            total += run.milliseconds;
        }
    }
    return total;
}

std::string describe(const std::vector<ToneRun>& runs) {
    std::ostringstream text;
    for (const ToneRun& run : runs) {
        text << (run.hertz == 0 ? std::string("silence") : std::to_string(run.hertz) + " Hz") << " "
             << run.milliseconds << " ms; ";
    }
    return text.str();
}

}  // namespace mukiro::sound::test
