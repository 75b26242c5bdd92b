// The midend: a handler's run as the steps the player meets, each Message with the window
// behind it as it stands at that step, and the window after.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "rules/Game.h"
#include "tests/support/RecordingHost.h"
#include "window/Midend.h"

namespace mukiro::testing {
namespace {

using rules::Picture;
using window::HandlerRun;
using window::Midend;
using window::Screen;
using window::ShownControl;
using window::Step;

const ShownControl& control(const Screen& screen, std::string_view name) {
    for (const ShownControl& shown : screen.controls) {
        if (shown.name == name) {
            return shown;
        }
    }
    throw std::out_of_range(std::string(name));
}

// The steps as the rules' own recording host would note them: cues, and Messages with the
// picture on show.
std::vector<HostEvent> asEvents(const HandlerRun& run) {
    std::vector<HostEvent> events;
    for (const Step& step : run.steps) {
        events.push_back(step.kind == Step::Kind::cue ? cue(step.text)
                                                      : message(step.text, step.behind.picture));
    }
    return events;
}

rules::GameState tannedAtLevel2() {
    rules::GameState s;
    s.hiyake = 95;
    s.mlevel = 2;
    s.now = Picture::level2;
    return s;
}

TEST(Midend, ASkinCancerDeathIsItsCuesAndMessagesWithTheDyingManBehindThem) {
    Midend midend(tannedAtLevel2());
    const HandlerRun run = midend.press("saron").value();
    const std::vector<HostEvent> expected = {
        cue("hiyake.wav"),
        cue("hihugan.wav"),
        message("日に焼け過ぎて皮膚ガンになっちゃった。死ぬよ。", Picture::hifugan),
        cue("raiseha.wav"),
        message("来世はマッチョに生まれますように", Picture::death),
        cue("iikaradani.wav"),
    };
    ASSERT_EQ(asEvents(run), expected);
    // Behind both Messages the status still shows the life that ends; the sacrifice box keeps
    // what it holds until the restart writes it.
    for (const std::size_t at : {2U, 4U}) {
        SCOPED_TRACE(at);
        const Screen& behind = run.steps[at].behind;
        EXPECT_EQ(control(behind, "mlevel").text, "2");
        EXPECT_EQ(control(behind, "hiyake").text, "105");  // the salon's 10 on top of 95
        EXPECT_FALSE(control(behind, "Text1").write);
    }
    // Cues carry no screen: the window stays as it was drawn last.
    EXPECT_TRUE(run.steps[0].behind.controls.empty());
    // After the handler: a fresh man, and the sacrifice counted into its box.
    EXPECT_EQ(run.after.picture, Picture::level1);
    EXPECT_EQ(control(run.after, "mlevel").text, "1");
    EXPECT_EQ(control(run.after, "hiyake").text, "0");
    EXPECT_EQ(control(run.after, "Text1").text, "1");
    EXPECT_TRUE(control(run.after, "Text1").write);
    EXPECT_EQ(midend.screen(), run.after);
    EXPECT_EQ(midend.state().gisei.value(), 1);
}

// Each way in gives the same cues, Messages, pictures and final state as the rules alone.
TEST(Midend, EveryRunMeetsThePlayerAsTheRulesAloneDo) {
    rules::GameState ready;
    ready.hiyake = 50;
    ready.bihada = 50;
    ready.kokoroiki = 50;
    ready.mlevel = 5;
    ready.now = Picture::level5;
    rules::GameState nearLevel2;
    nearLevel2.kin = rules::PointCounter(95);
    rules::GameState broke;
    broke.money = 100;
    struct Case {
        const char* what;
        rules::GameState initial;
        std::function<HandlerRun(Midend&)> viaMidend;
        std::function<void(rules::Game&)> viaRules;
    };
    const Case kCases[] = {
        {"start-up",
         {},
         [](Midend& m) { return m.start(); },
         [](rules::Game& g) { g.Form_Load(); }},
        {"a failed audition",
         {},
         [](Midend& m) { return *m.press("Command5"); },
         [](rules::Game& g) { g.Command5_Click(); }},
        {"a passed audition", ready, [](Midend& m) { return *m.press("Command5"); },
         [](rules::Game& g) { g.Command5_Click(); }},
        {"a level step", nearLevel2, [](Midend& m) { return *m.press("toreining"); },
         [](rules::Game& g) { g.toreining_Click(); }},
        {"no money", broke, [](Midend& m) { return *m.press("esute"); },
         [](rules::Game& g) { g.esute_Click(); }},
        {"a poke on the briefs",
         {},
         [](Midend& m) { return m.poke(1, 0, 90.0F, 150.0F); },
         [](rules::Game& g) { g.now_MouseDown(1, 0, 90.0F, 150.0F); }},
        {"a poke beside them",
         {},
         [](Midend& m) { return m.poke(2, 1, 79.5F, 150.0F); },
         [](rules::Game& g) { g.now_MouseDown(2, 1, 79.5F, 150.0F); }},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        Midend midend(c.initial);
        const HandlerRun run = c.viaMidend(midend);

        RecordingHost host;
        rules::Game game(host, host, c.initial);
        host.watch(game.state());
        c.viaRules(game);

        EXPECT_FALSE(host.events().empty());
        EXPECT_EQ(asEvents(run), host.events());
        EXPECT_EQ(midend.state(), game.state());
        EXPECT_EQ(run.after.picture, game.state().now);
    }
}

TEST(Midend, AMessageShowsTheStateAtItsOwnStep) {
    // The passed audition: entered over the level-5 man, passed and won over the winner, and
    // only after the last Message the win is counted and a new man starts.
    rules::GameState ready;
    ready.hiyake = 50;
    ready.bihada = 50;
    ready.kokoroiki = 50;
    ready.mlevel = 5;
    ready.now = Picture::level5;
    ready.clear = 2;
    Midend midend(ready);
    const HandlerRun run = midend.press("Command5").value();
    std::vector<const Step*> messages;
    for (const Step& step : run.steps) {
        if (step.kind == Step::Kind::message) {
            messages.push_back(&step);
        }
    }
    ASSERT_EQ(messages.size(), 3U);
    EXPECT_EQ(messages[0]->behind.picture, Picture::level5);
    EXPECT_EQ(messages[1]->behind.picture, Picture::goukaku);
    EXPECT_EQ(messages[2]->behind.picture, Picture::goukaku);
    for (const Step* step : messages) {
        EXPECT_EQ(control(step->behind, "mlevel").text, "5") << step->text;
    }
    EXPECT_EQ(control(run.after, "clear").text, "3");
    EXPECT_EQ(control(run.after, "mlevel").text, "1");
}

TEST(Midend, EachRunHoldsOnlyItsOwnSteps) {
    Midend midend;
    const HandlerRun first = midend.press("toreining").value();
    const HandlerRun second = midend.press("purotein").value();
    EXPECT_EQ(asEvents(first), std::vector{cue("iiase.wav")});
    ASSERT_EQ(second.steps.size(), 1U);
    EXPECT_NE(second.steps[0].text, first.steps[0].text);
    EXPECT_EQ(midend.screen(), second.after);
}

TEST(Midend, ANameNoButtonHasRunsNothing) {
    Midend midend(tannedAtLevel2());
    const Screen before = midend.screen();
    EXPECT_FALSE(midend.press("Setumei").has_value());
    EXPECT_FALSE(midend.press("").has_value());
    EXPECT_EQ(midend.state(), tannedAtLevel2());
    EXPECT_EQ(midend.screen(), before);
}

TEST(Midend, TheWindowOpensOnTheStateItIsGiven) {
    rules::GameState s = tannedAtLevel2();
    s.gisei = rules::PointCounter(6);
    const Midend midend(s);
    EXPECT_EQ(midend.screen().picture, Picture::level2);
    EXPECT_EQ(control(midend.screen(), "hiyake").text, "95");
    // The box shows the count the window opens with.
    EXPECT_EQ(control(midend.screen(), "Text1").text, "6");
    EXPECT_TRUE(control(midend.screen(), "Text1").write);
}

}  // namespace
}  // namespace mukiro::testing
