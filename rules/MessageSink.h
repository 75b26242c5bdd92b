// The port through which the rules show a modal Message and wait for the player.
#pragma once

#include <string_view>

namespace mukiro::rules {

class MessageSink {
  public:
    virtual ~MessageSink() = default;

    // Shows `text` (UTF-8) and returns once the player has dismissed it. The game state as it
    // stands at this step is what the player must see behind the Message.
    virtual void show(std::string_view text) = 0;
};

}  // namespace mukiro::rules
