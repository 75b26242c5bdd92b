// The box that shows the man: one picture of the set, framed by a sunken border.
#include "ui/BodyPictureBox.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

#include "ui/PictureSet.h"

namespace mukiro::ui {

BodyPictureBox::BodyPictureBox(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(kBorder);
    setFixedSize(kPictureSide + 2 * kBorder, kPictureSide + 2 * kBorder);
    // The box can be reached with the Tab key, first of all controls.
    setFocusPolicy(Qt::TabFocus);
}

void BodyPictureBox::setPicture(rules::Picture picture, const PictureSet& pictures,
                                const QString& description) {
    if (pictures_ == &pictures && picture_ == picture) {
        return;
    }
    picture_ = picture;
    pictures_ = &pictures;
    setAccessibleDescription(description);
    update();
}

void BodyPictureBox::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    if (pictures_ != nullptr) {
        // The ratio is read at every paint, not kept: when the window moves to a screen with
        // another scale, or the desktop's scale changes, the toolkit repaints it and the man
        // is drawn for the new ratio. Which picture is on show never depends on it.
        QPainter painter(this);
        painter.drawPixmap(contentsRect().topLeft(),
                           pictures_->forScreen(picture_, devicePixelRatioF()));
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
    // Unrounded, so a press just past an edge of the poke's region stays outside it.
    const QPointF where = event->position() - QPointF(contentsRect().topLeft());
    // Presses on the border are not presses on the picture.
    if (where.x() >= 0 && where.y() >= 0 && where.x() < kPictureSide && where.y() < kPictureSide) {
        emit pressed(event->button(), event->modifiers(), where);
    }
    event->accept();
}

}  // namespace mukiro::ui
