// The presentation: how a state becomes each status control's text, ink and visibility.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "window/Presentation.h"
#include "window/WindowLayout.h"

namespace mukiro::testing {
namespace {

using window::Presentation;
using window::Screen;
using window::ShownControl;
using window::TextColour;

std::map<std::string, ShownControl> byName(const Screen& screen) {
    std::map<std::string, ShownControl> controls;
    for (const ShownControl& shown : screen.controls) {
        EXPECT_TRUE(controls.emplace(std::string(shown.name), shown).second) << shown.name;
    }
    return controls;
}

TEST(Presentation, ShowsEveryStatusControlOfTheLayoutAndNothingElse) {
    // The status panel's values, the boxes the game writes, and the man's speech line.
    std::set<std::string> statusControls = {"comment"};
    for (const window::StatusRow& row : window::StatusRow::rows()) {
        statusControls.insert(row.value);
    }
    for (const window::BoxName& name : window::BoxName::names()) {
        statusControls.insert(name.box);
    }
    Presentation presentation;
    std::set<std::string> shown;
    for (const auto& [name, control] : byName(presentation.draw({}))) {
        EXPECT_NE(window::ControlLayout::find(name), nullptr) << name;
        shown.insert(name);
    }
    EXPECT_EQ(shown, statusControls);
}

TEST(Presentation, EachControlShowsItsStatInItsInk) {
    rules::GameState s;
    s.mlevel = 3;
    s.hirou = rules::PointCounter(45);
    s.kin = rules::PointCounter(250);
    s.sibou = -2;
    s.hiyake = 70;
    s.bihada = 15;
    s.kokoroiki = -10;
    s.money = 9'000'000'000;
    s.pro = 7;
    s.cre = 0;
    s.clear = 12;
    s.gisei = rules::PointCounter(4);
    s.comment = "オーディションだ！";
    s.now = rules::Picture::level3;
    s.hiroudoInk = rules::Ink::red;
    s.sibouInk = rules::Ink::standard;
    s.hiyakeInk = rules::Ink::black;
    s.bihadaInk = rules::Ink::red;

    struct Expected {
        const char* name;
        const char* text;
        TextColour ink;
    };
    const Expected kExpected[] = {
        {"mlevel", "3", TextColour::standard},
        {"hiroudo", "45", TextColour::red},
        {"kinryoku", "250", TextColour::standard},
        {"sibou", "-2", TextColour::standard},
        {"hiyake", "70", TextColour::black},
        {"bihada", "15", TextColour::red},
        {"kokoroiki", "-10", TextColour::standard},
        {"money", "9000000000", TextColour::standard},
        {"pro", "7", TextColour::standard},
        {"cre", "0", TextColour::standard},
        {"clear", "12", TextColour::standard},
        {"comment", "オーディションだ！", TextColour::standard},
        {"Text1", "4", TextColour::standard},
    };
    Presentation presentation;
    const Screen screen = presentation.draw(s);
    EXPECT_EQ(screen.picture, rules::Picture::level3);
    std::map<std::string, ShownControl> controls = byName(screen);
    ASSERT_EQ(controls.size(), std::size(kExpected));
    for (const Expected& e : kExpected) {
        SCOPED_TRACE(e.name);
        const ShownControl& shown = controls.at(e.name);
        EXPECT_EQ(shown.text, e.text);
        EXPECT_EQ(shown.ink, e.ink);
        EXPECT_TRUE(shown.visible);
        EXPECT_TRUE(shown.write);
    }
}

TEST(Presentation, TheBodyFatLabelStartsBlackAsDrawn) {
    Presentation presentation;
    EXPECT_EQ(byName(presentation.draw({})).at("sibou").ink, TextColour::black);
}

// The player may type into the sacrifice box; only a restart's write of the count reaches it.
TEST(Presentation, TheSacrificeBoxIsWrittenFirstThenOnlyWhenARestartWritesIt) {
    rules::GameState s;
    s.gisei = rules::PointCounter(2);
    s.sacrificeWrites = 2;
    Presentation presentation;
    struct Draw {
        int gisei;
        std::uint64_t writes;
        bool written;
    };
    // The count moving alone (a test's start state) is no write; the count of writes is.
    const Draw kDraws[] = {{2, 2, true}, {2, 2, false}, {3, 2, false},
                           {3, 3, true}, {3, 3, false}, {3, 7, true}};
    for (const Draw& d : kDraws) {
        SCOPED_TRACE(::testing::Message() << "gisei " << d.gisei << ", writes " << d.writes);
        s.gisei = rules::PointCounter(static_cast<std::int16_t>(d.gisei));
        s.sacrificeWrites = d.writes;
        const Screen screen = presentation.draw(s);
        const ShownControl box = byName(screen).at("Text1");
        EXPECT_EQ(box.write, d.written);
        EXPECT_EQ(box.text, std::to_string(d.gisei));
        // Every other control is drawn every time.
        for (const ShownControl& shown : screen.controls) {
            if (shown.name != "Text1") {
                EXPECT_TRUE(shown.write) << shown.name;
            }
        }
    }
}

}  // namespace
}  // namespace mukiro::testing
