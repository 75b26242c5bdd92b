// The body picture as a screen reader meets it: an image of the man, described as shown.
#pragma once

#include <QAccessibleWidget>

namespace mukiro::ui {

class BodyPictureBox;

// Without this the box is an unnamed frame. As an image it is named "体", and its description
// (the box's accessible description, which follows the picture on show) says what the player
// sees: the level, a shine, the gravestone, the winner; then what the poke keys do. The image's
// own description is the picture's alone.
class BodyPictureAccessible : public QAccessibleWidget, public QAccessibleImageInterface {
  public:
    explicit BodyPictureAccessible(BodyPictureBox* box);

    QString text(QAccessible::Text kind) const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QString imageDescription() const override;
    QSize imageSize() const override;
    QPoint imagePosition() const override;
};

}  // namespace mukiro::ui
