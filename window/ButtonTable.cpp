// The handler each button of the window runs, by the button's name.
#include "window/ButtonTable.h"

namespace mukiro::window {

namespace {

using rules::Game;

constexpr ButtonTable::Entry kButtons[] = {
    {"Command1", &Game::Command1_Click},
    {"purotein", &Game::purotein_Click},
    {"toreining", &Game::toreining_Click},
    {"kuream", &Game::kuream_Click},
    {"eat", &Game::eat_Click},
    {"saron", &Game::saron_Click},
    {"esute", &Game::esute_Click},
    {"pojingu", &Game::pojingu_Click},
    {"baito", &Game::baito_Click},
    {"Command5", &Game::Command5_Click},
};

}  // namespace

std::span<const ButtonTable::Entry> ButtonTable::entries() {
    return kButtons;
}

ButtonTable::Handler ButtonTable::handlerOf(std::string_view name) {
    for (const Entry& entry : kButtons) {
        if (entry.button == name) {
            return entry.handler;
        }
    }
    return nullptr;
}

}  // namespace mukiro::window
