// Narrows a control's font where the stand-in face draws its text wider than the control.
#pragma once

class QLabel;
class QLineEdit;

namespace mukiro::ui {

// The window was laid out for a face whose kana and digits are narrower than those of the
// gothic faces we stand in with, so a few texts would wrap or be cut where they were drawn to
// fit. Those controls get the same face, just as high, condensed no more than the text needs.
class TextFit {
  public:
    // The narrowest the game's face may be drawn, as a percentage of its width.
    static constexpr int kNarrowestStretch = 75;

    // Keeps the label's text on as many lines as its height has room for.
    static void fitLabel(QLabel& label);
    // Keeps the box's text inside the box.
    static void fitLineEdit(QLineEdit& box);
};

}  // namespace mukiro::ui
