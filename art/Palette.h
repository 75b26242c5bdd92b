// The one palette every picture is painted from. No colour here is pure white: pure white
// is kept for shine marks alone, so a shiny picture differs from its base only in white.
#pragma once

#include <QColor>

namespace mukiro::art {

namespace palette {

inline const QColor kBackground{226, 233, 240};
inline const QColor kOutline{56, 42, 36};

inline const QColor kSkinPale{212, 207, 202};
inline const QColor kSkinLightBrown{228, 188, 146};
inline const QColor kSkinTanned{202, 146, 96};
inline const QColor kSkinDeepTan{170, 110, 66};
inline const QColor kSkinDarkTan{120, 72, 42};
inline const QColor kSkinPlump{236, 216, 206};

inline const QColor kBriefs{212, 30, 38};
inline const QColor kBriefsShade{160, 18, 28};
inline const QColor kBriefsLight{236, 92, 92};

inline const QColor kHair{44, 34, 30};
inline const QColor kHairLight{96, 84, 80};
inline const QColor kNipple{150, 74, 64};
inline const QColor kBlush{236, 104, 104};
inline const QColor kTeeth{250, 248, 238};
inline const QColor kTeethLine{190, 184, 172};
inline const QColor kMouth{128, 34, 38};
inline const QColor kTongue{222, 104, 104};
inline const QColor kTear{122, 186, 240};
inline const QColor kTearRim{58, 122, 196};
inline const QColor kSheen{255, 236, 200};

inline const QColor kBandage{240, 234, 220};
inline const QColor kBandageShade{192, 180, 160};

inline const QColor kShine{255, 255, 255};

inline const QColor kSkyTop{96, 158, 224};
inline const QColor kSkyLow{176, 212, 242};
inline const QColor kCloud{242, 246, 250};
inline const QColor kEarth{128, 88, 54};
inline const QColor kEarthDark{98, 64, 38};
inline const QColor kEarthLight{152, 110, 70};
inline const QColor kStone{150, 152, 158};
inline const QColor kStoneLight{178, 180, 186};
inline const QColor kStoneDark{112, 114, 120};
inline const QColor kEngraving{62, 62, 68};
inline const QColor kGrass{88, 150, 70};
inline const QColor kFlowerYellow{244, 206, 60};
inline const QColor kFlowerRed{222, 70, 90};
inline const QColor kStem{60, 120, 56};

}  // namespace palette

// Blends two colours: t = 0 gives a, t = 1 gives b.
inline QColor mix(const QColor& a, const QColor& b, double t) {
    const auto blend = [t](int x, int y) { return static_cast<int>(x + (y - x) * t + 0.5); };
    return QColor(blend(a.red(), b.red()), blend(a.green(), b.green()), blend(a.blue(), b.blue()));
}

}  // namespace mukiro::art
