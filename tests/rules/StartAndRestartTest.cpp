// Start-up, the restart and the guard on the 16-bit counters.
#include <gtest/gtest.h>

#include <cstdint>

#include "tests/rules/GameFixture.h"

namespace mukiro::testing {
namespace {

using rules::GameState;
using rules::Ink;
using rules::Picture;
using rules::PointCounter;

using StartAndRestart = GameFixture;

TEST_F(StartAndRestart, StartUpZeroesTheCountersPlaysTheOpeningCueAndWritesNoControl) {
    GameState dirty;
    dirty.kin = PointCounter(5);
    dirty.hirou = PointCounter(6);
    dirty.gisei = PointCounter(7);
    dirty.clearflag = PointCounter(1);
    start(dirty).Form_Load();

    GameState expected = dirty;
    expected.kin = expected.hirou = expected.gisei = expected.clearflag = PointCounter(0);
    EXPECT_EQ(state(), expected);
    EXPECT_EQ(host_.events(), std::vector{cue("iikaradani.wav")});
}

TEST_F(StartAndRestart, RestartRightAfterStartUpCountsOneSacrificeAndPutsLevel1OnShow) {
    start().Form_Load();
    host_.clear();
    game().Command1_Click();

    EXPECT_EQ(state(), freshLife());
    EXPECT_EQ(state().comment, "いい体にしてくれよ");  // no final full stop, unlike at start
    EXPECT_EQ(host_.events(), std::vector{cue("iikaradani.wav")});
}

TEST_F(StartAndRestart, RestartResetsEveryStatButKeepsWinsAndTheClearFlag) {
    GameState worn;
    worn.mlevel = 4;
    worn.kin = PointCounter(350);
    worn.hirou = PointCounter(40);
    worn.sibou = -30;
    worn.hiyake = 60;
    worn.bihada = 70;
    worn.kokoroiki = -20;
    worn.money = 123456;
    worn.pro = 0;
    worn.cre = 0;
    worn.clear = 4;
    worn.gisei = PointCounter(9);
    worn.sacrificeWrites = 9;
    worn.clearflag = PointCounter(1);
    worn.comment = "ふんっ！！";
    worn.now = Picture::hugoukaku;
    worn.hiroudoInk = Ink::red;
    worn.sibouInk = Ink::red;
    start(worn).Command1_Click();

    GameState expected = freshLife();
    expected.clear = 4;
    expected.clearflag = PointCounter(1);
    expected.gisei = PointCounter(10);
    expected.sacrificeWrites = 10;
    EXPECT_EQ(state(), expected);
}

TEST_F(StartAndRestart, EachRestartCountsOneMoreSacrifice) {
    start().Form_Load();
    for (int n = 1; n <= 5; ++n) {
        game().Command1_Click();
        EXPECT_EQ(state().gisei.value(), n);
        EXPECT_EQ(state().sacrificeWrites, static_cast<std::uint64_t>(n));
    }
}

TEST_F(StartAndRestart, SacrificesStopAtTheLargestCountTheCounterHolds) {
    GameState veteran;
    veteran.gisei = PointCounter(32766);
    start(veteran);
    game().Command1_Click();
    game().Command1_Click();
    game().Command1_Click();
    EXPECT_EQ(state().gisei.value(), 32767);
}

struct CounterCase {
    std::int16_t from;
    int delta;
    std::int16_t expected;
};

class CounterGuard : public ::testing::TestWithParam<CounterCase> {};

TEST_P(CounterGuard, NeverStoresAValueOutsideSixteenBits) {
    PointCounter counter(GetParam().from);
    counter.add(GetParam().delta);
    EXPECT_EQ(counter.value(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Limits, CounterGuard,
                         ::testing::Values(CounterCase{32700, 67, 32767},
                                           CounterCase{32700, 68, 32767},
                                           CounterCase{32767, 99, 32767},
                                           CounterCase{-32768, -1, -32768},
                                           CounterCase{-32760, -10, -32768}, CounterCase{0, -1, -1},
                                           CounterCase{5, 20, 25}));

}  // namespace
}  // namespace mukiro::testing
