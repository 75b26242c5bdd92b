// The judgement after an action: level pictures, deaths, level steps, the clear and the hint.
// Posing is the action that runs it here: it only adds 10 spirit and 10 fatigue points.
#include <gtest/gtest.h>

#include "tests/rules/GameFixture.h"

namespace mukiro::testing {
namespace {

using rules::GameState;
using rules::Picture;
using rules::PointCounter;

constexpr std::string_view kLevelUp = "レベルアップ！！";
constexpr std::string_view kNextLife = "来世はマッチョに生まれますように";

class Judgement : public GameFixture {
  protected:
    void judge(const GameState& before) {
        start(before);
        game().pojingu_Click();
    }

    // The life that every death and win ends in: a restart after `before`.
    static GameState restartedAfter(const GameState& before) {
        GameState after = freshLife();
        after.clear = before.clear;
        after.clearflag = before.clearflag;
        after.gisei = PointCounter(static_cast<std::int16_t>(before.gisei.value() + 1));
        after.sacrificeWrites = before.sacrificeWrites + 1;
        return after;
    }

    static GameState atLevel(int level, int kin) {
        GameState s = freshLife();
        s.mlevel = level;
        s.kin = PointCounter(static_cast<std::int16_t>(kin));
        return s;
    }
};

TEST_F(Judgement, LevelRisesOneStepAtTheMuscleThresholds) {
    struct Case {
        int level;
        int kin;
        int levelAfter;
        Picture shown;
        int bodyFat = 0;
    };
    // At level 4 one point short of 400 neither clears a lean man nor asks a fat one for less.
    for (const Case c : {Case{1, 99, 1, Picture::level1}, Case{1, 100, 2, Picture::level2},
                         Case{2, 199, 2, Picture::level2}, Case{2, 200, 3, Picture::level3},
                         Case{3, 299, 3, Picture::level3}, Case{3, 300, 4, Picture::level4},
                         Case{4, 399, 4, Picture::level4}, Case{4, 399, 4, Picture::level4, 10}}) {
        SCOPED_TRACE(::testing::Message()
                     << "level " << c.level << ", kin " << c.kin << ", body fat " << c.bodyFat);
        host_.clear();
        GameState before = atLevel(c.level, c.kin);
        before.sibou = c.bodyFat;
        judge(before);
        EXPECT_EQ(state().mlevel, c.levelAfter);
        EXPECT_EQ(state().now, c.shown);
        std::vector<HostEvent> expected = {cue("pose.wav")};
        if (c.levelAfter != c.level) {
            expected.push_back(message(kLevelUp, c.shown));
        }
        EXPECT_EQ(host_.events(), expected);
    }
}

TEST_F(Judgement, AtMostOneLevelStepPerCall) {
    start(atLevel(1, 450));
    for (int expectedLevel : {2, 3, 4}) {
        host_.clear();
        game().pojingu_Click();
        EXPECT_EQ(state().mlevel, expectedLevel);
        EXPECT_EQ(host_.messages(), std::vector<std::string>{std::string(kLevelUp)});
    }
}

TEST_F(Judgement, LeanLevel4WithEnoughMuscleGetsTheClearWithOneCue) {
    judge(atLevel(4, 400));
    EXPECT_EQ(host_.events(),
              (std::vector{cue("pose.wav"), cue("clear.wav"),
                           message("わーい。マッチョになれたぞありがとう！！", Picture::level5)}));
    EXPECT_EQ(state().mlevel, 5);
    EXPECT_EQ(state().clearflag.value(), 1);
    EXPECT_EQ(state().now, Picture::level5);
    EXPECT_EQ(state().comment, "後はオーディションに合格するだけだな");
}

TEST_F(Judgement, Level4WithBodyFatAsksForLessThenClearsWithTwoCuesOnceLean) {
    GameState s = atLevel(4, 400);
    s.sibou = 10;
    judge(s);
    EXPECT_EQ(host_.events(), (std::vector{cue("pose.wav"), cue("motto.wav"),
                                           message("もっと絞ってくれよ！！", Picture::level4)}));
    EXPECT_EQ(state().mlevel, 5);
    EXPECT_EQ(state().now, Picture::level4);  // no level-5 body yet
    EXPECT_EQ(state().clearflag.value(), 0);

    GameState lean = state();
    lean.sibou = 0;
    lean.hirou = PointCounter(0);
    host_.clear();
    judge(lean);
    EXPECT_EQ(host_.events(),
              (std::vector{cue("pose.wav"), cue("clear.wav"), cue("wave\\鉄砲１.wav"),
                           message("わーい。マッチョになれたぞありがとう！！", Picture::level5)}));
    EXPECT_EQ(state().clearflag.value(), 1);
}

TEST_F(Judgement, AfterTheFirstClearLaterLivesOnlyGetTheAskForLess) {
    GameState s = atLevel(4, 400);
    s.clearflag = PointCounter(1);
    judge(s);
    EXPECT_EQ(host_.cues(), (std::vector<std::string>{"pose.wav", "motto.wav"}));
    EXPECT_EQ(state().mlevel, 5);
    EXPECT_EQ(state().now, Picture::level4);  // the level-5 body never comes this way

    GameState topLean = atLevel(5, 500);
    topLean.clearflag = PointCounter(1);
    topLean.now = Picture::hugoukaku;
    host_.clear();
    judge(topLean);
    EXPECT_EQ(host_.events(), std::vector{cue("pose.wav")});
    EXPECT_EQ(state().now, Picture::level5);
}

TEST_F(Judgement, AtLevel5WithBodyFatThePictureOnShowStays) {
    GameState s = atLevel(5, 500);
    s.sibou = 3;
    s.clearflag = PointCounter(1);
    s.now = Picture::hugoukaku;
    judge(s);
    EXPECT_EQ(state().now, Picture::hugoukaku);
    EXPECT_EQ(host_.events(), std::vector{cue("pose.wav")});
}

TEST_F(Judgement, SkinCancerShowsBandagesThenTheGraveThenRestarts) {
    GameState s = atLevel(2, 150);
    s.hiyake = 100;
    s.hirou = PointCounter(45);  // would also die of overwork: one death per call
    s.clear = 2;
    judge(s);
    EXPECT_EQ(host_.events(),
              (std::vector{
                  cue("pose.wav"), cue("hihugan.wav"),
                  message("日に焼け過ぎて皮膚ガンになっちゃった。死ぬよ。", Picture::hifugan),
                  cue("raiseha.wav"), message(kNextLife, Picture::death), cue("iikaradani.wav")}));
    EXPECT_EQ(state(), restartedAfter(s));
}

TEST_F(Judgement, EachDeathAtItsExactBound) {
    struct Case {
        const char* name;
        void (*prepare)(GameState&);
        std::vector<HostEvent> deathEvents;  // empty: he lives
    };
    const std::vector<Case> cases = {
        {"tan 99 lives", [](GameState& s) { s.hiyake = 99; }, {}},
        {"fatigue 50 lives", [](GameState& s) { s.hirou = PointCounter(40); }, {}},
        {"fatigue 51 dies",
         [](GameState& s) { s.hirou = PointCounter(41); },
         {cue("karousi.wav"), message("うあぁ！疲労が溜まりすぎだよ。死ぬよ。", Picture::level1),
          cue("raiseha.wav"), message(kNextLife, Picture::death), cue("iikaradani.wav")}},
        {"body fat -40 lives", [](GameState& s) { s.sibou = -40; }, {}},
        {"body fat -41 dies",
         [](GameState& s) { s.sibou = -41; },
         {cue("yasesugi.wav"), message("痩せすぎだっつーの！", Picture::level1), cue("raiseha.wav"),
          message(kNextLife, Picture::death), cue("iikaradani.wav")}},
        {"body fat 69 lives", [](GameState& s) { s.sibou = 69; }, {}},
        {"body fat 70 ends too fat",
         [](GameState& s) { s.sibou = 70; },
         {cue("70%.wav"), message("ちょっちこんなん出たんですけど・・・", Picture::tyotti),
          cue("iikaradani.wav")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host_.clear();
        GameState s = freshLife();
        c.prepare(s);
        judge(s);
        std::vector<HostEvent> expected = {cue("pose.wav")};
        expected.insert(expected.end(), c.deathEvents.begin(), c.deathEvents.end());
        EXPECT_EQ(host_.events(), expected);
        EXPECT_EQ(state().gisei.value(), c.deathEvents.empty() ? 1 : 2);
    }
}

TEST_F(Judgement, ADeathTakesThePlaceOfTheLevelStepAndTheHint) {
    GameState s = atLevel(1, 100);
    s.sibou = -45;
    judge(s);
    EXPECT_EQ(host_.messages(),
              (std::vector<std::string>{"痩せすぎだっつーの！", std::string(kNextLife)}));
    EXPECT_EQ(state(), restartedAfter(s));
}

TEST_F(Judgement, HintWhenTheAuditionWouldPassEvenRightAfterTheClear) {
    GameState s = atLevel(5, 400);
    s.hiyake = 50;
    s.bihada = 50;
    s.kokoroiki = 40;  // posing brings it to 50
    judge(s);
    EXPECT_EQ(host_.messages(),
              std::vector<std::string>{"わーい。マッチョになれたぞありがとう！！"});
    EXPECT_EQ(state().comment, "よし、これならオーディションも大丈夫だ！！");

    GameState almost = s;
    almost.clearflag = PointCounter(1);
    almost.bihada = 49;
    host_.clear();
    judge(almost);
    EXPECT_EQ(state().comment, "ふんっ！！");
}

}  // namespace
}  // namespace mukiro::testing
