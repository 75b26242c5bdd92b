// Makes the cue player the game plays its sounds through.
#pragma once

#include <filesystem>
#include <memory>

#include "rules/CuePlayer.h"

namespace mukiro::sound {

// Cue names resolve against `programDir`. Where no sound can be made the player stays silent;
// it never fails and never blocks the caller.
std::unique_ptr<rules::CuePlayer> makeCuePlayer(const std::filesystem::path& programDir);

}  // namespace mukiro::sound
