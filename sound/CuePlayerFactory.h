// Makes the cue player the game plays its sounds through.
#pragma once

#include <filesystem>
#include <memory>

#include "sound/SdlCuePlayer.h"

namespace mukiro::sound {

// Cue names resolve against `programDir`. Where no sound can be made the player stays silent;
// it never fails and never blocks the caller. With SdlCuePlayer::Start::onRelease it makes no
// sound before its release().
std::unique_ptr<SdlCuePlayer> makeCuePlayer(
    const std::filesystem::path& programDir,
    SdlCuePlayer::Start start = SdlCuePlayer::Start::atOnce);

}  // namespace mukiro::sound
