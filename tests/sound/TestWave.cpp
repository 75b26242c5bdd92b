// Writes small tone WAV files that the sound tests can tell apart in a recording.
#include "TestWave.h"

#include <cmath>
#include <cstdint>
#include <fstream>
#include <numbers>
#include <string>

namespace mukiro::sound::test {
namespace {

constexpr std::uint32_t kRate = 22050;

void put(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFFu));
    }
}

}  // namespace

void writeToneWave(const std::filesystem::path& path, const std::vector<ToneSpan>& spans) {
    std::string samples;
    for (const ToneSpan& span : spans) {
        const auto count = static_cast<std::uint32_t>(span.milliseconds) * kRate / 1000;
        for (std::uint32_t i = 0; i < count; ++i) {
            const double t = static_cast<double>(i) / kRate;
            const double value = 9000.0 * std::sin(2.0 * std::numbers::pi * span.hertz * t);
            put(samples, static_cast<std::uint32_t>(static_cast<std::int16_t>(value)), 2);
        }
    }
    const auto dataSize = static_cast<std::uint32_t>(samples.size());
    std::string file = "RIFF";
    put(file, 36 + dataSize, 4);
    file += "WAVEfmt ";
    put(file, 16, 4);
    put(file, 1, 2);  // PCM
    put(file, 1, 2);  // mono
    put(file, kRate, 4);
    put(file, kRate * 2, 4);
    put(file, 2, 2);
    put(file, 16, 2);
    file += "data";
    put(file, dataSize, 4);
    file += samples;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << file;
}

}  // namespace mukiro::sound::test
