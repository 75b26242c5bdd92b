// The port through which the rules ask for a sound cue; the window passes the real player.
#pragma once

#include <string_view>

namespace mukiro::rules {

class CuePlayer {
  public:
    virtual ~CuePlayer() = default;

    // Starts the cue file `name` (relative to the program's directory, a backslash separating
    // the subdirectory) and returns at once. A cue still sounding stops. Failures stay silent.
    virtual void play(std::string_view name) = 0;
};

}  // namespace mukiro::rules
