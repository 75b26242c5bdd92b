// The one typeface the game's texts are drawn in, and its stand-ins on this system.
#include "ui/GameFont.h"

#include <QStringList>

namespace mukiro::ui {

const QString& GameFont::family() {
    static const QString name = QStringLiteral("ＭＳ Ｐゴシック");
    return name;
}

void GameFont::installSubstitutes() {
    // The window was drawn with a proportional gothic; IPA's is the one Debian installs with the
    // game, Noto's CJK face stands in where it is missing. Either has every kana and kanji we use.
    QFont::insertSubstitutions(family(),
                               {QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")});
}

QFont GameFont::ofPixelSize(int pixels) {
    QFont font(family());
    font.setPixelSize(pixels);
    font.setWeight(QFont::Normal);
    font.setStyleHint(QFont::SansSerif);
    // The stand-in face has every glyph the window draws, so no fallback faces are looked up:
    // that lookup was a tenth of the start-up's work.
    font.setStyleStrategy(QFont::NoFontMerging);
    return font;
}

}  // namespace mukiro::ui
