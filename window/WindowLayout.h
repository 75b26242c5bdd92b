// The game window as designed, for every front end: each control's kind, start text, place in
// twips, text size, alignment, colour and tab order, and the words a screen reader hears.
// Plain C++ with no toolkit, so the desktop window and the web page read the one table.
#pragma once

#include <span>
#include <string_view>

#include "rules/Picture.h"

namespace mukiro::window {

// Positions are kept in twips, as the window was designed; 15 twips make one pixel.
inline constexpr int kTwipsPerPixel = 15;

constexpr int pixels(int twips) {
    return twips / kTwipsPerPixel;
}

// The client area below the menu bar as the window opens, in pixels.
inline constexpr int kClientWidth = 705;
inline constexpr int kClientHeight = 524;
// The window's own text size, for controls without one of their own.
inline constexpr int kWindowFontPixels = 19;

inline constexpr std::string_view kWindowCaption = "ムキロ・タフ ver2.0";
// The caption of every Message box.
inline constexpr std::string_view kMessageCaption = "ムキロ・タフ";
// The one command of the menu bar, which opens the explanation.
inline constexpr std::string_view kMenuCommandName = "Setumei";
inline constexpr std::string_view kMenuCommandCaption = "説明";
// The label of the title banner, which names the game: the page's heading.
inline constexpr std::string_view kTitleLabelName = "Label11";
// What a screen reader calls the explanation viewer.
inline constexpr std::string_view kExplanationName = "説明";

enum class ControlKind { label, textBox, button, frame, bodyPicture, viewer };

// The three labels that carry a colour of their own from the start; every other control
// keeps the front end's standard colours.
enum class TextColour { standard, red, blue, black };

enum class Alignment { left, centre, right };

struct ControlLayout {
    const char* name;  // the game's own control name: object name, element id
    ControlKind kind;
    const char* text;  // caption or start text, UTF-8
    int left;          // twips, from the client area or, inside the status frame, from the frame
    int top;
    int width;
    int height;
    int fontPixels;  // pixel height of the control's text
    Alignment alignment;
    TextColour colour;
    bool readOnly;
    bool insideFrame;  // a label of the status panel
    int tab;           // place in the tab order

    static std::span<const ControlLayout> controls();
    // The control named `name`, or null.
    static const ControlLayout* find(std::string_view name);
};

// The hidden holders of the picture set; each keeps its picture for the whole run.
struct PictureHolderLayout {
    rules::Picture picture;  // the holder is named after its picture
    int left;
    int top;
    int width;
    int height;
    int fontPixels;
    int tab;

    static std::span<const PictureHolderLayout> holders();
};

// A value of the status panel with the caption beside it and the unit after it. A screen
// reader meets each row as one item, its value named with its caption: "疲労度 15".
struct StatusRow {
    const char* value;
    const char* caption;
    const char* unit;  // or null

    static std::span<const StatusRow> rows();
};

// A text box a screen reader names: by the label beside it (`caption` names a control), or by
// words of its own where that label alone would not say what the box counts ("残り" of what?).
struct BoxName {
    const char* box;
    const char* caption;  // a label's name, or null
    const char* words;    // UTF-8, or null

    static std::span<const BoxName> names();
};

// What the body picture shows, in words, for a screen reader.
std::string_view pictureDescription(rules::Picture picture);

}  // namespace mukiro::window
