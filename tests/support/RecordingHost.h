// A recording stand-in for the window and the sound player: every cue and Message, in order.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "rules/CuePlayer.h"
#include "rules/GameState.h"
#include "rules/MessageSink.h"

namespace mukiro::rules {
// Test failures name pictures instead of dumping their bytes.
inline void PrintTo(Picture picture, std::ostream* out) {
    *out << pictureName(picture);
}
}  // namespace mukiro::rules

namespace mukiro::testing {

// One thing the player would hear or see. A Message also records the picture on show behind it.
struct HostEvent {
    enum class Kind { cue, message };
    Kind kind;
    std::string text;
    std::optional<rules::Picture> behind;  // messages only

    friend bool operator==(const HostEvent&, const HostEvent&) = default;
    friend std::ostream& operator<<(std::ostream& out, const HostEvent& event);
};

HostEvent cue(std::string_view name);
HostEvent message(std::string_view text, rules::Picture behind);

class RecordingHost final : public rules::CuePlayer, public rules::MessageSink {
  public:
    // The state is read at each Message to note the picture on show; set it once the game exists.
    void watch(const rules::GameState& state) { state_ = &state; }

    void play(std::string_view name) override;
    void show(std::string_view text) override;

    const std::vector<HostEvent>& events() const { return events_; }
    std::vector<std::string> cues() const;
    std::vector<std::string> messages() const;
    void clear() { events_.clear(); }

  private:
    const rules::GameState* state_ = nullptr;
    std::vector<HostEvent> events_;
};

}  // namespace mukiro::testing
