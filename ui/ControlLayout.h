// Where every control of the game window stands when it opens: one row per control.
#pragma once

#include <Qt>
#include <span>

#include "rules/Picture.h"

namespace mukiro::ui {

// Positions are kept in twips, as the window was designed; 15 twips make one pixel.
inline constexpr int kTwipsPerPixel = 15;

enum class ControlKind { label, textBox, button, frame, bodyPicture, viewer };

// The three labels that carry a colour of their own from the start; every other control
// keeps the toolkit's colours.
enum class TextColour { standard, red, blue, black };

struct ControlLayout {
    const char* name;  // objectName, the game's own control name
    ControlKind kind;
    const char* text;  // caption or start text, UTF-8
    int left;          // twips, from the client area or, inside the status frame, from the frame
    int top;
    int width;
    int height;
    int fontPixels;  // pixel height of the control's text
    Qt::Alignment alignment;
    TextColour colour;
    bool readOnly;
    bool insideFrame;  // a label of the status panel
    int tab;           // place in the tab order

    static std::span<const ControlLayout> controls();
};

// The hidden holders of the picture set; each keeps its picture for the whole run.
struct PictureHolderLayout {
    rules::Picture picture;  // objectName is the picture's name
    int left;
    int top;
    int width;
    int height;
    int fontPixels;
    int tab;

    static std::span<const PictureHolderLayout> holders();
};

constexpr int pixels(int twips) {
    return twips / kTwipsPerPixel;
}

}  // namespace mukiro::ui
