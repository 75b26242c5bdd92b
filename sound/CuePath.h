// Where a cue name lies on disk, beside the program.
#pragma once

#include <filesystem>
#include <string_view>

namespace mukiro::sound {

// Cue names use a backslash between a subdirectory and the file ("wave\鉄砲１.wav") and are
// UTF-8 text; the file system here takes '/' and UTF-8 bytes.
std::filesystem::path cuePath(const std::filesystem::path& programDir, std::string_view name);

}  // namespace mukiro::sound
