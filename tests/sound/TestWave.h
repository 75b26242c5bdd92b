// Writes small tone WAV files that the sound tests can tell apart in a recording.
#pragma once

#include <filesystem>
#include <vector>

namespace mukiro::sound::test {

struct ToneSpan {
    int hertz;  // 0 for silence
    int milliseconds;
};

// 16-bit mono PCM at 22050 Hz, the format of the game's own cues.
void writeToneWave(const std::filesystem::path& path, const std::vector<ToneSpan>& spans);

}  // namespace mukiro::sound::test
