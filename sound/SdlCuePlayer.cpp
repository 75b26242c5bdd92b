// The cue player on SDL's own audio: one cue at a time, never holding up the window.
#include "sound/SdlCuePlayer.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <mutex>
#include <optional>
#include <string>
#include <system_error>
#include <unordered_map>
#include <vector>

#include "sound/CuePath.h"
#include "sound/LatestRequest.h"
#include "sound/SdlAudioLibrary.h"

namespace mukiro::sound {
namespace {

using Clock = std::chrono::steady_clock;

// One player per process drives SDL's audio (see the class comment).
std::atomic<bool> audioTaken{false};

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

// Only regular files that say they are WAV files are read: a pipe named like a cue would hold
// the worker forever, and a clear line beats SDL's words for a file that is something else.
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

// The device runs in the cues' own format, 16-bit mono at 22050 Hz, so the game's cues are
// kept as they lie in their files; a cue in any other format is converted once, as it is
// read. The sound server converts the one stream. A period of 256 frames (12 ms) keeps the
// request-to-sound time near 12 ms without underruns.
constexpr int kRate = 22050;
constexpr SDL_AudioFormat kFormat = AUDIO_S16SYS;
constexpr Uint8 kChannels = 1;
constexpr int kBytesPerFrame = SDL_AUDIO_BITSIZE(kFormat) / 8 * kChannels;
constexpr Uint16 kFramesPerPeriod = 256;

}  // namespace

class SdlCuePlayer::Worker {
  public:
    Worker(std::filesystem::path programDir, bool released)
        : programDir_(std::move(programDir)), released_(released) {}

    void play(std::string name) { requests_.put(std::move(name)); }
    void release();

    // Runs on the worker thread until the mailbox closes and the device is let go.
    void run();

    // Asks the worker to stop. True when it will stop promptly: it is not connecting to the
    // sound server, or got past connecting within `wait`. False while it is still connecting.
    bool stop(std::chrono::milliseconds wait);

  private:
    using Samples = std::vector<Uint8>;

    void start(const std::string& name);
    bool loadLibrary();
    bool openDevice();
    bool connect();
    void closeDevice();
    // Closes the device and SDL's audio driver, which holds the sound server's connection.
    void disconnect();
    bool deviceGone() const;
    void sound(const Samples* samples);
    const Samples* samplesFor(const std::string& name);
    std::optional<Samples> load(const std::string& name) const;
    std::chrono::milliseconds untilRest() const;

    // Marks the worker as talking to the sound server, unless the player is closing.
    bool beginConnecting();
    void endConnecting();

    // Runs on SDL's audio thread, under the device's lock.
    static void SDLCALL fill(void* worker, Uint8* stream, int length);

    const std::filesystem::path programDir_;
    LatestRequest requests_;

    // Touched only by the worker thread.
    const SdlAudioLibrary* sdl_ = nullptr;
    bool libraryFailed_ = false;
    bool ownsAudio_ = false;
    bool connected_ = false;
    SDL_AudioDeviceID device_ = 0;
    Clock::time_point quietFrom_;
    // A name whose file could not be read maps to nothing, so it stays silent without going
    // back to the disk on every request. Samples stay put once read: the device reads them.
    std::unordered_map<std::string, std::optional<Samples>> cues_;

    // The cue the device plays and how far it got; guarded by the device's lock.
    const Samples* sounding_ = nullptr;
    std::size_t played_ = 0;

