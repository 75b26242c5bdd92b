// The body picture as a screen reader meets it: an image of the man, described as shown.
#include "ui/BodyPictureAccessible.h"

#include "ui/BodyPictureBox.h"

namespace mukiro::ui {

BodyPictureAccessible::BodyPictureAccessible(BodyPictureBox* box)
    : QAccessibleWidget(box, QAccessible::Graphic) {}

QString BodyPictureAccessible::text(QAccessible::Text kind) const {
    if (kind == QAccessible::Name && widget()->accessibleName().isEmpty()) {
        return QStringLiteral("体");
    }
    return QAccessibleWidget::text(kind);
}

void* BodyPictureAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::ImageInterface) {
        return static_cast<QAccessibleImageInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
}

QString BodyPictureAccessible::imageDescription() const {
    return static_cast<const BodyPictureBox*>(widget())->pictureDescription();
}

QSize BodyPictureAccessible::imageSize() const {
    return {BodyPictureBox::kPictureSide, BodyPictureBox::kPictureSide};
}

QPoint BodyPictureAccessible::imagePosition() const {
    return rect().topLeft() + QPoint(BodyPictureBox::kBorder, BodyPictureBox::kBorder);
}

}  // namespace mukiro::ui
