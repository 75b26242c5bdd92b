// What the page reads from the game, as JSON.
#include "web/src/PageJson.h"

#include <string_view>

#include "rules/Cues.h"
#include "web/src/Json.h"
#include "window/ExplanationText.h"
#include "window/KeyboardPoke.h"
#include "window/WindowLayout.h"

namespace mukiro::web {

namespace {

using window::Alignment;
using window::ControlKind;
using window::TextColour;

std::string_view kindName(ControlKind kind) {
    switch (kind) {
        case ControlKind::label:
            return "label";
        case ControlKind::textBox:
            return "textBox";
        case ControlKind::button:
            return "button";
        case ControlKind::frame:
            return "frame";
        case ControlKind::bodyPicture:
            return "bodyPicture";
        case ControlKind::viewer:
            return "viewer";
    }
    return {};
}

std::string_view alignmentName(Alignment alignment) {
    switch (alignment) {
        case Alignment::left:
            return "left";
        case Alignment::centre:
            return "center";
        case Alignment::right:
            return "right";
    }
    return {};
}

std::string_view colourName(TextColour colour) {
    switch (colour) {
        case TextColour::standard:
            return "standard";
        case TextColour::red:
            return "red";
        case TextColour::blue:
            return "blue";
        case TextColour::black:
            return "black";
    }
    return {};
}

std::string_view inkName(rules::Ink ink) {
    switch (ink) {
        case rules::Ink::standard:
            return "standard";
        case rules::Ink::black:
            return "black";
        case rules::Ink::red:
            return "red";
    }
    return {};
}

void writeControls(Json& json) {
    json.key("controls").beginArray();
    for (const window::ControlLayout& row : window::ControlLayout::controls()) {
        json.beginObject()
            .key("name")
            .value(row.name)
            .key("kind")
            .value(kindName(row.kind))
            .key("text")
            .value(row.text)
            .key("left")
            .value(row.left)
            .key("top")
            .value(row.top)
            .key("width")
            .value(row.width)
            .key("height")
            .value(row.height)
            .key("fontPixels")
            .value(row.fontPixels)
            .key("alignment")
            .value(alignmentName(row.alignment))
            .key("colour")
            .value(colourName(row.colour))
            .key("readOnly")
            .value(row.readOnly)
            .key("insideFrame")
            .value(row.insideFrame)
            .key("tab")
            .value(row.tab)
            .endObject();
    }
    json.endArray();
}

void writeNames(Json& json) {
    json.key("statusRows").beginArray();
    for (const window::StatusRow& row : window::StatusRow::rows()) {
        json.beginObject()
            .key("value")
            .value(row.value)
            .key("caption")
            .value(row.caption)
            .key("unit")
            .value(row.unit)
            .endObject();
    }
    json.endArray();
    json.key("boxNames").beginArray();
    for (const window::BoxName& name : window::BoxName::names()) {
        json.beginObject()
            .key("box")
            .value(name.box)
            .key("caption")
            .value(name.caption)
            .key("words")
            .value(name.words)
            .endObject();
    }
    json.endArray();
}

void writePictures(Json& json) {
    json.key("pictures").beginArray();
    for (const rules::Picture picture : rules::kAllPictures) {
        json.beginObject()
            .key("name")
            .value(rules::pictureName(picture))
            .key("description")
            .value(window::pictureDescription(picture))
            .endObject();
    }
    json.endArray();
}

void writeCues(Json& json) {
    json.key("cues").beginArray();
    for (const std::string_view cue : rules::cues::kAll) {
        json.value(cue);
    }
    json.endArray();
}

void writeExplanation(Json& json) {
    using window::ExplanationProblem;
    json.key("explanation")
        .beginObject()
        .key("file")
        .value(window::kExplanationFileName)
        .key("maxBytes")
        .value(static_cast<std::int64_t>(window::kMaxExplanationBytes))
        .key("name")
        .value(window::kExplanationName)
        .key("problems")
        .beginObject();
    constexpr std::pair<std::string_view, ExplanationProblem> kProblems[] = {
        {"missing", ExplanationProblem::missing},
        {"unreadable", ExplanationProblem::unreadable},
        {"empty", ExplanationProblem::empty},
        {"tooLarge", ExplanationProblem::tooLarge},
    };
    for (const auto& [key, problem] : kProblems) {
        json.key(key).value(window::explanationProblemMessage(problem));
    }
    json.endObject().endObject();
}

}  // namespace

std::string layoutJson() {
    Json json;
    json.beginObject()
        .key("caption")
        .value(window::kWindowCaption)
        .key("messageCaption")
        .value(window::kMessageCaption)
        .key("menuCommand")
        .beginObject()
        .key("name")
        .value(window::kMenuCommandName)
        .key("caption")
        .value(window::kMenuCommandCaption)
        .endObject()
        .key("clientWidth")
        .value(window::kClientWidth)
        .key("clientHeight")
        .value(window::kClientHeight)
        .key("fontPixels")
        .value(window::kWindowFontPixels)
        .key("twipsPerPixel")
        .value(window::kTwipsPerPixel);
    writeControls(json);
    writeNames(json);
    writePictures(json);
    writeCues(json);
    writeExplanation(json);
    json.key("keyboardPokeHelp").value(window::kKeyboardPokeHelp);
    json.endObject();
    return json.text();
}

std::string stateJson(const rules::GameState& state) {
    Json json;
    json.beginObject().key("texts").beginObject();
    const std::pair<std::string_view, rules::Stat> numbers[] = {
        {"mlevel", state.mlevel},
        {"hiroudo", state.hirou.value()},
        {"kinryoku", state.kin.value()},
        {"sibou", state.sibou},
        {"hiyake", state.hiyake},
        {"bihada", state.bihada},
        {"kokoroiki", state.kokoroiki},
        {"money", state.money},
        {"pro", state.pro},
        {"cre", state.cre},
        {"clear", state.clear},
    };
    for (const auto& [name, number] : numbers) {
        json.key(name).value(std::to_string(number));
    }
    json.key("comment").value(state.comment).endObject();
    json.key("inks")
        .beginObject()
        .key("hiroudo")
        .value(inkName(state.hiroudoInk))
        .key("sibou")
        .value(inkName(state.sibouInk))
        .key("hiyake")
        .value(inkName(state.hiyakeInk))
        .key("bihada")
        .value(inkName(state.bihadaInk))
        .endObject();
    // The sacrifice box is the player's to type into; the page rewrites it only when a restart
    // has written it since the page last looked.
    json.key("sacrifice")
        .beginObject()
        .key("text")
        .value(std::to_string(state.gisei.value()))
        .key("writes")
        .value(static_cast<std::int64_t>(state.sacrificeWrites))
        .endObject();
    json.key("picture").value(rules::pictureName(state.now));
    json.key("pictureDescription").value(window::pictureDescription(state.now));
    json.endObject();
    return json.text();
}

}  // namespace mukiro::web
