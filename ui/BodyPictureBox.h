// The box that shows the man: one picture of the set, framed by a sunken border.
#pragma once

#include <QFrame>
#include <QPointF>

#include "rules/Picture.h"

namespace mukiro::ui {

class PictureSet;

class BodyPictureBox : public QFrame {
    Q_OBJECT

  public:
    // The picture area inside the border, in pixels; every picture of the set has this size.
    static constexpr int kPictureSide = 200;
    static constexpr int kBorder = 2;

    explicit BodyPictureBox(QWidget* parent = nullptr);

    // Shows `picture` from `pictures`, drawn for the screen the box is on whenever it paints.
    // The box keeps a reference to the set, which must outlive it, as the window's does.
    void setPicture(rules::Picture picture, const PictureSet& pictures, const QString& description);
    rules::Picture picture() const noexcept { return picture_; }

  signals:
    // A mouse button went down over the picture area; `where` is in logical pixels of that
    // area, unrounded: on a scaled screen a press can land between two of them.
    void pressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPointF where);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    rules::Picture picture_ = rules::Picture::start;
    const PictureSet* pictures_ = nullptr;
};

}  // namespace mukiro::ui
