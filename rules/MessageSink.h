// The port through which the rules show a modal Message, which the player dismisses.
#pragma once

#include <string_view>

namespace mukiro::rules {

class MessageSink {
  public:
    virtual ~MessageSink() = default;

    // Shows `text` (UTF-8). The game state as it stands at this step is what the player must
    // see behind the Message. Nothing the rules do after a Message depends on when the player
    // dismisses it, so a sink may note it and return at once for the window to wait on later.
    virtual void show(std::string_view text) = 0;
};

}  // namespace mukiro::rules
