// Pokes as a player's mouse makes them on a scaled screen: real presses from the X server's test
// extension (xdotool) at physical pixels on both sides of every edge of the poke's region and of
// the picture. CTest runs it under Xvfb once per QT_SCALE_FACTOR, and as a client of weston at
// 200 %, nested in Xvfb so that the X pointer is weston's pointer (on-weston.sh).
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEnterEvent>
#include <QEvent>
#include <QFileInfo>
#include <QImage>
#include <QLibraryInfo>
#include <QMouseEvent>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <cmath>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "art/Palette.h"
#include "rules/GameState.h"
#include "tests/support/ColourArea.h"
#include "tests/support/RecordingHost.h"
#include "ui/BodyPictureBox.h"
#include "ui/Form1.h"
#include "ui/GameFont.h"
#include "ui/PictureSet.h"

namespace mukiro::testing {
namespace {

constexpr int kSide = ui::BodyPictureBox::kPictureSide;

// Runs a helper program to its end and gives back what it printed.
QByteArray run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    const bool finished = process.waitForFinished(10000);
    if (!finished || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString() << ' ' << arguments.join(' ').toStdString() << ": "
                      << process.readAllStandardError().toStdString();
        return {};
    }
    return process.readAllStandardOutput();
}

// What the window hears of the pointer: where it last saw it, whether it has left since, and how
// many presses and releases came, so that a test knows the pointer has arrived before it
// presses, and that a click has arrived in full.
class PointerWatch : public QObject {
  public:
    std::optional<QPointF> lastSeen() const { return lastSeen_; }
    bool leftSince() const { return left_; }
    int presses() const { return presses_; }
    int releases() const { return releases_; }

    // Forgets the pointer's last place, so that only a motion from now on counts.
    void forgetPlace() {
        lastSeen_.reset();
        left_ = false;
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::Enter:
                lastSeen_ = static_cast<QEnterEvent*>(event)->position();
                left_ = false;
                break;
            case QEvent::MouseMove:
                lastSeen_ = static_cast<QMouseEvent*>(event)->position();
                break;
            case QEvent::Leave:
                left_ = true;
                break;
            case QEvent::MouseButtonPress:
                ++presses_;
                break;
            case QEvent::MouseButtonRelease:
                ++releases_;
                break;
            default:
                break;
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    std::optional<QPointF> lastSeen_;
    bool left_ = false;
    int presses_ = 0;
    int releases_ = 0;
};

enum class Axis { x, y };

// Which physical pixel next to an edge a case presses: the last one before the edge, the first
// one on it or past it, the last one on it or before it, or the first one past it.
enum class Pixel { lastBefore, firstFrom, lastUpTo, firstPast };

struct EdgeCase {
    Axis axis;
    int edge;  // logical pixels of the picture area
    Pixel pixel;
    std::optional<const char*> cue;  // none: the press is on the border, no poke at all
};

// The region is 80 <= x <= 100 and 140 <= y <= 170, bounds included; the picture area is
// 0 <= x, y < 200 inside its border. A press half a physical pixel outside a bound is outside.
const EdgeCase kEdgeCases[] = {
    {Axis::x, 0, Pixel::lastBefore, std::nullopt}, {Axis::x, 0, Pixel::firstFrom, "tya.wav"},
    {Axis::x, 80, Pixel::lastBefore, "tya.wav"},   {Axis::x, 80, Pixel::firstFrom, "motto.wav"},
    {Axis::x, 100, Pixel::lastUpTo, "motto.wav"},  {Axis::x, 100, Pixel::firstPast, "tya.wav"},
    {Axis::x, 200, Pixel::lastBefore, "tya.wav"},  {Axis::x, 200, Pixel::firstFrom, std::nullopt},
    {Axis::y, 0, Pixel::lastBefore, std::nullopt}, {Axis::y, 0, Pixel::firstFrom, "tya.wav"},
    {Axis::y, 140, Pixel::lastBefore, "tya.wav"},  {Axis::y, 140, Pixel::firstFrom, "motto.wav"},
    {Axis::y, 170, Pixel::lastUpTo, "motto.wav"},  {Axis::y, 170, Pixel::firstPast, "tya.wav"},
    {Axis::y, 200, Pixel::lastBefore, "tya.wav"},  {Axis::y, 200, Pixel::firstFrom, std::nullopt},
};
// Across the edge, a press lies in the middle of the region.
constexpr double kMiddleX = 90;
constexpr double kMiddleY = 155;

// The physical pixel the case names, next to physical coordinate `edge` (not always whole: on
// a 125 % or 150 % screen an edge can fall inside a physical pixel).
int pixelNextTo(double edge, Pixel pixel) {
    const double nearest = std::round(edge);
    if (std::abs(edge - nearest) < 1e-6) {
        edge = nearest;
    }
    switch (pixel) {
        case Pixel::lastBefore:
            return static_cast<int>(std::ceil(edge)) - 1;
        case Pixel::firstFrom:
            return static_cast<int>(std::ceil(edge));
        case Pixel::lastUpTo:
            return static_cast<int>(std::floor(edge));
        case Pixel::firstPast:
            return static_cast<int>(std::floor(edge)) + 1;
    }
    return 0;
}

class RealInputTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ui::PictureSet pictures;
        ASSERT_TRUE(pictures.complete()) << pictures.missingFile().toStdString();
        window_ = std::make_unique<ui::Form1>(host_, std::move(pictures));
        window_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
        now_ = window_->findChild<ui::BodyPictureBox*>(QStringLiteral("now"));
        ASSERT_NE(now_, nullptr);
        window_->windowHandle()->installEventFilter(&pointer_);
        ratio_ = now_->devicePixelRatioF();
        ASSERT_NO_FATAL_FAILURE(findPictureOnScreen());
        std::cout << QGuiApplication::platformName().toStdString() << " at " << ratio_
                  << ": picture area from physical (" << origin_.x() << ", " << origin_.y()
                  << ")\n";
    }

