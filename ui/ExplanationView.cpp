// The text box that shows the game's explanation over the whole window until clicked.
#include "ui/ExplanationView.h"

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

}  // namespace mukiro::ui
