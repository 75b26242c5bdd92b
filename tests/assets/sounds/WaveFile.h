// Reads a RIFF/WAVE file far enough to check a sound cue's format, length and levels.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <vector>

namespace mukiro::sound {

// What a cue file holds, as its own header says. Samples are read only for 16-bit PCM, the
// one encoding the game's cues use; for anything else the list stays empty.
class WaveFile {
  public:
    // Throws std::runtime_error, naming the problem, when the file is missing or is not a
    // well-formed RIFF/WAVE file with a "fmt " and a "data" chunk.
    static WaveFile read(const std::filesystem::path& path);

    std::uint16_t format() const { return format_; }
    std::uint16_t channels() const { return channels_; }
    std::uint32_t sampleRate() const { return sampleRate_; }
    std::uint16_t bitsPerSample() const { return bitsPerSample_; }
    const std::vector<std::int16_t>& samples() const { return samples_; }

    // From the size of the sound data, whatever its encoding.
    double seconds() const;
    // Levels in dB relative to full scale (32768); a silent stretch gives -infinity.
    double peakDb() const;
    double rmsDb() const;
    // The peak of the first or last `span` seconds.
    double leadingPeakDb(double span) const;
    double trailingPeakDb(double span) const;

  private:
    double peakDbOf(std::size_t first, std::size_t count) const;

    std::uint16_t format_ = 0;
    std::uint16_t channels_ = 0;
    std::uint32_t sampleRate_ = 0;
    std::uint16_t bitsPerSample_ = 0;
    std::size_t dataBytes_ = 0;
    std::vector<std::int16_t> samples_;
};

}  // namespace mukiro::sound
