// The tones the sound tests' cues are made of, and how closely a heard run must match.
#pragma once

#include <string>
#include <vector>

namespace mukiro::sound::test {

inline constexpr int kLow = 500;
inline constexpr int kMid = 1000;
inline constexpr int kHigh = 2000;
inline const std::vector<int> kTones = {kLow, kMid, kHigh};
// Slices are 10 ms and a device period about 12 ms; a loaded machine adds a little more.
inline constexpr int kSlack = 60;

// The one cue in the subfolder, with its backslash and its Japanese name.
inline const std::string kGunshot = "wave\\鉄砲１.wav";

}  // namespace mukiro::sound::test
