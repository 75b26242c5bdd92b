// Narrows a control's font where the stand-in face draws its text wider than the control.
#include "ui/TextFit.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>
#include <cmath>
#include <functional>

namespace mukiro::ui {

namespace {

// Qt keeps this many pixels between a line edit's frame and its text on each side.
constexpr int kLineEditInnerMargin = 2;

// Whether the text, drawn in the font given, keeps within the room given as a width in pixels.
using FitsIn = std::function<bool(const QFont&, qreal width)>;

// The widest stretch (100 = as designed) at which the text fits `width`, or the narrowest
// allowed. Every stretch tried is a font loaded from the system, which costs far more than the
// measuring, so the stretch is first estimated with the designed font alone: a face condensed
// to s% draws its text s% as wide, as if the room were 100/s times wider. Hinting rounds each
// face a little differently, so the estimate is then checked, and moved, with the real faces.
int widestFittingStretch(QFont font, qreal width, const FitsIn& fitsIn) {
    if (fitsIn(font, width)) {
        return 100;
    }
    int stretch = TextFit::kNarrowestStretch;
    for (int s = 99; s > TextFit::kNarrowestStretch; --s) {
        if (fitsIn(font, width * 100.0 / s)) {
            stretch = s;
            break;
        }
    }
    auto fitsAt = [&](int s) {
        font.setStretch(s);
        return fitsIn(font, width);
    };
    if (fitsAt(stretch)) {
        while (stretch < 99 && fitsAt(stretch + 1)) {
            ++stretch;
        }
        return stretch;
    }
    while (stretch > TextFit::kNarrowestStretch + 1) {
        --stretch;
        if (fitsAt(stretch)) {
            return stretch;
        }
    }
    return TextFit::kNarrowestStretch;
}

}  // namespace

void TextFit::applyStretch(QWidget& widget, int stretch) {
    if (stretch == 100) {
        return;
    }
    QFont font = widget.font();
    font.setStretch(stretch);
    widget.setFont(font);
}

int TextFit::labelStretch(const QLabel& label) {
    const QString text = label.text();
    const QRectF room(label.contentsRect());
    if (text.isEmpty() || room.isEmpty()) {
        return 100;
    }
    auto lines = [&](const QFont& font, qreal width) {
        const QFontMetricsF metrics(font);
        const QRectF needed = metrics.boundingRect(
            QRectF(0, 0, width, 1.0e6),
            static_cast<int>(Qt::TextWordWrap | label.alignment().toInt()), text);
        return static_cast<int>(std::lround(needed.height() / metrics.lineSpacing()));
    };
    const QFontMetricsF designed(label.font());
    const int roomFor = std::max(1, static_cast<int>(room.height() / designed.lineSpacing()));
    return widestFittingStretch(label.font(), room.width(), [&](const QFont& f, qreal width) {
        return lines(f, width) <= roomFor;
    });
}

int TextFit::lineEditStretch(const QLineEdit& box) {
    const QString text = box.text();
    if (text.isEmpty()) {
        return 100;
    }
    // The text area as the line edit paints it: inside the style's frame and the text margins.
    QStyleOptionFrame option;
    option.initFrom(&box);
    option.lineWidth =
        box.hasFrame() ? box.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &box) : 0;
    const QRect contents = box.style()->subElementRect(QStyle::SE_LineEditContents, &option, &box);
    const QMargins margins = box.textMargins();
    const qreal room =
        contents.width() - margins.left() - margins.right() - 2 * kLineEditInnerMargin;
    return widestFittingStretch(box.font(), room, [&](const QFont& f, qreal width) {
        return QFontMetricsF(f).horizontalAdvance(text) <= width;
    });
}

}  // namespace mukiro::ui
