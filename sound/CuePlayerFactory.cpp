// Stand-in until the audio back end is wired: every cue is silent.
#include "sound/CuePlayerFactory.h"

namespace mukiro::sound {
namespace {

class SilentCuePlayer final : public rules::CuePlayer {
public:
    void play(std::string_view) override {}
};

}  // namespace

std::unique_ptr<rules::CuePlayer> makeCuePlayer(const std::filesystem::path&) {
    return std::make_unique<SilentCuePlayer>();
}

}  // namespace mukiro::sound
