// The cue player on SDL2_mixer: one cue at a time, never holding up the window.
#include "sound/SdlCuePlayer.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <alsa/asoundlib.h>

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <fstream>
#include <mutex>
#include <string>
#include <system_error>
#include <unordered_map>

#include "rules/Cues.h"
#include "sound/CuePath.h"
#include "sound/LatestRequest.h"

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

// The mixer runs in the cues' own format, 16-bit mono at 22050 Hz, so each cue is played as it
// lies in its file. In any other format every cue is converted as it is preloaded: at 44100 Hz
// stereo that took most of the processor time the game spends starting up, and kept each cue at
// several times its size. The sound server converts the one mixed stream instead.
// A mixer period of 256 frames keeps the request-to-sound time near 12 ms without underruns.
constexpr int kRate = 22050;
constexpr int kChannels = 1;
constexpr int kFramesPerPeriod = 256;
// Every cue plays on this one channel: starting a chunk on it stops the chunk it was playing.
constexpr int kCueChannel = 0;

}  // namespace

class SdlCuePlayer::Worker {
  public:
    explicit Worker(std::filesystem::path programDir) : programDir_(std::move(programDir)) {}

    void play(std::string name) { requests_.put(std::move(name)); }

    // Runs on the worker thread until the mailbox closes and the device is let go.
    void run();

    // Asks the worker to stop. True when it has stopped or will stop promptly: it is past
    // connecting to the sound server within `wait`. False while it is still connecting.
    bool stop(std::chrono::milliseconds wait);

  private:
    struct ChunkDeleter {
        void operator()(Mix_Chunk* chunk) const { Mix_FreeChunk(chunk); }
    };
    using Chunk = std::unique_ptr<Mix_Chunk, ChunkDeleter>;

    bool openDevice();
    void closeDevice();
    void preloadKnownCues();
    Mix_Chunk* chunkFor(const std::string& name);
    Chunk load(const std::string& name) const;
    void start(const std::string& name);

    const std::filesystem::path programDir_;
    LatestRequest requests_;
    // Touched only by the worker thread. A name whose file failed to load maps to null, so it
    // stays silent without going back to the disk on every request.
    std::unordered_map<std::string, Chunk> chunks_;

    // For stop(): a worker past connecting (with or without a device) ends quickly.
    std::mutex phaseMutex_;
    std::condition_variable phaseChanged_;
    bool pastConnecting_ = false;
};

SdlCuePlayer::SdlCuePlayer(std::filesystem::path programDir)
    : worker_(std::make_shared<Worker>(std::move(programDir))),
      thread_([worker = worker_] { worker->run(); }) {}

SdlCuePlayer::~SdlCuePlayer() {
    // A worker with a device lets it go in a few milliseconds and is waited for, so the
    // process never ends while SDL is still closing.
    if (worker_->stop(kCloseWait)) {
        thread_.join();
    } else {
        // Still stuck in SDL's connect: the thread keeps the worker alive, lets the device go
        // if the server ever answers, or simply ends with the process.
        thread_.detach();
    }
}

void SdlCuePlayer::play(std::string_view name) {
    worker_->play(std::string(name));
}

void SdlCuePlayer::Worker::run() {
    const bool opened = openDevice();
    {
        const std::lock_guard lock(phaseMutex_);
        pastConnecting_ = true;
    }
    phaseChanged_.notify_all();
    if (opened) {
        preloadKnownCues();
        while (auto name = requests_.waitAndTake()) {
            start(*name);
        }
        closeDevice();
    }
}

bool SdlCuePlayer::Worker::stop(std::chrono::milliseconds wait) {
    requests_.close();
    std::unique_lock lock(phaseMutex_);
    return phaseChanged_.wait_for(lock, wait, [this] { return pastConnecting_; });
}

bool SdlCuePlayer::Worker::openDevice() {
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

void SdlCuePlayer::Worker::closeDevice() {
    Mix_HaltChannel(-1);
    chunks_.clear();
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    SDL_Quit();
    mixerTaken = false;
}

// The opening cue is requested before the window shows, while this runs: a request that
// arrives meanwhile is served between two files rather than after all of them.
void SdlCuePlayer::Worker::preloadKnownCues() {
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

Mix_Chunk* SdlCuePlayer::Worker::chunkFor(const std::string& name) {
    auto found = chunks_.find(name);
    if (found == chunks_.end()) {
        found = chunks_.emplace(name, load(name)).first;
    }
    return found->second.get();
}

SdlCuePlayer::Worker::Chunk SdlCuePlayer::Worker::load(const std::string& name) const {
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
void SdlCuePlayer::Worker::start(const std::string& name) {
    Mix_Chunk* chunk = chunkFor(name);
    if (chunk == nullptr) {
        Mix_HaltChannel(kCueChannel);
        return;
    }
    Mix_PlayChannel(kCueChannel, chunk, 0);
}

}  // namespace mukiro::sound
