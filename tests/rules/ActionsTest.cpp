// The eight care and training actions: amounts, prices, refusals, floors and warning colours.
#include <gtest/gtest.h>

#include <functional>

#include "tests/rules/GameFixture.h"

namespace mukiro::testing {
namespace {

using rules::Game;
using rules::GameState;
using rules::Ink;
using rules::Picture;
using rules::PointCounter;
using rules::Stat;

using Handler = void (Game::*)();

struct ActionCase {
    const char* name;
    Handler handler;
    std::function<void(GameState&)> prepare;  // the state before, from a fresh life
    std::function<void(GameState&)> effect;   // what the action changes
    std::vector<HostEvent> events;
};

class Actions : public GameFixture {
  protected:
    void check(const ActionCase& c) {
        SCOPED_TRACE(c.name);
        GameState before = freshLife();
        c.prepare(before);
        GameState expected = before;
        c.effect(expected);
        host_.clear();
        (start(before).*c.handler)();
        EXPECT_EQ(state(), expected);
        EXPECT_EQ(host_.events(), c.events);
    }
};

void nothing(GameState&) {}

TEST_F(Actions, EachActionChangesItsStatsPlaysItsCueAndSpeaks) {
    const std::vector<ActionCase> cases = {
        {"training",
         &Game::toreining_Click,
         nothing,
         [](GameState& s) {
             s.kin = PointCounter(20);
             s.hirou = PointCounter(15);
             s.sibou = -20;
             s.comment = "いい汗かいたな。";
         },
         {cue("iiase.wav")}},
        {"protein",
         &Game::purotein_Click,
         [](GameState& s) { s.hirou = PointCounter(30); },
         [](GameState& s) {
             s.pro = 19;
             s.kin = PointCounter(10);
             s.hirou = PointCounter(20);
             s.comment = "筋肉がついたような気がするぞ。";
         },
         {cue("purotein.wav")}},
        {"muscle cream",
         &Game::kuream_Click,
         nothing,
         [](GameState& s) {
             s.cre = 2;
             s.hirou = PointCounter(50);
             s.hiroudoInk = Ink::red;
             s.kin = PointCounter(99);
             s.comment = "細胞が活性化し始めた！！";
         },
         {cue("saibou.wav")}},
        {"meal",
         &Game::eat_Click,
         [](GameState& s) { s.hirou = PointCounter(30); },
         [](GameState& s) {
             s.money = 29500;
             s.hirou = PointCounter(20);
             s.sibou = 15;
             s.comment = "うーん満腹満腹！";
         },
         {cue("manpuku.wav")}},
        {"tanning salon",
         &Game::saron_Click,
         [](GameState& s) { s.bihada = 30; },
         [](GameState& s) {
             s.money = 28000;
             s.hiyake = 10;
             s.bihada = 25;
             s.comment = "これでビーチボーイズの仲間入りだ";
         },
         {cue("hiyake.wav")}},
        // One short of the shiny skin: the salon ends before any judgement.
        {"beauty salon",
         &Game::esute_Click,
         [](GameState& s) {
             s.bihada = 9;
             s.hiyake = 30;
         },
         [](GameState& s) {
             s.money = 28000;
             s.bihada = 19;
             s.hiyake = 25;
             s.comment = "毛穴まですっきり！";
         },
         {cue("keana.wav")}},
        {"posing",
         &Game::pojingu_Click,
         nothing,
         [](GameState& s) {
             s.kokoroiki = 10;
             s.hirou = PointCounter(10);
             s.comment = "ふんっ！！";
         },
         {cue("pose.wav")}},
        {"part-time job",
         &Game::baito_Click,
         nothing,
         [](GameState& s) {
             s.money = 35000;
             s.hirou = PointCounter(15);
             s.comment = "マネー￥マネー￥";
         },
         {cue("money.wav")}},
    };
    for (const auto& c : cases) {
        check(c);
    }
}

TEST_F(Actions, ARefusedActionShowsOneMessageAndChangesNothing) {
    const auto refused = [](const char* name, Handler handler, auto prepare, const char* text) {
        return ActionCase{name, handler, prepare, nothing, {message(text, Picture::level1)}};
    };
    const std::vector<ActionCase> cases = {
        refused(
            "protein, none left", &Game::purotein_Click, [](GameState& s) { s.pro = 0; },
            "プロテインはもうありません"),
        refused(
            "cream, none left", &Game::kuream_Click, [](GameState& s) { s.cre = 0; },
            "マッチョクリ－ムはもうありません"),
        refused(
            "meal at 499", &Game::eat_Click, [](GameState& s) { s.money = 499; },
            "お金が足りません"),
        refused(
            "tanning salon at 1999", &Game::saron_Click, [](GameState& s) { s.money = 1999; },
            "お金が足りません"),
        refused(
            "beauty salon at 1999", &Game::esute_Click, [](GameState& s) { s.money = 1999; },
            "お金が足りません"),
    };
    for (const auto& c : cases) {
        check(c);
    }
}

TEST_F(Actions, LastCoinAndLastPortionStillBuy) {
    struct Case {
        const char* name;
        Handler handler;
        void (*prepare)(GameState&);
        Stat GameState::*stock;
    };
    for (const Case& c : {Case{"meal at 500", &Game::eat_Click, [](GameState& s) { s.money = 500; },
                               &GameState::money},
                          Case{"tanning at 2000", &Game::saron_Click,
                               [](GameState& s) { s.money = 2000; }, &GameState::money},
                          Case{"beauty at 2000", &Game::esute_Click,
                               [](GameState& s) { s.money = 2000; }, &GameState::money},
                          Case{"last protein", &Game::purotein_Click,
                               [](GameState& s) { s.pro = 1; }, &GameState::pro},
                          Case{"last cream", &Game::kuream_Click, [](GameState& s) { s.cre = 1; },
                               &GameState::cre}}) {
        SCOPED_TRACE(c.name);
        GameState before = freshLife();
        c.prepare(before);
        (start(before).*c.handler)();
        EXPECT_EQ(state().*c.stock, 0);
        EXPECT_NE(state().comment, before.comment);
    }
}

TEST_F(Actions, FloorsAndWarningColoursAtTheirBounds) {
    struct Case {
        const char* name;
        Handler handler;
        void (*prepare)(GameState&);
        void (*check)(const GameState&);
    };
    const std::vector<Case> cases = {
        {"fatigue 5, meal: floor 0, black", &Game::eat_Click,
         [](GameState& s) {
             s.hirou = PointCounter(5);
             s.hiroudoInk = Ink::red;
         },
         [](const GameState& s) {
             EXPECT_EQ(s.hirou.value(), 0);
             EXPECT_EQ(s.hiroudoInk, Ink::black);
         }},
        {"fatigue 9, protein: -1 floors to 0", &Game::purotein_Click,
         [](GameState& s) { s.hirou = PointCounter(9); },
         [](const GameState& s) { EXPECT_EQ(s.hirou.value(), 0); }},
        {"fatigue 20, training: 35 is red", &Game::toreining_Click,
         [](GameState& s) { s.hirou = PointCounter(20); },
         [](const GameState& s) { EXPECT_EQ(s.hiroudoInk, Ink::red); }},
        {"fatigue 19, posing: 29 keeps black", &Game::pojingu_Click,
         [](GameState& s) { s.hirou = PointCounter(19); },
         [](const GameState& s) { EXPECT_EQ(s.hiroudoInk, Ink::black); }},
        {"fatigue 45, meal: 35 stays red", &Game::eat_Click,
         [](GameState& s) {
             s.hirou = PointCounter(45);
             s.hiroudoInk = Ink::red;
         },
         [](const GameState& s) { EXPECT_EQ(s.hiroudoInk, Ink::red); }},
        {"fatigue 44, meal: 34 turns black", &Game::eat_Click,
         [](GameState& s) {
             s.hirou = PointCounter(44);
             s.hiroudoInk = Ink::red;
         },
         [](const GameState& s) { EXPECT_EQ(s.hiroudoInk, Ink::black); }},
        {"red fatigue 10, part-time job: stays red", &Game::baito_Click,
         [](GameState& s) {
             s.hirou = PointCounter(10);
             s.hiroudoInk = Ink::red;
         },
         [](const GameState& s) { EXPECT_EQ(s.hiroudoInk, Ink::red); }},
        {"body fat 40, meal: 55 is red", &Game::eat_Click, [](GameState& s) { s.sibou = 40; },
         [](const GameState& s) { EXPECT_EQ(s.sibouInk, Ink::red); }},
        {"body fat 39, meal: 54 keeps black", &Game::eat_Click, [](GameState& s) { s.sibou = 39; },
         [](const GameState& s) { EXPECT_EQ(s.sibouInk, Ink::black); }},
        {"body fat 75, training: 55 stays red", &Game::toreining_Click,
         [](GameState& s) {
             s.sibou = 75;
             s.sibouInk = Ink::red;
         },
         [](const GameState& s) { EXPECT_EQ(s.sibouInk, Ink::red); }},
        {"body fat 74, training: 54 turns black", &Game::toreining_Click,
         [](GameState& s) {
             s.sibou = 74;
             s.sibouInk = Ink::red;
         },
         [](const GameState& s) { EXPECT_EQ(s.sibouInk, Ink::black); }},
        {"body fat 0, training: -20, no floor", &Game::toreining_Click, [](GameState&) {},
         [](const GameState& s) { EXPECT_EQ(s.sibou, -20); }},
        {"tan 3, beauty salon: floor 0", &Game::esute_Click, [](GameState& s) { s.hiyake = 3; },
         [](const GameState& s) { EXPECT_EQ(s.hiyake, 0); }},
        {"skin beauty 2, tanning salon: floor 0", &Game::saron_Click,
         [](GameState& s) { s.bihada = 2; }, [](const GameState& s) { EXPECT_EQ(s.bihada, 0); }},
        {"tan 6, beauty salon: 1, above the floor", &Game::esute_Click,
         [](GameState& s) { s.hiyake = 6; }, [](const GameState& s) { EXPECT_EQ(s.hiyake, 1); }},
        {"skin beauty 6, tanning salon: 1, above the floor", &Game::saron_Click,
         [](GameState& s) { s.bihada = 6; }, [](const GameState& s) { EXPECT_EQ(s.bihada, 1); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GameState before = freshLife();
        c.prepare(before);
        (start(before).*c.handler)();
        c.check(state());
    }
}

TEST_F(Actions, MuscleStopsAtTheCounterLimitThroughTraining) {
    GameState strong = freshLife();
    strong.mlevel = 5;
    strong.clearflag = PointCounter(1);
    strong.kin = PointCounter(32760);
    strong.sibou = 20;
    start(strong).toreining_Click();
    EXPECT_EQ(state().kin.value(), 32767);
    EXPECT_EQ(state().sibou, 0);  // the rest of the action still happened
}

TEST_F(Actions, BeautySalonBelowTwentySkinBeautyEndsWithoutJudgement) {
    GameState s = freshLife();
    s.hirou = PointCounter(60);  // a judgement would find him dead of overwork
    start(s).esute_Click();
    EXPECT_EQ(host_.events(), std::vector{cue("keana.wav")});
    EXPECT_EQ(state().bihada, 10);
    EXPECT_EQ(state().money, 28000);
    EXPECT_EQ(state().comment, "毛穴まですっきり！");
    EXPECT_EQ(state().gisei.value(), 1);  // still alive
}

TEST_F(Actions, BeautySalonAtTwentyPlaysTwiceAndJudges) {
    GameState s = freshLife();
    s.bihada = 10;
    s.hiyake = 100;  // 95 after the visit: lives
    s.hirou = PointCounter(60);
    start(s).esute_Click();
    const std::vector<std::string> expected = {"keana.wav", "keana.wav", "karousi.wav",
                                               "raiseha.wav", "iikaradani.wav"};
    EXPECT_EQ(host_.cues(), expected);
}

TEST_F(Actions, BeautySalonSwapsOnlyABasePictureForItsShinyTwin) {
    struct Case {
        Picture before;
        Picture after;
    };
    // At level 5 with body fat the judgement leaves the picture alone, so the swap shows.
    for (const Case c :
         {Case{Picture::level5, Picture::kenesu}, Case{Picture::kenesu, Picture::kenesu},
          Case{Picture::hugoukaku, Picture::hugoukaku}, Case{Picture::start, Picture::start}}) {
        SCOPED_TRACE(rules::pictureName(c.before));
        GameState s = freshLife();
        s.mlevel = 5;
        s.sibou = 5;
        s.clearflag = PointCounter(1);
        s.bihada = 30;
        s.now = c.before;
        start(s).esute_Click();
        EXPECT_EQ(state().now, c.after);
    }
}

TEST_F(Actions, BeautySalonBeforeAnyPictureWasPutOnShowLeavesTheJudgementToShowLevel1) {
    GameState s;  // as the window opens: the start picture
    s.bihada = 10;
    start(s).esute_Click();
    EXPECT_EQ(state().now, Picture::level1);
}

}  // namespace
}  // namespace mukiro::testing
