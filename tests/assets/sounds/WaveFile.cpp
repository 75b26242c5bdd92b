// Reads a RIFF/WAVE file far enough to check a sound cue's format, length and levels.
#include "WaveFile.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <limits>
#include <stdexcept>
#include <string>
#include <string_view>

namespace mukiro::sound {

namespace {

constexpr double kFullScale = 32768.0;

// RIFF is little-endian whatever the machine, so values are put together byte by byte.
std::uint32_t readLe(const std::vector<unsigned char>& bytes, std::size_t at, int width) {
    std::uint32_t value = 0;
    for (int i = width - 1; i >= 0; --i) {
        value = (value << 8) | bytes[at + static_cast<std::size_t>(i)];
    }
    return value;
}

bool tagAt(const std::vector<unsigned char>& bytes, std::size_t at, std::string_view tag) {
    return bytes.size() >= at + 4 &&
           std::equal(tag.begin(), tag.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
}

double toDb(double amplitude) {
    return amplitude > 0 ? 20.0 * std::log10(amplitude / kFullScale)
                         : -std::numeric_limits<double>::infinity();
}

}  // namespace

WaveFile WaveFile::read(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot open " + path.string());
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(in),
                                           std::istreambuf_iterator<char>()};
    if (!tagAt(bytes, 0, "RIFF") || !tagAt(bytes, 8, "WAVE")) {
        throw std::runtime_error("not a RIFF/WAVE file");
    }

    WaveFile wave;
    bool haveFormat = false;
    bool haveData = false;
    std::size_t at = 12;
    while (at + 8 <= bytes.size()) {
        const std::size_t size = readLe(bytes, at + 4, 4);
        const std::size_t body = at + 8;
        if (body + size > bytes.size())
            throw std::runtime_error("a chunk runs past the end");
        if (tagAt(bytes, at, "fmt ")) {
            if (size < 16)
                throw std::runtime_error("the fmt chunk is too short");
            wave.format_ = static_cast<std::uint16_t>(readLe(bytes, body, 2));
            wave.channels_ = static_cast<std::uint16_t>(readLe(bytes, body + 2, 2));
            wave.sampleRate_ = readLe(bytes, body + 4, 4);
            wave.bitsPerSample_ = static_cast<std::uint16_t>(readLe(bytes, body + 14, 2));
            haveFormat = true;
        } else if (tagAt(bytes, at, "data")) {
            if (!haveFormat)
                throw std::runtime_error("the data chunk comes before fmt");
            if (wave.format_ == 1 && wave.bitsPerSample_ == 16) {
                wave.samples_.reserve(size / 2);
                for (std::size_t i = 0; i + 1 < size; i += 2) {
                    wave.samples_.push_back(static_cast<std::int16_t>(readLe(bytes, body + i, 2)));
                }
            }
            wave.dataBytes_ = size;
            haveData = true;
        }
        // Chunks are padded to an even length.
        at = body + size + (size % 2);
    }
    if (!haveFormat || !haveData)
        throw std::runtime_error("no fmt or no data chunk");
    return wave;
}

double WaveFile::seconds() const {
    const std::size_t bytesPerSecond =
        std::size_t{sampleRate_} * channels_ * ((bitsPerSample_ + 7u) / 8u);
    if (bytesPerSecond == 0) {
        return 0;
    }
    return static_cast<double>(dataBytes_) / static_cast<double>(bytesPerSecond);
}

double WaveFile::peakDb() const {
    return peakDbOf(0, samples_.size());
}

double WaveFile::rmsDb() const {
    if (samples_.empty())
        return toDb(0);
    double sum = 0;
    for (const std::int16_t s : samples_) sum += static_cast<double>(s) * s;
    return toDb(std::sqrt(sum / static_cast<double>(samples_.size())));
}

double WaveFile::leadingPeakDb(double span) const {
    const auto count = static_cast<std::size_t>(span * sampleRate_ * channels_);
    return peakDbOf(0, std::min(count, samples_.size()));
}

double WaveFile::trailingPeakDb(double span) const {
    const auto count =
        std::min(static_cast<std::size_t>(span * sampleRate_ * channels_), samples_.size());
    return peakDbOf(samples_.size() - count, count);
}

double WaveFile::peakDbOf(std::size_t first, std::size_t count) const {
    int peak = 0;
    for (std::size_t i = first; i < first + count; ++i) {
        peak = std::max(peak, std::abs(static_cast<int>(samples_[i])));
    }
    return toDb(peak);
}

}  // namespace mukiro::sound