    // For stop(): a worker that is not connecting ends quickly. For release(): a held worker
    // waits here before it touches SDL.
    std::mutex phaseMutex_;
    std::condition_variable phaseChanged_;
    bool connecting_ = false;
    bool released_;
    bool stopping_ = false;
};

SdlCuePlayer::SdlCuePlayer(std::filesystem::path programDir, Start start)
    : worker_(std::make_shared<Worker>(std::move(programDir), start == Start::atOnce)),
      thread_([worker = worker_] { worker->run(); }) {}

SdlCuePlayer::~SdlCuePlayer() {
    // A worker past connecting lets its device go in a few milliseconds and is waited for, so
    // the process never ends while SDL is still closing.
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

void SdlCuePlayer::release() {
    worker_->release();
}

void SdlCuePlayer::Worker::release() {
    {
        const std::lock_guard lock(phaseMutex_);
        released_ = true;
    }
    phaseChanged_.notify_all();
}

void SdlCuePlayer::Worker::run() {
    {
        std::unique_lock lock(phaseMutex_);
        phaseChanged_.wait(lock, [this] { return released_ || stopping_; });
    }
    // The device is opened ahead of the first request, which then sounds as quickly as any
    // later one; unused, it rests like any other.
    if (!requests_.closed() && loadLibrary() && openDevice()) {
        quietFrom_ = Clock::now();
    }
    for (;;) {
        // With the device open the worker wakes once, when it is time to rest.
        const std::optional<std::string> name =
            device_ != 0 ? requests_.waitAndTake(untilRest()) : requests_.waitAndTake();
        if (requests_.closed()) {
            break;
        }
        if (name) {
            start(*name);
        } else if (device_ != 0 && untilRest().count() == 0) {
            closeDevice();
        }
    }
    disconnect();
    if (ownsAudio_) {
        sdl_->Quit();
        audioTaken = false;
    }
}

bool SdlCuePlayer::Worker::stop(std::chrono::milliseconds wait) {
    requests_.close();
    std::unique_lock lock(phaseMutex_);
    stopping_ = true;
    phaseChanged_.notify_all();
    return phaseChanged_.wait_for(lock, wait, [this] { return !connecting_; });
}

bool SdlCuePlayer::Worker::beginConnecting() {
    const std::lock_guard lock(phaseMutex_);
    if (requests_.closed()) {
        return false;
    }
    connecting_ = true;
    return true;
}

void SdlCuePlayer::Worker::endConnecting() {
    {
        const std::lock_guard lock(phaseMutex_);
        connecting_ = false;
    }
    phaseChanged_.notify_all();
}

std::chrono::milliseconds SdlCuePlayer::Worker::untilRest() const {
    const auto left = quietFrom_ + kRestAfter - Clock::now();
    return std::max(std::chrono::ceil<std::chrono::milliseconds>(left),
                    std::chrono::milliseconds(0));
}

// A request stops what is sounding even when its own file cannot be played: the cue it asked
// for is silence.
void SdlCuePlayer::Worker::start(const std::string& name) {
    if (!loadLibrary()) {
        return;
    }
    const Samples* samples = samplesFor(name);
    if (device_ != 0 && deviceGone()) {
        // The sound server went away under the open device: connect afresh.
        disconnect();
    }
    if (samples == nullptr) {
        if (device_ != 0) {
            sound(nullptr);
        }
        return;
    }
    if (openDevice()) {
        sound(samples);
    }
}

bool SdlCuePlayer::Worker::loadLibrary() {
    if (sdl_ == nullptr && !libraryFailed_) {
        std::string error;
        sdl_ = SdlAudioLibrary::load(error);
        if (sdl_ == nullptr) {
            libraryFailed_ = true;
            warnOnce("mukiro: no sound: " + error);
        } else if (sdl_->setAlsaErrorHandler != nullptr) {
            sdl_->setAlsaErrorHandler(&quietAlsa);
        }
    }
    return sdl_ != nullptr;
}

bool SdlCuePlayer::Worker::openDevice() {
    if (device_ != 0) {
        return true;
    }
    // A driver that keeps one connection for all its devices fails to open one once its server
    // has gone, so a second try connects afresh.
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!connect()) {
            return false;
        }
        if (!beginConnecting()) {
            return false;
        }
        SDL_AudioSpec wanted{};
        wanted.freq = kRate;
        wanted.format = kFormat;
        wanted.channels = kChannels;
        wanted.samples = kFramesPerPeriod;
        wanted.callback = &Worker::fill;
        wanted.userdata = this;
        SDL_AudioSpec obtained{};
        // No changes allowed: SDL converts for the server where it must.
        device_ = sdl_->OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
        endConnecting();
        if (device_ != 0) {
            sdl_->PauseAudioDevice(device_, 0);
            return true;
        }
        const std::string why = sdl_->GetError();
        disconnect();
        if (attempt == 1) {
            warnOnce("mukiro: no sound: " + why);
        }
    }
    return false;
}

