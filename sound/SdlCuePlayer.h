// The cue player on SDL's own audio: one cue at a time, never holding up the window.
#pragma once

#include <chrono>
#include <filesystem>
#include <memory>
#include <string_view>
#include <thread>

#include "rules/CuePlayer.h"

namespace mukiro::sound {

// A worker thread owns every SDL call: it loads SDL (see SdlAudioLibrary), opens the audio
// device, reads each cue file the first time it is asked for and keeps its samples, and feeds
// one cue at a time to the device, so a new cue cuts the one still sounding. The window's
// thread only drops the name in a mailbox. Where no device opens or a file cannot be played,
// the cue is silent and the game goes on; one short line on stderr says so once per run.
//
// The device rests: once a cue has ended and nothing more was asked for during kRestAfter,
// the device is closed, so the sound server can let the sound card sleep; the next request
// opens it again. A device that went away with its sound server (a desktop restarting its
// sound service, a resume, a card unplugged) is noticed at the next request, which connects
// afresh. Nothing is retried on a timer: with no server and no clicks the worker sleeps.
//
// SDL's audio driver is one per process, so only the first live player makes sound; another
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

    // How long the device stays open after a cue ends. Clicks come in runs a second or so
    // apart; reopening costs a few milliseconds, keeping a stream running costs the sound
    // server several percent of a core for as long as it stays open.
    static constexpr std::chrono::milliseconds kRestAfter{2000};

    // When the player may load SDL and open the device.
    enum class Start {
        atOnce,
        // Not before release(): requests wait in the mailbox (the newest one) meanwhile. Loading
        // SDL and connecting to the sound server beside the window being built held the
        // window's first frame up by a seventh; after the frame they cost it nothing.
        onRelease,
    };

    explicit SdlCuePlayer(std::filesystem::path programDir, Start start = Start::atOnce);
    ~SdlCuePlayer() override;

    SdlCuePlayer(const SdlCuePlayer&) = delete;
    SdlCuePlayer& operator=(const SdlCuePlayer&) = delete;

    void play(std::string_view name) override;

    // Lets a player made with Start::onRelease begin; the cue asked for meanwhile then plays
    // from its start. Any thread; more calls do nothing.
    void release();

  private:
    // The worker's side: the device, the cues' samples and the mailbox. Shared with the worker
    // thread, so it outlives a player that stopped waiting.
    class Worker;

    std::shared_ptr<Worker> worker_;
    std::thread thread_;
};

}  // namespace mukiro::sound
