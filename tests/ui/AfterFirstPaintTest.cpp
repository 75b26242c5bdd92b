// Tests that start-up work put after the first frame waits for it, runs once, and is never lost.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTest>
#include <QWidget>

#include "ui/AfterFirstPaint.h"

namespace mukiro::ui {
namespace {

using namespace std::chrono_literals;

class CountingWidget : public QWidget {
  public:
    int paints = 0;

  protected:
    void paintEvent(QPaintEvent*) override { ++paints; }
};

TEST(AfterFirstPaint, RunsOnceJustAfterTheFirstPaint) {
    CountingWidget window;
    window.resize(200, 100);
    int runs = 0;
    int paintsSeenByTheWork = -1;
    new AfterFirstPaint(window, [&] {
        ++runs;
        paintsSeenByTheWork = window.paints;
    });
    window.show();
    EXPECT_EQ(runs, 0) << "ran before the window could paint";
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_TRUE(QTest::qWaitFor([&] { return runs > 0; }, 5000));
    EXPECT_GE(paintsSeenByTheWork, 1);

    window.update();
    QTest::qWait(50);
    window.hide();
    window.show();
    QTest::qWait(50);
    EXPECT_EQ(runs, 1);
}

// A window that never paints (never shown here, minimised on a desktop) still gets the work
// done once the time is up, and only once.
TEST(AfterFirstPaint, RunsOnceAfterTheLatestTimeWithoutAPaint) {
    CountingWidget window;
    int runs = 0;
    qint64 ranAfter = -1;
    QElapsedTimer clock;
    clock.start();
    new AfterFirstPaint(
        window,
        [&] {
            ++runs;
            ranAfter = clock.elapsed();
        },
        500ms);
    EXPECT_TRUE(QTest::qWaitFor([&] { return runs > 0; }, 5000));
    // Not before the time is up, however quick or slow the machine (a coarse timer may fire
    // up to 5 % early).
    EXPECT_GE(ranAfter, 475);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::qWait(50);
    EXPECT_EQ(runs, 1);
    EXPECT_GE(window.paints, 1);
}

}  // namespace
}  // namespace mukiro::ui
