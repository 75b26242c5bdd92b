// Runs a piece of start-up work once the window's first frame is drawn, not before.
#include "ui/AfterFirstPaint.h"

#include <QEvent>
#include <QTimer>
#include <utility>

namespace mukiro::ui {

AfterFirstPaint::AfterFirstPaint(QWidget& widget, std::function<void()> then,
                                 std::chrono::milliseconds latest)
    : QObject(&widget), widget_(widget), then_(std::move(then)) {
    widget_.installEventFilter(this);
    QTimer::singleShot(latest, this, &AfterFirstPaint::runOnce);
}

bool AfterFirstPaint::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &widget_ && event->type() == QEvent::Paint) {
        widget_.removeEventFilter(this);
        // Queued: the paint is handled and the frame flushed to the screen first.
        QTimer::singleShot(0, this, &AfterFirstPaint::runOnce);
    }
    return QObject::eventFilter(watched, event);
}

void AfterFirstPaint::runOnce() {
    if (then_) {
        std::exchange(then_, nullptr)();
        // Done for good: neither the filter nor the object is needed for the rest of the run.
        widget_.removeEventFilter(this);
        deleteLater();
    }
}

}  // namespace mukiro::ui
