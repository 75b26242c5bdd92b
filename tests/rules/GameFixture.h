// A game over a recording host, started from whatever state a test needs.
#pragma once

#include <gtest/gtest.h>

#include <optional>

#include "rules/Game.h"
#include "tests/support/RecordingHost.h"

namespace mukiro::testing {

class GameFixture : public ::testing::Test {
  protected:
    rules::Game& start(rules::GameState initial = {}) {
        game_.emplace(host_, host_, std::move(initial));
        host_.watch(game_->state());
        return *game_;
    }

    rules::Game& game() { return *game_; }
    const rules::GameState& state() const { return game_->state(); }

    // A life in progress right after a restart: the state every restart leaves, `level1` on
    // show, the four warning labels black, one sacrifice counted.
    static rules::GameState freshLife() {
        rules::GameState s;
        s.comment = "いい体にしてくれよ";
        s.now = rules::Picture::level1;
        s.gisei = rules::PointCounter(1);
        s.sacrificeWrites = 1;
        s.hiroudoInk = s.sibouInk = s.hiyakeInk = s.bihadaInk = rules::Ink::black;
        return s;
    }

    RecordingHost host_;
    std::optional<rules::Game> game_;
};

}  // namespace mukiro::testing
