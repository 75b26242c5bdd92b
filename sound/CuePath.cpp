// Where a cue name lies on disk, beside the program.
#include "sound/CuePath.h"

#include <algorithm>
#include <string>

namespace mukiro::sound {

std::filesystem::path cuePath(const std::filesystem::path& programDir, std::string_view name) {
    std::u8string relative(name.begin(), name.end());
    std::replace(relative.begin(), relative.end(), u8'\\', u8'/');
    return programDir / std::filesystem::path(relative);
}

}  // namespace mukiro::sound
