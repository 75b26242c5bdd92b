// Runs a piece of start-up work once the window's first frame is drawn, not before.
#pragma once

#include <QObject>
#include <QWidget>
#include <chrono>
#include <functional>

namespace mukiro::ui {

// Work that the player does not see (loading the sound library, connecting to the sound
// server) competes with the window for the processor while the window is being built; put
// after the first frame it costs the window nothing. `then` runs once, from the event loop,
// right after `widget` first painted, or after `latest` if it never paints (a minimised or
// hidden window), so the work is never lost.
class AfterFirstPaint : public QObject {
    Q_OBJECT

  public:
    AfterFirstPaint(QWidget& widget, std::function<void()> then,
                    std::chrono::milliseconds latest = std::chrono::seconds(2));

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void runOnce();

    QWidget& widget_;
    std::function<void()> then_;
};

}  // namespace mukiro::ui
