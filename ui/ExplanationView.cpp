// The text box that shows the game's explanation over the whole window until clicked or closed
// with a key.
#include "ui/ExplanationView.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace mukiro::ui {

ExplanationView::ExplanationView(QWidget* parent) : QPlainTextEdit(parent) {
    setReadOnly(true);
    // Read-only still lets the player select and copy; only the game writes the text.
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

void ExplanationView::setText(const QString& text) {
    text_ = text;
    QString shown = text;
    if (shown.endsWith(QStringLiteral("\r\n"))) {
        shown.chop(2);
    }
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    setPlainText(shown);
}

void ExplanationView::mousePressEvent(QMouseEvent* event) {
    event->accept();
    emit clicked();
}

void ExplanationView::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Escape:
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            event->accept();
            emit closeKeyPressed();
            return;
        default:
            // The arrows and page keys move through the text, line by line for a screen reader.
            QPlainTextEdit::keyPressEvent(event);
    }
}

bool ExplanationView::focusNextPrevChild(bool next) {
    if (isVisible()) {
        return true;
    }
    return QPlainTextEdit::focusNextPrevChild(next);
}

}  // namespace mukiro::ui
