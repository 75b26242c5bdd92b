// The cue player on SDL2_mixer: one cue at a time, never holding up the window.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <unordered_map>

#include "rules/CuePlayer.h"
#include "sound/LatestRequest.h"

struct Mix_Chunk;

namespace mukiro::sound {

// A worker thread owns every SDL call: it opens the audio device, decodes the game's cue files
// ahead so a cue's first request sounds as quickly as later ones, and plays what play() asks
// for on a single mixer channel, so a new cue cuts the one still sounding. The window's thread
// only drops the name in a mailbox. Where no device opens or a file cannot be played, the cue
// is silent and the game goes on; one short line on stderr says so once per run.
//
// SDL_mixer keeps one mixer per process, so only the first live player makes sound; another
// made while it lives stays silent.
class SdlCuePlayer final : public rules::CuePlayer {
  public:
    explicit SdlCuePlayer(std::filesystem::path programDir);
    ~SdlCuePlayer() override;

    SdlCuePlayer(const SdlCuePlayer&) = delete;
    SdlCuePlayer& operator=(const SdlCuePlayer&) = delete;

    void play(std::string_view name) override;

  private:
    struct ChunkDeleter {
        void operator()(Mix_Chunk* chunk) const;
    };
    using Chunk = std::unique_ptr<Mix_Chunk, ChunkDeleter>;

    void run();
    bool openDevice();
    void closeDevice();
    void preloadKnownCues();
    Mix_Chunk* chunkFor(const std::string& name);
    Chunk load(const std::string& name) const;
    void start(const std::string& name);

    const std::filesystem::path programDir_;
    LatestRequest requests_;
    // Touched only by the worker. A name whose file failed to load maps to null, so it stays
    // silent without going back to the disk on every request.
    std::unordered_map<std::string, Chunk> chunks_;
    std::thread worker_;
};

}  // namespace mukiro::sound
