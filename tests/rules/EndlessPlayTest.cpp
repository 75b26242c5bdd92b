// Long random play: the promises the rules keep after every handler.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <random>

#include "tests/rules/GameFixture.h"

namespace mukiro::testing {
namespace {

using rules::Game;
using rules::GameState;
using rules::Picture;
using rules::Stat;

// A seed can be given to reproduce a failure: MUKIRO_PLAY_SEED=1234 rules_test.
std::uint64_t playSeed() {
    if (const char* text = std::getenv("MUKIRO_PLAY_SEED")) {
        return std::strtoull(text, nullptr, 10);
    }
    return 20261210;
}

using Handler = void (Game::*)();

// A player who knows the game: keeps the man alive and steers him to the contest.
Handler coachMove(const GameState& s) {
    const bool ready =
        s.hiyake >= 50 && s.bihada >= 50 && s.kokoroiki >= 50 && s.mlevel >= 5 && s.sibou == 0;
    const int fatigue = s.hirou.value();
    if (ready) {
        return &Game::Command5_Click;
    }
    if (fatigue > 30) {
        return s.pro > 0 ? &Game::purotein_Click : &Game::eat_Click;
    }
    if (s.money < 2500) {
        return &Game::baito_Click;
    }
    if (s.mlevel < 5 || s.sibou > 0) {
        return s.sibou - 20 >= -40 ? &Game::toreining_Click : &Game::eat_Click;
    }
    if (s.sibou < 0) {
        return &Game::eat_Click;
    }
    if (s.hiyake < 50) {
        return &Game::saron_Click;
    }
    if (s.bihada < 50) {
        return &Game::esute_Click;
    }
    return &Game::pojingu_Click;
}

// The level a picture of the man's body belongs to, plain or shiny; 0 for any other picture.
int levelOfBody(Picture picture) {
    switch (picture) {
        case Picture::level1:
        case Picture::tyuesu:
            return 1;
        case Picture::level2:
        case Picture::fuesu:
            return 2;
        case Picture::level3:
        case Picture::futuesu:
            return 3;
        case Picture::level4:
        case Picture::yayaesu:
            return 4;
        case Picture::level5:
        case Picture::kenesu:
            return 5;
        default:
            return 0;
    }
}

class EndlessPlay : public GameFixture {
  protected:
    // Every promise that holds between two clicks, whatever was clicked.
    void expectSound(std::int64_t restarts, std::int64_t wins) {
        const GameState& s = state();
        ASSERT_GE(s.mlevel, 1);
        ASSERT_LE(s.mlevel, 5);
        ASSERT_GE(s.hirou.value(), 0);
        ASSERT_LE(s.hirou.value(), 50);
        ASSERT_GE(s.kin.value(), 0);
        ASSERT_LT(s.hiyake, 100);
        ASSERT_GE(s.hiyake, 0);
        ASSERT_GE(s.bihada, 0);
        ASSERT_GE(s.sibou, -40);
        ASSERT_LT(s.sibou, 70);
        ASSERT_GE(s.money, 0);
        ASSERT_GE(s.pro, 0);
        ASSERT_GE(s.cre, 0);
        ASSERT_TRUE(s.clearflag.value() == 0 || s.clearflag.value() == 1);
        ASSERT_NE(s.now, Picture::nanaesu);  // no rule puts the shiny fat man on show
        ASSERT_LE(levelOfBody(s.now), s.mlevel) << rules::pictureName(s.now);
        ASSERT_EQ(s.clear, wins);
        ASSERT_EQ(s.gisei.value(), std::min<std::int64_t>(restarts - wins, 32767));
    }
};

TEST_F(EndlessPlay, AMillionRandomClicksKeepEveryPromise) {
    const std::uint64_t seed = playSeed();
    SCOPED_TRACE(::testing::Message() << "MUKIRO_PLAY_SEED=" << seed);
    std::mt19937_64 random(seed);

    start().Form_Load();
    std::int64_t restarts = 0;
    std::int64_t wins = 0;
    std::uniform_int_distribution<int> pick(0, 99);
    std::uniform_real_distribution<float> where(0.0F, 199.0F);

    for (int step = 0; step < 1'000'000; ++step) {
        host_.clear();
        const std::int64_t winsBefore = state().clear;
        const int roll = pick(random);
        // Most clicks come from a player who knows the game, so that lives reach level 5 and
        // win; the rest are anybody's, and the restart is rare, as a player's would be.
        if (roll < 60) {
            (game().*coachMove(state()))();
        } else if (roll < 64) {
            game().toreining_Click();
        } else if (roll < 68) {
            game().purotein_Click();
        } else if (roll < 70) {
            game().kuream_Click();
        } else if (roll < 74) {
            game().eat_Click();
        } else if (roll < 78) {
            game().saron_Click();
        } else if (roll < 82) {
            game().esute_Click();
        } else if (roll < 86) {
            game().pojingu_Click();
        } else if (roll < 90) {
            game().baito_Click();
        } else if (roll < 94) {
            game().Command5_Click();
        } else if (roll < 95) {
            game().Command1_Click();
        } else {
            game().now_MouseDown(1, 0, where(random), where(random));
        }
        const auto cues = host_.cues();
        restarts += std::count(cues.begin(), cues.end(), "iikaradani.wav");
        wins += state().clear - winsBefore;
        expectSound(restarts, wins);
        if (HasFatalFailure()) {
            FAIL() << "broken after step " << step << " (roll " << roll << ")";
        }
    }
    // Lives did end and contests were won, so every path of the judgement was exercised.
    EXPECT_GT(restarts, 1000);
    EXPECT_GT(wins, 0);
}

// Money, spirit and the win count grow without bound in endless play; at the edge of 64 bits
// they stop there instead of wrapping round to the other end.
TEST_F(EndlessPlay, StatsStopAtTheirLimitsRatherThanWrap) {
    constexpr Stat kMost = std::numeric_limits<Stat>::max();
    constexpr Stat kLeast = std::numeric_limits<Stat>::min();
    struct Case {
        const char* name;
        Handler handler;
        GameState before;
        Stat GameState::*stat;
        Stat expected;
    };
    GameState rich = freshLife();
    rich.money = kMost - 1000;
    GameState veteran;  // ready to win
    veteran.mlevel = 5;
    veteran.hiyake = veteran.bihada = veteran.kokoroiki = 50;
    veteran.clear = kMost;
    GameState downcast = freshLife();
    downcast.kokoroiki = kLeast + 5;
    for (const Case& c : {Case{"part-time job", &Game::baito_Click, rich, &GameState::money, kMost},
                          Case{"a win", &Game::Command5_Click, veteran, &GameState::clear, kMost},
                          Case{"a failed audition", &Game::Command5_Click, downcast,
                               &GameState::kokoroiki, kLeast}}) {
        SCOPED_TRACE(c.name);
        (start(c.before).*c.handler)();
        EXPECT_EQ(state().*c.stat, c.expected);
    }
}

}  // namespace
}  // namespace mukiro::testing
