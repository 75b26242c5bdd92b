// The sound cue files the game requests, by the moment they belong to.
#pragma once

#include <array>
#include <string_view>

namespace mukiro::rules::cues {

inline constexpr std::string_view kFreshStart = "iikaradani.wav";
inline constexpr std::string_view kTraining = "iiase.wav";
inline constexpr std::string_view kProtein = "purotein.wav";
inline constexpr std::string_view kCream = "saibou.wav";
inline constexpr std::string_view kMeal = "manpuku.wav";
inline constexpr std::string_view kTanningSalon = "hiyake.wav";
inline constexpr std::string_view kBeautySalon = "keana.wav";
inline constexpr std::string_view kPosing = "pose.wav";
inline constexpr std::string_view kPartTimeJob = "money.wav";
inline constexpr std::string_view kSkinCancer = "hihugan.wav";
inline constexpr std::string_view kOverwork = "karousi.wav";
inline constexpr std::string_view kTooThin = "yasesugi.wav";
inline constexpr std::string_view kNextLife = "raiseha.wav";
inline constexpr std::string_view kTooFat = "70%.wav";
inline constexpr std::string_view kClear = "clear.wav";
// The only cue in a subdirectory; the backslash is the game's separator.
inline constexpr std::string_view kGunshot = "wave\\鉄砲１.wav";
inline constexpr std::string_view kMore = "motto.wav";
inline constexpr std::string_view kSlap = "tya.wav";
inline constexpr std::string_view kAudition = "dokidoki.wav";
inline constexpr std::string_view kPassed = "goukaku.wav";
inline constexpr std::string_view kCongratulations = "congra.wav";
inline constexpr std::string_view kFailed = "hugoukaku.wav";
inline constexpr std::string_view kExplanation = "waka.wav";

inline constexpr std::array kAll = {
    kFreshStart,  kTraining, kProtein,         kCream,      kMeal,        kTanningSalon,
    kBeautySalon, kPosing,   kPartTimeJob,     kSkinCancer, kOverwork,    kTooThin,
    kNextLife,    kTooFat,   kClear,           kGunshot,    kMore,        kSlap,
    kAudition,    kPassed,   kCongratulations, kFailed,     kExplanation,
};

}  // namespace mukiro::rules::cues
