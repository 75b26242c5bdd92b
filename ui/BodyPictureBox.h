// The box that shows the man: one picture of the set, framed by a sunken border.
#pragma once

#include <QFrame>
#include <QPointF>
#include <QString>

#include "rules/Picture.h"
#include "window/KeyboardPoke.h"

class QKeyEvent;

namespace mukiro::ui {

class PictureSet;

// The man can be poked with the mouse, with a finger (the toolkit hands a tap on as a left
// press), or from the keyboard: while the box has the focus, the arrow keys move an aim marker
// over the picture and Space or Enter pokes where it stands.
class BodyPictureBox : public QFrame {
    Q_OBJECT

  public:
    // The picture area inside the border, in pixels; every picture of the set has this size.
    static constexpr int kPictureSide = 200;
    static constexpr int kBorder = 2;

    explicit BodyPictureBox(QWidget* parent = nullptr);

    // Shows `picture` from `pictures`, drawn for the screen the box is on whenever it paints.
    // The box keeps a reference to the set, which must outlive it, as the window's does.
    // `description` says what the picture shows; a screen reader hears the poke keys after it.
    void setPicture(rules::Picture picture, const PictureSet& pictures, const QString& description);
    rules::Picture picture() const noexcept { return picture_; }
    const QString& pictureDescription() const noexcept { return pictureDescription_; }

    // Where a poke from the keyboard would land, in pixels of the picture area.
    window::PicturePoint aim() const noexcept { return keyboardPoke_.aim(); }

  signals:
    // A poke went down on the picture area; `where` is in logical pixels of that area,
    // unrounded: on a scaled screen a press can land between two of them. The keyboard's poke
    // comes as the left button at the aim.
    void pressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPointF where);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QPointF pressPosition(const QMouseEvent& event) const;
    // The focus frame and the aim show only while the box has the focus and the keyboard is in
    // use, so a mouse player never sees either.
    bool showsKeyboardFocus() const;
    void paintFocusFrame(QPainter& painter) const;
    void paintAim(QPainter& painter) const;

    rules::Picture picture_ = rules::Picture::start;
    const PictureSet* pictures_ = nullptr;
    QString pictureDescription_;
    window::KeyboardPoke keyboardPoke_;
};

}  // namespace mukiro::ui
