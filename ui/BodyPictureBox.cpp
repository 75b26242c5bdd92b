// The box that shows the man: one picture of the set, framed by a sunken border.
#include "ui/BodyPictureBox.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

namespace mukiro::ui {

BodyPictureBox::BodyPictureBox(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(kBorder);
    setFixedSize(kPictureSide + 2 * kBorder, kPictureSide + 2 * kBorder);
    // The box can be reached with the Tab key, first of all controls.
    setFocusPolicy(Qt::TabFocus);
}

void BodyPictureBox::setPicture(rules::Picture picture, const QPixmap& pixmap,
                                const QString& description) {
    if (pixmap_ == &pixmap && picture_ == picture) {
        return;
    }
    picture_ = picture;
    pixmap_ = &pixmap;
    setAccessibleDescription(description);
    update();
}

void BodyPictureBox::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    if (pixmap_ != nullptr) {
        QPainter painter(this);
        painter.drawPixmap(contentsRect().topLeft(), *pixmap_);
    }
    // The box takes Tab focus like any control, so it shows it once the keyboard is in use, as
    // the buttons do: a thick frame in the highlight colour, edged in white so that it stands
    // out on the pale pictures and on the dark ones alike.
    if (hasFocus() && window()->testAttribute(Qt::WA_KeyboardFocusChange)) {
        QPainter painter(this);
        const QRect area = contentsRect();
        painter.setPen(QPen(palette().color(QPalette::Highlight), 3, Qt::SolidLine, Qt::SquareCap,
                            Qt::MiterJoin));
        painter.drawRect(area.adjusted(1, 1, -2, -2));
        painter.setPen(QPen(Qt::white, 1));
        painter.drawRect(area.adjusted(3, 3, -4, -4));
    }
}

void BodyPictureBox::mousePressEvent(QMouseEvent* event) {
    const QPoint where = event->position().toPoint() - contentsRect().topLeft();
    // Presses on the border are not presses on the picture.
    if (where.x() >= 0 && where.y() >= 0 && where.x() < kPictureSide && where.y() < kPictureSide) {
        emit pressed(event->button(), event->modifiers(), where);
    }
    event->accept();
}

}  // namespace mukiro::ui
