// The light colours the game window is drawn in, whatever colours the desktop uses.
#include "ui/GamePalette.h"

namespace mukiro::ui {

namespace {

// The light grey of a plain desktop window; the red title on it is 3.5:1, the least of any text.
const QColor kSurface(239, 239, 239);

}  // namespace

QPalette GamePalette::light() {
    // Built from the surface colour alone: black text, white boxes, bevels shaded from the grey.
    QPalette palette(kSurface);
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Highlight, QColor(48, 140, 198));
        palette.setColor(group, QPalette::HighlightedText, Qt::white);
        palette.setColor(group, QPalette::PlaceholderText, QColor(110, 110, 110));
        palette.setColor(group, QPalette::ToolTipBase, QColor(255, 255, 220));
        palette.setColor(group, QPalette::ToolTipText, Qt::black);
        palette.setColor(group, QPalette::Link, QColor(0, 0, 255));
        palette.setColor(group, QPalette::LinkVisited, QColor(128, 0, 128));
        palette.setColor(group, QPalette::AlternateBase, QColor(247, 247, 247));
    }
    // Nothing in the game is ever disabled, but a greyed text must still be legible.
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        palette.setColor(QPalette::Disabled, role, QColor(110, 110, 110));
    }
    palette.setColor(QPalette::Disabled, QPalette::Highlight, QColor(145, 145, 145));
    palette.setColor(QPalette::Disabled, QPalette::HighlightedText, Qt::white);
    return palette;
}

}  // namespace mukiro::ui