    // Where the picture area's top-left corner lies on the X screen, in physical pixels.
    void findPictureOnScreen() {
        if (QGuiApplication::platformName() == QLatin1String("xcb")) {
            // The X window is where X says; the box lies at whole logical pixels inside it.
            const QByteArray shell =
                run(QStringLiteral("xdotool"),
                    {QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"),
                     QString::number(window_->winId())});
            QPointF windowAt;
            for (const QByteArray& line : shell.split('\n')) {
                if (line.startsWith("X=")) {
                    windowAt.setX(line.mid(2).toDouble());
                } else if (line.startsWith("Y=")) {
                    windowAt.setY(line.mid(2).toDouble());
                }
            }
            const QPoint inWindow = now_->mapTo(window_.get(), now_->contentsRect().topLeft());
            origin_ = windowAt + QPointF(inWindow) * ratio_;
            return;
        }
        // A Wayland client does not know where its window is: find the man on the screen.
        const auto side = static_cast<int>(std::lround(kSide * ratio_));
        QElapsedTimer clock;
        clock.start();
        std::optional<QRect> area;
        while (clock.elapsed() < 20000) {
            const QImage screen = QImage::fromData(
                run(QStringLiteral("import"),
                    {QStringLiteral("-window"), QStringLiteral("root"), QStringLiteral("png:-")}));
            area = areaOfColour(screen, art::palette::kBackground);
            if (area && area->size() == QSize(side, side)) {
                origin_ = area->topLeft();
                return;
            }
            QTest::qWait(300);
        }
        FAIL() << "the picture area never showed whole on the screen";
    }

    // A logical point of the picture area, as physical coordinates of the screen.
    double physical(Axis axis, double logical) const {
        return (axis == Axis::x ? origin_.x() : origin_.y()) + logical * ratio_;
    }

    // Where the pixel at `physicalAt` lies in the picture area, in logical pixels.
    double logical(Axis axis, int physicalAt) const {
        return (physicalAt - (axis == Axis::x ? origin_.x() : origin_.y())) / ratio_;
    }

    // Where the picture area's top-left corner lies in the window, in logical pixels.
    QPointF areaInWindow() const {
        return now_->mapTo(window_.get(), now_->contentsRect().topLeft());
    }

    // Where the physical pixel `pixel` of the screen lies in the window, in logical pixels.
    QPointF inWindow(QPoint pixel) const {
        return areaInWindow() + (QPointF(pixel) - origin_) / ratio_;
    }

    // Whether the window last saw the pointer on the pixel (to a fraction of it).
    bool pointerSeenOn(QPoint pixel) const {
        const std::optional<QPointF> seen = pointer_.lastSeen();
        if (!seen || pointer_.leftSince()) {
            return false;
        }
        const QPointF off = (*seen - inWindow(pixel)) * ratio_;
        return std::abs(off.x()) < 0.5 && std::abs(off.y()) < 0.5;
    }

    std::string lastSeenText() const {
        const std::optional<QPointF> seen = pointer_.lastSeen();
        if (!seen) {
            return "the window never saw it move";
        }
        const QPointF at = origin_ + (*seen - areaInWindow()) * ratio_;
        return "the window last saw it at physical (" + std::to_string(at.x()) + ", " +
               std::to_string(at.y()) + ")" + (pointer_.leftSince() ? " and then lost it" : "");
    }

