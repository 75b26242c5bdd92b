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

void writeScreen(Json& json, const window::Screen& screen) {
    json.beginObject().key("controls").beginArray();
    for (const window::ShownControl& shown : screen.controls) {
        json.beginObject()
            .key("name")
            .value(shown.name)
            .key("text")
            .value(shown.text)
            .key("ink")
            .value(colourName(shown.ink))
            .key("visible")
            .value(shown.visible)
            .key("write")
            .value(shown.write)
            .endObject();
    }
    json.endArray();
    json.key("picture").value(rules::pictureName(screen.picture));
    json.key("pictureDescription").value(window::pictureDescription(screen.picture));
    json.endObject();
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
        .key("cue")
        .value(rules::cues::kExplanation)
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
        .value(window::kTwipsPerPixel)
        .key("titleLabel")
        .value(window::kTitleLabelName);
    writeControls(json);
    writeNames(json);
    writePictures(json);
    writeCues(json);
    writeExplanation(json);
    json.key("keyboardPokeHelp").value(window::kKeyboardPokeHelp);
    json.endObject();
    return json.text();
}

std::string screenJson(const window::Screen& screen) {
    Json json;
    writeScreen(json, screen);
    return json.text();
}

std::string runJson(const window::HandlerRun& run) {
    Json json;
    json.beginObject().key("steps").beginArray();
    for (const window::Step& step : run.steps) {
        json.beginObject();
        if (step.kind == window::Step::Kind::cue) {
            json.key("cue").value(step.text);
        } else {
            json.key("message").value(step.text).key("behind");
            writeScreen(json, step.behind);
        }
        json.endObject();
    }
    json.endArray().key("after");
    writeScreen(json, run.after);
    json.endObject();
    return json.text();
}

}  // namespace mukiro::web
