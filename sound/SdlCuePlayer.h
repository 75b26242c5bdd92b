// The cue player on SDL2_mixer: one cue at a time, never holding up the window.
#pragma once

#include <chrono>
#include <filesystem>
#include <memory>
#include <string_view>
#include <thread>

#include "rules/CuePlayer.h"

namespace mukiro::sound {

// A worker thread owns every SDL call: it opens the audio device, decodes the game's cue files
// ahead so a cue's first request sounds as quickly as later ones, and plays what play() asks
// for on a single mixer channel, so a new cue cuts the one still sounding. The window's thread
// only drops the name in a mailbox. Where no device opens or a file cannot be played, the cue
// is silent and the game goes on; one short line on stderr says so once per run.
//
// SDL_mixer keeps one mixer per process, so only the first live player makes sound; another
// made while it lives stays silent.
//
// Closing never hangs the game: a sound server that takes the connection and never answers
// holds SDL's connect for half a minute. The player waits a short while for its worker to get
// past connecting and then leaves it to finish on its own; the worker owns everything it still
// touches.
class SdlCuePlayer final : public rules::CuePlayer {
  public:
    // The longest closing waits for the worker to finish connecting to the sound server.
    static constexpr std::chrono::milliseconds kCloseWait{500};

    explicit SdlCuePlayer(std::filesystem::path programDir);
    ~SdlCuePlayer() override;

    SdlCuePlayer(const SdlCuePlayer&) = delete;
    SdlCuePlayer& operator=(const SdlCuePlayer&) = delete;

    void play(std::string_view name) override;

  private:
    // The worker's side: the device, the decoded cues and the mailbox. Shared with the worker
    // thread, so it outlives a player that stopped waiting.
    class Worker;

    std::shared_ptr<Worker> worker_;
    std::thread thread_;
};

}  // namespace mukiro::sound