    // Moves the X pointer to the pixel through the test extension and waits until the window has
    // seen it there, then clicks the left button and waits until the window has the release. A
    // compositor handed the motion and the press at once may take the press at the pointer's
    // old place, on whatever lies there, so the press waits until the motion has arrived.
    void click(QPoint pixel) {
        const int pressesBefore = pointer_.presses();
        const int releasesBefore = pointer_.releases();
        if (!pointerSeenOn(pixel)) {
            pointer_.forgetPlace();
            // By way of the pixel beside it, so that the pointer moves even if it lies there
            // already, unseen; again until the window has seen it, should a motion go astray
            // (weston passes none on before it has taken the pointer over: on-weston.sh).
            QElapsedTimer clock;
            clock.start();
            while (!pointerSeenOn(pixel) && clock.elapsed() < 5000) {
                run(QStringLiteral("xdotool"),
                    {QStringLiteral("mousemove"), QString::number(pixel.x() + 1),
                     QString::number(pixel.y()), QStringLiteral("mousemove"),
                     QString::number(pixel.x()), QString::number(pixel.y())});
                static_cast<void>(QTest::qWaitFor([&] { return pointerSeenOn(pixel); }, 250));
            }
            ASSERT_TRUE(pointerSeenOn(pixel))
                << "the pointer was moved to physical (" << pixel.x() << ", " << pixel.y()
                << ") but " << lastSeenText()
                << ": a window or a panel lies over the game there, or the compositor does not "
                   "follow the X pointer";
        }
        run(QStringLiteral("xdotool"), {QStringLiteral("click"), QStringLiteral("1")});
        ASSERT_TRUE(QTest::qWaitFor([&] { return pointer_.releases() > releasesBefore; }, 5000))
            << "the click never reached the window, though the pointer had: "
            << (pointer_.leftSince()
                    ? "the window lost the pointer, so another window came over the game"
                    : "something else took the press")
            << " (presses seen " << pointer_.presses() - pressesBefore << ")";
        EXPECT_EQ(pointer_.presses() - pressesBefore, 1) << "one click, one press";
    }

    RecordingHost host_;
    PointerWatch pointer_;
    std::unique_ptr<ui::Form1> window_;
    ui::BodyPictureBox* now_ = nullptr;
    double ratio_ = 1;
    QPointF origin_;
};

TEST_F(RealInputTest, PressesOnBothSidesOfEveryEdgeGiveTheCueOfTheirSide) {
    const rules::GameState before = window_->state();
    for (const EdgeCase& edgeCase : kEdgeCases) {
        const Axis across = edgeCase.axis == Axis::x ? Axis::y : Axis::x;
        const int onAxis = pixelNextTo(physical(edgeCase.axis, edgeCase.edge), edgeCase.pixel);
        const auto acrossAt = static_cast<int>(
            std::lround(physical(across, across == Axis::x ? kMiddleX : kMiddleY)));
        const QPoint pixel =
            edgeCase.axis == Axis::x ? QPoint(onAxis, acrossAt) : QPoint(acrossAt, onAxis);
        SCOPED_TRACE(::testing::Message()
                     << (edgeCase.axis == Axis::x ? "x " : "y ") << logical(edgeCase.axis, onAxis)
                     << " (physical " << pixel.x() << ", " << pixel.y() << ")");
        host_.clear();
        ASSERT_NO_FATAL_FAILURE(click(pixel));
        const std::vector<std::string> expected =
            edgeCase.cue ? std::vector<std::string>{*edgeCase.cue} : std::vector<std::string>{};
        EXPECT_EQ(host_.cues(), expected);
    }
    EXPECT_EQ(window_->state(), before);
}

}  // namespace
}  // namespace mukiro::testing

// The window on the platform the environment names, with no offscreen stand-in: a platform the
// machine lacks makes the run skip (exit 77) rather than fail.
int main(int argc, char* argv[]) {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    const QString plugin =
        QLibraryInfo::path(QLibraryInfo::PluginsPath) +
        QStringLiteral("/platforms/libq%1.so")
            .arg(QString::fromLatin1(platform == "wayland" ? "wayland-generic" : platform));
    if (platform.isEmpty() || !QFileInfo::exists(plugin)) {
        std::cerr << "skipped: no Qt platform plugin " << plugin.toStdString() << '\n';
        return 77;
    }
    QTemporaryDir runtimeDir;
    if (runtimeDir.isValid() && qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        qputenv("XDG_RUNTIME_DIR", runtimeDir.path().toLocal8Bit());
    }
    ::testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    mukiro::ui::GameFont::installSubstitutes();
    return RUN_ALL_TESTS();
}
