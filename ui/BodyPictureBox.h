// The box that shows the man: one picture of the set, framed by a sunken border.
#pragma once

#include <QFrame>
#include <QPoint>

#include "rules/Picture.h"

class QPixmap;

namespace mukiro::ui {

class BodyPictureBox : public QFrame {
    Q_OBJECT

  public:
    // The picture area inside the border, in pixels; every picture of the set has this size.
    static constexpr int kPictureSide = 200;
    static constexpr int kBorder = 2;

    explicit BodyPictureBox(QWidget* parent = nullptr);

    // Shows `pixmap` as the picture `picture`. The box keeps a reference to the pixmap, which
    // must outlive it, as the picture set does.
    void setPicture(rules::Picture picture, const QPixmap& pixmap, const QString& description);
    rules::Picture picture() const noexcept { return picture_; }

  signals:
    // A mouse button went down over the picture area; `where` is in pixels of that area.
    void pressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint where);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    rules::Picture picture_ = rules::Picture::start;
    const QPixmap* pixmap_ = nullptr;
};

}  // namespace mukiro::ui
