// The box that shows the man: one picture of the set, framed by a sunken border.
#include "ui/BodyPictureBox.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <cmath>
#include <optional>

#include "ui/PictureSet.h"

namespace mukiro::ui {

using window::AimMove;
using window::KeyboardPoke;
using window::kKeyboardPokeHelp;

static_assert(KeyboardPoke::kPictureSide == BodyPictureBox::kPictureSide);

namespace {

// The arrow keys move the aim; the keypad's arrows come with the keypad modifier.
struct AimKey {
    Qt::Key key;
    AimMove move;
};
constexpr AimKey kAimKeys[] = {
    {Qt::Key_Left, AimMove::left},
    {Qt::Key_Right, AimMove::right},
    {Qt::Key_Up, AimMove::up},
    {Qt::Key_Down, AimMove::down},
};

// Space pokes, as it presses a focused button; so do Enter and the keypad's Enter, as they do
// on the game's buttons.
constexpr Qt::Key kPokeKeys[] = {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter};

std::optional<AimMove> aimMoveOf(int key) {
    for (const AimKey& aimKey : kAimKeys) {
        if (aimKey.key == key) {
            return aimKey.move;
        }
    }
    return std::nullopt;
}

bool isPokeKey(int key) {
    for (const Qt::Key pokeKey : kPokeKeys) {
        if (pokeKey == key) {
            return true;
        }
    }
    return false;
}

// The aim marker: a dot on the aimed pixel and four short arms round it, in the highlight
// colour edged in white like the focus frame, so it shows on the pale pictures and the dark ones.
constexpr int kArmFrom = 3;
constexpr int kArmLength = 5;

}  // namespace

BodyPictureBox::BodyPictureBox(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(kBorder);
    setFixedSize(kPictureSide + 2 * kBorder, kPictureSide + 2 * kBorder);
    // The box can be reached with the Tab key, first of all controls. A click does not focus
    // it, so a mouse player never sees the aim.
    setFocusPolicy(Qt::TabFocus);
}

void BodyPictureBox::setPicture(rules::Picture picture, const PictureSet& pictures,
                                const QString& description) {
    if (pictures_ == &pictures && picture_ == picture) {
        return;
    }
    picture_ = picture;
    pictures_ = &pictures;
    pictureDescription_ = description;
    setAccessibleDescription(description + QStringLiteral("。") +
                             QString::fromUtf8(kKeyboardPokeHelp.data(),
                                               static_cast<qsizetype>(kKeyboardPokeHelp.size())));
    update();
}

void BodyPictureBox::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    if (pictures_ != nullptr) {
        // The ratio is read at every paint, not kept: when the window moves to a screen with
        // another scale, or the desktop's scale changes, the toolkit repaints it and the man
        // is drawn for the new ratio. Which picture is on show never depends on it.
        painter.drawPixmap(contentsRect().topLeft(),
                           pictures_->forScreen(picture_, devicePixelRatioF()));
    }
    if (showsKeyboardFocus()) {
        paintFocusFrame(painter);
        paintAim(painter);
    }
}

bool BodyPictureBox::showsKeyboardFocus() const {
    return hasFocus() && window()->testAttribute(Qt::WA_KeyboardFocusChange);
}

// The box takes Tab focus like any control, so it shows it once the keyboard is in use, as the
// buttons do: a thick frame in the highlight colour, edged in white so that it stands out on
// the pale pictures and on the dark ones alike.
void BodyPictureBox::paintFocusFrame(QPainter& painter) const {
    const QRect area = contentsRect();
    painter.setPen(
        QPen(palette().color(QPalette::Highlight), 3, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.drawRect(area.adjusted(1, 1, -2, -2));
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(area.adjusted(3, 3, -4, -4));
}

void BodyPictureBox::paintAim(QPainter& painter) const {
    const QRect area = contentsRect();
    const QPoint at = area.topLeft() + QPoint(aim().x, aim().y);
    const QRect dot(at, QSize(1, 1));
    const QRect arms[] = {
        QRect(at.x() - kArmFrom - kArmLength + 1, at.y(), kArmLength, 1),
        QRect(at.x() + kArmFrom, at.y(), kArmLength, 1),
        QRect(at.x(), at.y() - kArmFrom - kArmLength + 1, 1, kArmLength),
        QRect(at.x(), at.y() + kArmFrom, 1, kArmLength),
    };
    painter.save();
    painter.setClipRect(area);
    painter.fillRect(dot.adjusted(-1, -1, 1, 1), Qt::white);
    for (const QRect& arm : arms) {
        painter.fillRect(arm.adjusted(-1, -1, 1, 1), Qt::white);
    }
    const QColor highlight = palette().color(QPalette::Highlight);
    painter.fillRect(dot, highlight);
    for (const QRect& arm : arms) {
        painter.fillRect(arm, highlight);
    }
    painter.restore();
}

// Where a press landed in the box, to the fraction of a pixel. On a scaled screen the toolkit
// hands a widget its press rounded to whole logical pixels, so a press half a pixel left of the
// man's briefs would land on them. The press's position in the window is not rounded, and the
// box lies a whole number of logical pixels inside the window, so that gives it exactly.
QPointF BodyPictureBox::pressPosition(const QMouseEvent& event) const {
    const QPointF rounded = event.position();
    const QPointF exact = event.scenePosition() - QPointF(mapTo(window(), QPoint(0, 0)));
    // A press made by a program may carry its position in the box as its window position too;
    // the rounded one is then all there is, and it is exact.
    const bool sameSpot =
        std::abs(exact.x() - rounded.x()) < 1 && std::abs(exact.y() - rounded.y()) < 1;
    return sameSpot ? exact : rounded;
}

void BodyPictureBox::mousePressEvent(QMouseEvent* event) {
    const QPointF where = pressPosition(*event) - QPointF(contentsRect().topLeft());
    // Presses on the border are not presses on the picture.
    if (where.x() >= 0 && where.y() >= 0 && where.x() < kPictureSide && where.y() < kPictureSide) {
        emit pressed(event->button(), event->modifiers(), where);
    }
    event->accept();
}

void BodyPictureBox::keyPressEvent(QKeyEvent* event) {
    // The keypad's keys come with the keypad modifier; any other modifier means a shortcut.
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    const std::optional<AimMove> move = aimMoveOf(event->key());
    const bool poke = isPokeKey(event->key());
    if (!plain || (!move && !poke)) {
        QFrame::keyPressEvent(event);
        return;
    }
    // The keyboard is in use, even when no Tab brought it here: frame and aim show from now on.
    window()->setAttribute(Qt::WA_KeyboardFocusChange);
    if (move) {
        keyboardPoke_.move(*move);
    } else if (!event->isAutoRepeat()) {
        // One poke for each press of the key, as for each press of a mouse button.
        emit pressed(Qt::LeftButton, Qt::NoModifier, QPointF(aim().x, aim().y));
    }
    update();
    event->accept();
}

}  // namespace mukiro::ui
