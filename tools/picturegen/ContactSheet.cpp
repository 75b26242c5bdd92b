// A labelled sheet of every picture of the set, for looking the art over at a glance.
#include "ContactSheet.h"

#include <QFont>
#include <QPainter>

namespace mukiro::tools {

namespace {

constexpr int kColumns = 6;
constexpr int kMargin = 12;
constexpr int kCell = 200;
constexpr int kLabelHeight = 24;
const QColor kWindowGrey{239, 239, 239};
const QColor kLabelInk{32, 32, 32};

}  // namespace

void ContactSheet::add(const QString& label, const QImage& picture) {
    entries_.emplace_back(label, picture);
}

QImage ContactSheet::render() const {
    const int count = static_cast<int>(entries_.size());
    const int rows = (count + kColumns - 1) / kColumns;
    const int width = kMargin + kColumns * (kCell + kMargin);
    const int height = kMargin + rows * (kCell + kLabelHeight + kMargin);
    QImage sheet(width, height, QImage::Format_RGB32);
    sheet.fill(kWindowGrey);
    QPainter painter(&sheet);
    painter.setRenderHint(QPainter::Antialiasing, true);
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPixelSize(15);
    painter.setFont(font);
    painter.setPen(kLabelInk);
    for (int i = 0; i < count; ++i) {
        const int x = kMargin + (i % kColumns) * (kCell + kMargin);
        const int y = kMargin + (i / kColumns) * (kCell + kLabelHeight + kMargin);
        painter.drawImage(QPoint(x, y), entries_[static_cast<std::size_t>(i)].second);
        painter.drawText(QRect(x, y + kCell, kCell, kLabelHeight), Qt::AlignCenter,
                         entries_[static_cast<std::size_t>(i)].first);
    }
    return sheet;
}

}  // namespace mukiro::tools
