// The button table: every button of the window runs the handler the game gives it.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "rules/Game.h"
#include "tests/support/RecordingHost.h"
#include "window/ButtonTable.h"
#include "window/WindowLayout.h"

namespace mukiro::testing {
namespace {

using rules::Game;
using window::ButtonTable;

// What a handler does from one state: the cues and Messages, and the state it leaves.
struct Outcome {
    std::vector<HostEvent> events;
    rules::GameState state;
    friend bool operator==(const Outcome&, const Outcome&) = default;
};

// A man at level 4 with some of everything: each handler leaves its own mark on him.
rules::GameState midLife() {
    rules::GameState s;
    s.mlevel = 4;
    s.kin = rules::PointCounter(350);
    s.hirou = rules::PointCounter(40);
    s.sibou = 5;
    s.hiyake = 30;
    s.bihada = 30;
    s.kokoroiki = 30;
    s.now = rules::Picture::level4;
    return s;
}

Outcome run(ButtonTable::Handler handler) {
    RecordingHost host;
    Game game(host, host, midLife());
    host.watch(game.state());
    (game.*handler)();
    return {host.events(), game.state()};
}

TEST(ButtonTable, EachButtonOfTheLayoutRunsItsOwnHandler) {
    // The game's own pairs, written out here as the window was designed.
    const std::pair<std::string, ButtonTable::Handler> kExpected[] = {
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
    std::set<std::string> layoutButtons;
    for (const window::ControlLayout& row : window::ControlLayout::controls()) {
        if (row.kind == window::ControlKind::button) {
            layoutButtons.insert(row.name);
        }
    }
    std::set<std::string> expectedButtons;
    std::vector<Outcome> outcomes;
    for (const auto& [button, handler] : kExpected) {
        SCOPED_TRACE(button);
        expectedButtons.insert(button);
        const ButtonTable::Handler found = ButtonTable::handlerOf(button);
        ASSERT_NE(found, nullptr);
        // Compared by what they do, so a button wired to another handler shows.
        EXPECT_EQ(run(found), run(handler));
        outcomes.push_back(run(handler));
    }
    EXPECT_EQ(layoutButtons, expectedButtons);
    // From this state no two handlers do the same, so the comparison above tells them apart.
    for (std::size_t i = 0; i < outcomes.size(); ++i) {
        for (std::size_t j = i + 1; j < outcomes.size(); ++j) {
            EXPECT_NE(outcomes[i], outcomes[j]) << kExpected[i].first << " " << kExpected[j].first;
        }
    }
    std::set<std::string> tableButtons;
    for (const ButtonTable::Entry& entry : ButtonTable::entries()) {
        tableButtons.insert(std::string(entry.button));
    }
    EXPECT_EQ(tableButtons, layoutButtons);
}

TEST(ButtonTable, NamesNoButtonHasFindNoHandler) {
    for (const char* name : {"", "now", "Text1", "Setumei", "command1", "toreining "}) {
        EXPECT_EQ(ButtonTable::handlerOf(name), nullptr) << name;
    }
}

}  // namespace
}  // namespace mukiro::testing
