// The stretches the condensed controls take in the face Debian installs with the game.
#pragma once

#include <QFont>
#include <QtGlobal>
#include <string_view>

namespace mukiro::ui {

// Fitting a text tries it in the designed face and then in condensed ones, and every condensed
// face tried is a font set up through fontconfig: a twentieth of the start-up's work, to learn
// that four controls out of forty draw a little narrower. In IPA's proportional gothic the
// answers are known ahead of time, so the window takes them from here while they hold: the same
// font file, laid out by the same Qt, on a screen at 100 %, its glyphs' advances unhinted as
// they were (a desktop that hints them fully would round each advance to a whole pixel, and a
// text may then need another stretch). Anywhere else the window measures, as the table was made.
class FitTable {
  public:
    struct Row {
        const char* name;  // the control
        int stretch;       // what the fitting gives it
    };
    // A text the window draws as designed anyway, and its width then: measuring it again costs
    // next to nothing, and shows whether the face's advances are rounded as they were.
    struct Probe {
        const char* name;     // the control
        qreal designedWidth;  // its text's width in the designed face, in pixels
    };

    // The `head` table's checksum of the font file the rows were measured in.
    static constexpr quint32 kFaceChecksum = 0x6476ef52;  // IPAPGothic 003.03
    static constexpr const char* kQtVersion = "6.4.2";
    static const Probe kProbe;

    // Whether the rows are what the fitting would measure in the faces `face` gives (the game's
    // font at a pixel size) on a screen of this device pixel ratio.
    static bool holds(QFont (*face)(int pixels), qreal devicePixelRatio);
    // The stretch the table gives the control: 100, as designed, for one it does not name.
    static int stretchOf(std::string_view name);
    // The checksum of the font file the font is drawn from; 0 when it has none.
    static quint32 faceChecksum(const QFont& font);
};

}  // namespace mukiro::ui
