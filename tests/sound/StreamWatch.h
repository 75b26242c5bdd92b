// Watches the sound server for the game's stream, so that a sound test goes on once the player
// is up rather than after a guess at how long it takes to get there.
#pragma once

#include <chrono>
#include <functional>

#include "ChildProcess.h"

namespace mukiro::sound::test {

// Polls `holds` until it is true or `limit` has passed; whether it came true.
bool eventually(std::chrono::milliseconds limit, const std::function<bool()>& holds);

// Whether the game has a stream on the server `env` names, by the name the player gives it.
bool gameStreamOpen(const EnvChanges& env);

}  // namespace mukiro::sound::test
