// The audition: five inclusive conditions, a win without a sacrifice, a fail that costs spirit.
#include <gtest/gtest.h>

#include "tests/rules/GameFixture.h"

namespace mukiro::testing {
namespace {

using rules::GameState;
using rules::Picture;
using rules::PointCounter;

constexpr std::string_view kEntered = "オーディションに応募したぞ｡結果はどうかな､ドキドキ";

GameState contender() {
    GameState s;
    s.hiyake = 50;
    s.bihada = 50;
    s.kokoroiki = 50;
    s.mlevel = 5;
    s.sibou = 0;
    s.kin = PointCounter(420);
    s.hirou = PointCounter(30);
    s.money = 4000;
    s.now = Picture::level5;
    return s;
}

using Audition = GameFixture;

TEST_F(Audition, AWinCountsAWinnerAndStartsAFreshManWithoutASacrifice) {
    GameState s = contender();
    s.clear = 2;
    s.gisei = PointCounter(3);
    s.sacrificeWrites = 3;
    start(s).Command5_Click();

    EXPECT_EQ(
        host_.events(),
        (std::vector{cue("dokidoki.wav"), message(kEntered, Picture::level5), cue("goukaku.wav"),
                     message("合格だ！合格だよアニキ！あにきぃー！！", Picture::goukaku),
                     cue("congra.wav"),
                     message("おめでとう。マッチョコンテスト優勝だ！", Picture::goukaku),
                     cue("iikaradani.wav")}));
    GameState expected = GameFixture::freshLife();
    expected.clear = 3;
    expected.gisei = PointCounter(3);
    expected.sacrificeWrites = 4;  // the restart rewrites the same count
    EXPECT_EQ(state(), expected);
}

TEST_F(Audition, AWinBeforeAnyRestartLeavesNoSacrifice) {
    start(contender()).Command5_Click();
    EXPECT_EQ(state().gisei.value(), 0);
    EXPECT_EQ(state().clear, 1);
}

TEST_F(Audition, MissingAnyConditionFailsAndCostsTenSpirit) {
    struct Case {
        const char* name;
        void (*spoil)(GameState&);
    };
    for (const Case& c : {Case{"tan 49", [](GameState& s) { s.hiyake = 49; }},
                          Case{"skin beauty 49", [](GameState& s) { s.bihada = 49; }},
                          Case{"spirit 49", [](GameState& s) { s.kokoroiki = 49; }},
                          Case{"level 4", [](GameState& s) { s.mlevel = 4; }},
                          Case{"body fat 1", [](GameState& s) { s.sibou = 1; }},
                          Case{"body fat -5", [](GameState& s) { s.sibou = -5; }}}) {
        SCOPED_TRACE(c.name);
        GameState before = contender();
        c.spoil(before);
        host_.clear();
        start(before).Command5_Click();

        EXPECT_EQ(host_.events(),
                  (std::vector{cue("dokidoki.wav"), message(kEntered, Picture::level5),
                               cue("hugoukaku.wav"),
                               message("だめだったよ。残念だな。", Picture::hugoukaku)}));
        GameState expected = before;
        expected.kokoroiki -= 10;
        expected.now = Picture::hugoukaku;
        EXPECT_EQ(state(), expected);
    }
}

TEST_F(Audition, SpiritGoesBelowZeroWithEveryFailedTry) {
    start().Command5_Click();
    EXPECT_EQ(state().kokoroiki, -10);
    game().Command5_Click();
    EXPECT_EQ(state().kokoroiki, -20);
}

TEST_F(Audition, TheCryingManStaysWhileBodyFatKeepsTheLevel5JudgementAway) {
    GameState s = contender();
    s.sibou = 5;
    s.hirou = PointCounter(0);
    s.clearflag = PointCounter(1);
    start(s).Command5_Click();
    game().pojingu_Click();
    game().baito_Click();
    EXPECT_EQ(state().now, Picture::hugoukaku);
}

}  // namespace
}  // namespace mukiro::testing
