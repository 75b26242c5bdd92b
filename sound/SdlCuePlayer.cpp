// The cue player on SDL2_mixer: one cue at a time, never holding up the window.
#include "sound/SdlCuePlayer.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <alsa/asoundlib.h>

#include <array>
#include <atomic>
#include <cstdio>
#include <fstream>
#include <system_error>

#include "rules/Cues.h"
#include "sound/CuePath.h"

namespace mukiro::sound {
namespace {

// One mixer per process (see the class comment).
std::atomic<bool> mixerTaken{false};

// At most one line for the whole run: a player who has no sound needs to hear about it once,
// not once per click.
void warnOnce(std::string line) {
    static std::atomic<bool> warned{false};
    if (warned.exchange(true)) {
        return;
    }
    if (const auto end = line.find_first_of("\r\n"); end != std::string::npos) {
        line.resize(end);
    }
    constexpr std::size_t kLongest = 200;
    if (line.size() > kLongest) {
        line.resize(kLongest);
    }
    std::fprintf(stderr, "%s\n", line.c_str());
}

// SDL falls back to ALSA when no sound server answers; on a machine without a sound card the
// ALSA library then prints a dozen lines of its configuration errors. Our one line says it all.
void quietAlsa(const char*, int, const char*, int, const char*, ...) {}

// SDL_mixer would also take Ogg, FLAC or MP3 data behind a .wav name; the game's cues are WAV
// files, and anything else is treated as unplayable.
bool looksLikeWave(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return false;
    }
    std::ifstream file(path, std::ios::binary);
    std::array<char, 12> head{};
    if (!file.read(head.data(), head.size())) {
        return false;
    }
    const std::string_view text(head.data(), head.size());
    return text.substr(0, 4) == "RIFF" && text.substr(8, 4) == "WAVE";
}

// A mixer period of 512 frames keeps the request-to-sound time near 10 ms without underruns.
constexpr int kRate = 44100;
constexpr int kChannels = 2;
constexpr int kFramesPerPeriod = 512;
// Every cue plays on this one channel: starting a chunk on it stops the chunk it was playing.
constexpr int kCueChannel = 0;

}  // namespace

void SdlCuePlayer::ChunkDeleter::operator()(Mix_Chunk* chunk) const {
    Mix_FreeChunk(chunk);
}

SdlCuePlayer::SdlCuePlayer(std::filesystem::path programDir)
    : programDir_(std::move(programDir)), worker_([this] { run(); }) {}

SdlCuePlayer::~SdlCuePlayer() {
    requests_.close();
    worker_.join();
}

void SdlCuePlayer::play(std::string_view name) {
    requests_.put(std::string(name));
}

void SdlCuePlayer::run() {
    if (!openDevice()) {
        return;
    }
    preloadKnownCues();
    while (auto name = requests_.waitAndTake()) {
        start(*name);
    }
    closeDevice();
}

bool SdlCuePlayer::openDevice() {
    if (mixerTaken.exchange(true)) {
        return false;
    }
    snd_lib_error_set_handler(&quietAlsa);
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "ムキロ・タフ");
    SDL_SetHint(SDL_HINT_AUDIO_DEVICE_STREAM_NAME, "sound cues");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        warnOnce(std::string("mukiro: no sound: ") + SDL_GetError());
        SDL_Quit();
        mixerTaken = false;
        return false;
    }
    if (Mix_OpenAudioDevice(kRate, AUDIO_S16SYS, kChannels, kFramesPerPeriod, nullptr,
                            SDL_AUDIO_ALLOW_FREQUENCY_CHANGE) != 0) {
        warnOnce(std::string("mukiro: no sound: ") + Mix_GetError());
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        SDL_Quit();
        mixerTaken = false;
        return false;
    }
    Mix_AllocateChannels(1);
    return true;
}

void SdlCuePlayer::closeDevice() {
    Mix_HaltChannel(-1);
    chunks_.clear();
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    SDL_Quit();
    mixerTaken = false;
}

// The opening cue is requested before the window shows, while this runs: a request that
// arrives meanwhile is served between two files rather than after all of them.
void SdlCuePlayer::preloadKnownCues() {
    for (const std::string_view cue : rules::cues::kAll) {
        if (requests_.closed()) {
            return;
        }
        if (auto name = requests_.take()) {
            start(*name);
        }
        chunkFor(std::string(cue));
    }
}

Mix_Chunk* SdlCuePlayer::chunkFor(const std::string& name) {
    auto found = chunks_.find(name);
    if (found == chunks_.end()) {
        found = chunks_.emplace(name, load(name)).first;
    }
    return found->second.get();
}

SdlCuePlayer::Chunk SdlCuePlayer::load(const std::string& name) const {
    const std::filesystem::path path = cuePath(programDir_, name);
    if (!looksLikeWave(path)) {
        warnOnce("mukiro: silent cue: " + name + " (missing or not a WAV file)");
        return nullptr;
    }
    Chunk chunk(Mix_LoadWAV(path.c_str()));
    if (!chunk) {
        warnOnce("mukiro: silent cue: " + name + ": " + Mix_GetError());
    }
    return chunk;
}

// A request stops what is sounding even when its own file cannot be played: the cue it asked
// for is silence.
void SdlCuePlayer::start(const std::string& name) {
    Mix_Chunk* chunk = chunkFor(name);
    if (chunk == nullptr) {
        Mix_HaltChannel(kCueChannel);
        return;
    }
    Mix_PlayChannel(kCueChannel, chunk, 0);
}

}  // namespace mukiro::sound
