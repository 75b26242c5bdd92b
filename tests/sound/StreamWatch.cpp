// Watches the sound server for the game's stream.
#include "StreamWatch.h"

#include <string>
#include <thread>
#include <vector>

namespace mukiro::sound::test {

using namespace std::chrono_literals;

bool eventually(std::chrono::milliseconds limit, const std::function<bool()>& holds) {
    const auto giveUp = std::chrono::steady_clock::now() + limit;
    while (!holds()) {
        if (std::chrono::steady_clock::now() > giveUp) {
            return false;
        }
        std::this_thread::sleep_for(50ms);
    }
    return true;
}

bool gameStreamOpen(const EnvChanges& env) {
    const ChildResult listed = ChildProcess::run({MUKIRO_PACTL, "list", "sink-inputs"}, env, 10s);
    return listed.out.find("application.name = \"ムキロ・タフ\"") != std::string::npos;
}

}  // namespace mukiro::sound::test
