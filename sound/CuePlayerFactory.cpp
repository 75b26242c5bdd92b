// Makes the cue player the game plays its sounds through.
#include "sound/CuePlayerFactory.h"

#include "sound/SdlCuePlayer.h"

namespace mukiro::sound {

std::unique_ptr<rules::CuePlayer> makeCuePlayer(const std::filesystem::path& programDir) {
    return std::make_unique<SdlCuePlayer>(programDir);
}

}  // namespace mukiro::sound
