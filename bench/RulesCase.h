// The clicks the rules benchmarks time: each handler from a state it is typically clicked in.
#pragma once

#include <span>

#include "rules/Game.h"
#include "rules/GameState.h"

namespace mukiro::bench {

struct RulesCase {
    const char* name;  // the handler, and after a slash the path through it when not the usual
    rules::GameState start;
    void (*click)(rules::Game& game);

    static std::span<const RulesCase> all();
};

}  // namespace mukiro::bench