bool SdlCuePlayer::Worker::connect() {
    if (connected_) {
        return true;
    }
    if (!ownsAudio_) {
        if (audioTaken.exchange(true)) {
            return false;
        }
        ownsAudio_ = true;
        sdl_->SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        sdl_->SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "ムキロ・タフ");
        sdl_->SetHint(SDL_HINT_AUDIO_DEVICE_STREAM_NAME, "sound cues");
    }
    if (!beginConnecting()) {
        return false;
    }
    connected_ = sdl_->InitSubSystem(SDL_INIT_AUDIO) == 0;
    endConnecting();
    if (!connected_) {
        warnOnce(std::string("mukiro: no sound: ") + sdl_->GetError());
    }
    return connected_;
}

void SdlCuePlayer::Worker::closeDevice() {
    if (device_ != 0) {
        sdl_->CloseAudioDevice(device_);
        device_ = 0;
        sounding_ = nullptr;
        played_ = 0;
    }
}

void SdlCuePlayer::Worker::disconnect() {
    closeDevice();
    if (connected_) {
        sdl_->QuitSubSystem(SDL_INIT_AUDIO);
        connected_ = false;
    }
}

bool SdlCuePlayer::Worker::deviceGone() const {
    return sdl_->GetAudioDeviceStatus(device_) == SDL_AUDIO_STOPPED;
}

void SdlCuePlayer::Worker::sound(const Samples* samples) {
    sdl_->LockAudioDevice(device_);
    sounding_ = samples;
    played_ = 0;
    sdl_->UnlockAudioDevice(device_);
    const auto frames = samples != nullptr ? samples->size() / kBytesPerFrame : 0;
    quietFrom_ = Clock::now() + std::chrono::microseconds(frames * 1'000'000 / kRate);
}

void SDLCALL SdlCuePlayer::Worker::fill(void* worker, Uint8* stream, int length) {
    auto* self = static_cast<Worker*>(worker);
    const auto wanted = static_cast<std::size_t>(length);
    std::size_t copied = 0;
    if (self->sounding_ != nullptr) {
        copied = std::min(wanted, self->sounding_->size() - self->played_);
        std::memcpy(stream, self->sounding_->data() + self->played_, copied);
        self->played_ += copied;
    }
    // Signed 16-bit silence is all zero bytes.
    std::memset(stream + copied, 0, wanted - copied);
}

const SdlCuePlayer::Worker::Samples* SdlCuePlayer::Worker::samplesFor(const std::string& name) {
    auto found = cues_.find(name);
    if (found == cues_.end()) {
        found = cues_.emplace(name, load(name)).first;
    }
    return found->second ? &*found->second : nullptr;
}

std::optional<SdlCuePlayer::Worker::Samples> SdlCuePlayer::Worker::load(
    const std::string& name) const {
    const std::filesystem::path path = cuePath(programDir_, name);
    if (!looksLikeWave(path)) {
        warnOnce("mukiro: silent cue: " + name + " (missing or not a WAV file)");
        return std::nullopt;
    }
    SDL_AudioSpec fileFormat{};
    Uint8* buffer = nullptr;
    Uint32 length = 0;
    if (sdl_->LoadWAV_RW(sdl_->RWFromFile(path.c_str(), "rb"), 1, &fileFormat, &buffer, &length) ==
        nullptr) {
        warnOnce("mukiro: silent cue: " + name + ": " + sdl_->GetError());
        return std::nullopt;
    }
    SDL_AudioCVT conversion{};
    const int needed = sdl_->BuildAudioCVT(&conversion, fileFormat.format, fileFormat.channels,
                                           fileFormat.freq, kFormat, kChannels, kRate);
    std::optional<Samples> samples;
    if (needed == 0) {
        samples.emplace(buffer, buffer + length);
    } else if (needed > 0) {
        Samples work(std::size_t{length} * static_cast<std::size_t>(conversion.len_mult));
        std::copy(buffer, buffer + length, work.begin());
        conversion.buf = work.data();
        conversion.len = static_cast<int>(length);
        if (sdl_->ConvertAudio(&conversion) == 0) {
            work.resize(static_cast<std::size_t>(conversion.len_cvt));
            samples = std::move(work);
        }
    }
    sdl_->FreeWAV(buffer);
    if (!samples) {
        warnOnce("mukiro: silent cue: " + name + ": " + sdl_->GetError());
        return std::nullopt;
    }
    // Whole frames only, so the device never reads half a sample.
    samples->resize(samples->size() / kBytesPerFrame * kBytesPerFrame);
    return samples;
}

}  // namespace mukiro::sound
