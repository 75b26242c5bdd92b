// Narrows a control's font where the stand-in face draws its text wider than the control.
#pragma once

class QLabel;
class QLineEdit;
class QWidget;

namespace mukiro::ui {

// The window was laid out for a face whose kana and digits are narrower than those of the
// gothic faces we stand in with, so a few texts would wrap or be cut where they were drawn to
// fit. Those controls get the same face, just as high, condensed no more than the text needs.
class TextFit {
  public:
    // The narrowest the game's face may be drawn, as a percentage of its width.
    static constexpr int kNarrowestStretch = 75;

    // The widest stretch (100 = as designed) at which the label's text, in the label's font,
    // keeps on as many lines as its height has room for.
    static int labelStretch(const QLabel& label);
    // The widest stretch at which the box's text, in the box's font, keeps inside the box.
    static int lineEditStretch(const QLineEdit& box);
    // Draws the control's text condensed to `stretch` percent of its width.
    static void applyStretch(QWidget& widget, int stretch);
};

}  // namespace mukiro::ui
