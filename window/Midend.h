// Between the rules and a front end: runs a handler to its end and hands back what the player
// must meet, step by step, so no front end waits inside the rules.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "rules/CuePlayer.h"
#include "rules/Game.h"
#include "rules/GameState.h"
#include "rules/MessageSink.h"
#include "window/Presentation.h"
#include "window/Screen.h"
#include "window/Step.h"

namespace mukiro::window {

// A front end plays a run out in order: each cue started, each Message drawn over the screen
// behind it and waited for, then the screen after the handler. The rules never wait: nothing
// they do after a Message depends on when the player dismisses it.
struct HandlerRun {
    std::vector<Step> steps;
    Screen after;
};

class Midend {
  public:
    // `initial` is the state the window opens with.
    explicit Midend(rules::GameState initial = {});
    Midend(const Midend&) = delete;
    Midend& operator=(const Midend&) = delete;

    // Start-up once the window exists (Form_Load).
    HandlerRun start();
    // The handler of the button `name`; nothing for a name no button has.
    std::optional<HandlerRun> press(std::string_view name);
    // The poke on the body picture, in pixels of its picture area.
    HandlerRun poke(short button, short shift, float x, float y);

    const rules::GameState& state() const noexcept { return game_.state(); }
    // The window as last drawn: the state the window opens with, or the screen after the last run.
    const Screen& screen() const noexcept { return screen_; }

  private:
    class Recorder final : public rules::CuePlayer, public rules::MessageSink {
      public:
        explicit Recorder(Midend& midend) : midend_(midend) {}
        void play(std::string_view name) override;
        void show(std::string_view text) override;

      private:
        Midend& midend_;
    };

    template <typename Handler>
    HandlerRun record(Handler handler);

    Recorder recorder_;
    Presentation presentation_;
    std::vector<Step> steps_;
    rules::Game game_;
    Screen screen_;
};

}  // namespace mukiro::window
