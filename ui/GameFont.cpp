// The one typeface the game's texts are drawn in, and its stand-ins on this system.
#include "ui/GameFont.h"

#include <QApplication>
#include <QFontInfo>
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
    // The menu bar and the Messages keep the desktop's face, whose Latin face has no kana or
    // kanji: they came from the system's first Japanese face, IPA's fixed-width gothic, a
    // second 6 MiB font file mapped (2 MiB of it touched) for a handful of characters. The
    // proportional gothic the window already holds draws them instead. The desktop's face is
    // named as resolved, so it stays the first face and the menu bar keeps its size.
    QFont font = QApplication::font();
    font.setFamilies({QFontInfo(font).family(), QStringLiteral("IPAPGothic")});
    QApplication::setFont(font);
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
