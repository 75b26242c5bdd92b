// How a game state becomes text, ink and visibility in each status control of the window.
#include "window/Presentation.h"

#include <string>

namespace mukiro::window {

namespace {

TextColour inkOf(rules::Ink ink) {
    switch (ink) {
        case rules::Ink::black:
            return TextColour::black;
        case rules::Ink::red:
            return TextColour::red;
        case rules::Ink::standard:
            break;
    }
    return TextColour::standard;
}

// The colour the layout gives a control no rule paints.
TextColour designedInk(std::string_view name) {
    return ControlLayout::find(name)->colour;
}

}  // namespace

Screen Presentation::draw(const rules::GameState& state) {
    const bool writeSacrifice = sacrificeWritesShown_ != state.sacrificeWrites;
    sacrificeWritesShown_ = state.sacrificeWrites;

    Screen screen;
    screen.picture = state.now;
    const auto add = [&screen](std::string_view name, std::string text, TextColour ink,
                               bool write = true) {
        screen.controls.push_back({name, std::move(text), ink, true, write});
    };
    const auto number = [](rules::Stat value) { return std::to_string(value); };
    add("mlevel", number(state.mlevel), designedInk("mlevel"));
    add("hiroudo", number(state.hirou.value()), inkOf(state.hiroudoInk));
    add("kinryoku", number(state.kin.value()), designedInk("kinryoku"));
    add("sibou", number(state.sibou), inkOf(state.sibouInk));
    add("hiyake", number(state.hiyake), inkOf(state.hiyakeInk));
    add("bihada", number(state.bihada), inkOf(state.bihadaInk));
    add("kokoroiki", number(state.kokoroiki), designedInk("kokoroiki"));
    add("money", number(state.money), designedInk("money"));
    add("pro", number(state.pro), designedInk("pro"));
    add("cre", number(state.cre), designedInk("cre"));
    add("clear", number(state.clear), designedInk("clear"));
    add("comment", state.comment, designedInk("comment"));
    add("Text1", number(state.gisei.value()), designedInk("Text1"), writeSacrifice);
    return screen;
}

}  // namespace mukiro::window
