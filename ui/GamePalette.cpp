// The light colours the game window is drawn in, whatever colours the desktop uses.
#include "ui/GamePalette.h"

namespace mukiro::ui {

QPalette GamePalette::light() {
    // The plain light look the window was drawn in: the toolkit's own light grey surface with
    // black text, white boxes and the usual bevel greys. On it the red title is 3.5:1, the least
    // of any text; the blue version line and the black values are far above.
    QPalette palette;
    struct Colour {
        QPalette::ColorRole role;
        QRgb normal;
        QRgb disabled;
    };
    constexpr Colour kColours[] = {
        {QPalette::Window, 0xefefef, 0xefefef},
        {QPalette::WindowText, 0x000000, 0xbebebe},
        {QPalette::Base, 0xffffff, 0xefefef},
        {QPalette::AlternateBase, 0xf7f7f7, 0xf7f7f7},
        {QPalette::Text, 0x000000, 0xbebebe},
        {QPalette::PlaceholderText, 0x808080, 0xbebebe},
        {QPalette::Button, 0xefefef, 0xefefef},
        {QPalette::ButtonText, 0x000000, 0xbebebe},
        {QPalette::BrightText, 0xffffff, 0xffffff},
        {QPalette::Light, 0xffffff, 0xffffff},
        {QPalette::Midlight, 0xcacaca, 0xcacaca},
        {QPalette::Mid, 0xb8b8b8, 0xb8b8b8},
        {QPalette::Dark, 0x9f9f9f, 0xbebebe},
        {QPalette::Shadow, 0x767676, 0xb1b1b1},
        {QPalette::Highlight, 0x308cc6, 0x919191},
        {QPalette::HighlightedText, 0xffffff, 0xffffff},
        {QPalette::Link, 0x0000ff, 0x0000ff},
        {QPalette::LinkVisited, 0xff00ff, 0xff00ff},
        {QPalette::ToolTipBase, 0xffffdc, 0xffffdc},
        {QPalette::ToolTipText, 0x000000, 0x000000},
    };
    for (const Colour& colour : kColours) {
        palette.setColor(QPalette::Active, colour.role, QColor::fromRgb(colour.normal));
        palette.setColor(QPalette::Inactive, colour.role, QColor::fromRgb(colour.normal));
        palette.setColor(QPalette::Disabled, colour.role, QColor::fromRgb(colour.disabled));
    }
    return palette;
}

}  // namespace mukiro::ui
