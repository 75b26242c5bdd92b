// Counts the paint events delivered to any widget of the application.
#pragma once

#include <QEvent>
#include <QObject>

namespace mukiro::bench {

class PaintCounter : public QObject {
  public:
    long paints() const noexcept { return paints_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints_;
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    long paints_ = 0;
};

}  // namespace mukiro::bench
