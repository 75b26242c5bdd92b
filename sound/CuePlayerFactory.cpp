// Makes the cue player the game plays its sounds through.
#include "sound/CuePlayerFactory.h"

namespace mukiro::sound {

std::unique_ptr<SdlCuePlayer> makeCuePlayer(const std::filesystem::path& programDir,
                                            SdlCuePlayer::Start start) {
    return std::make_unique<SdlCuePlayer>(programDir, start);
}

}  // namespace mukiro::sound
