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

// The widest stretch (100 = as designed) at which `fits` holds, or the narrowest allowed.
int widestFittingStretch(QFont font, const std::function<bool(const QFont&)>& fits) {
    for (int stretch = 100; stretch > TextFit::kNarrowestStretch; --stretch) {
        font.setStretch(stretch);
        if (fits(font)) {
            return stretch;
        }
    }
    return TextFit::kNarrowestStretch;
}

void applyStretch(QWidget& widget, int stretch) {
    if (stretch == 100) {
        return;
    }
    QFont font = widget.font();
    font.setStretch(stretch);
    widget.setFont(font);
}

}  // namespace

void TextFit::fitLabel(QLabel& label) {
    const QString text = label.text();
    const QRectF room(label.contentsRect());
    if (text.isEmpty() || room.isEmpty()) {
        return;
    }
    auto lines = [&](const QFont& font) {
        const QFontMetricsF metrics(font);
        const QRectF needed = metrics.boundingRect(
            QRectF(0, 0, room.width(), 1.0e6),
            static_cast<int>(Qt::TextWordWrap | label.alignment().toInt()), text);
        return static_cast<int>(std::lround(needed.height() / metrics.lineSpacing()));
    };
    const QFontMetricsF designed(label.font());
    const int roomFor = std::max(1, static_cast<int>(room.height() / designed.lineSpacing()));
    applyStretch(label, widestFittingStretch(label.font(),
                                             [&](const QFont& f) { return lines(f) <= roomFor; }));
}

void TextFit::fitLineEdit(QLineEdit& box) {
    const QString text = box.text();
    if (text.isEmpty()) {
        return;
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
    applyStretch(box, widestFittingStretch(box.font(), [&](const QFont& f) {
                     return QFontMetricsF(f).horizontalAdvance(text) <= room;
                 }));
}

}  // namespace mukiro::ui
