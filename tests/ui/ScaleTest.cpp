// The window on a screen scaled by QT_SCALE_FACTOR (CTest runs this once per factor): the man
// drawn for the screen's ratio, in a picture area of 200 x 200 logical pixels, and pokes and
// taps judged in logical pixels, unrounded.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFont>
#include <QFontInfo>
#include <QImage>
#include <QMouseEvent>
#include <QPixmap>
#include <QPointingDevice>
#include <QScreen>
#include <QTest>
#include <QWindow>
#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "art/PictureBook.h"
#include "rules/GameState.h"
#include "tests/support/RecordingHost.h"
#include "ui/BodyPictureBox.h"
#include "ui/Form1.h"
#include "ui/PictureSet.h"

namespace mukiro::testing {
namespace {

constexpr int kSide = ui::BodyPictureBox::kPictureSide;

class ScaledWindowTest : public ::testing::Test {
  protected:
    // Opens the window with the game's own pictures and `picture` on show.
    void open(rules::Picture picture = rules::Picture::start) {
        ui::PictureSet pictures;
        ASSERT_TRUE(pictures.complete()) << pictures.missingFile().toStdString();
        rules::GameState initial;
        initial.now = picture;
        window = std::make_unique<ui::Form1>(host, std::move(pictures), std::move(initial));
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        now = window->findChild<ui::BodyPictureBox*>(QStringLiteral("now"));
        ASSERT_NE(now, nullptr);
    }

    // The factor this run was started with; the whole table below holds at each.
    static double scaleFactor() {
        const QByteArray factor = qgetenv("QT_SCALE_FACTOR");
        return factor.isEmpty() ? 1.0 : factor.toDouble();
    }

    // Presses a button at `where`, in logical pixels of the picture area (which starts inside
    // the 2-pixel border), the way a scaled screen reports it: between pixels if need be.
    void press(QPointF where) {
        const QPointF local =
            where + QPointF(ui::BodyPictureBox::kBorder, ui::BodyPictureBox::kBorder);
        QMouseEvent down(QEvent::MouseButtonPress, local, now->mapToGlobal(local), Qt::LeftButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(now, &down);
        QMouseEvent up(QEvent::MouseButtonRelease, local, now->mapToGlobal(local), Qt::LeftButton,
                       Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(now, &up);
    }

    RecordingHost host;
    std::unique_ptr<ui::Form1> window;
    ui::BodyPictureBox* now = nullptr;
};

TEST_F(ScaledWindowTest, ThePictureAreaStays200LogicalPixelsInsideItsBorder) {
    open();
    EXPECT_DOUBLE_EQ(now->devicePixelRatioF(), scaleFactor());
    EXPECT_EQ(now->size(), QSize(kSide + 4, kSide + 4));
    EXPECT_EQ(now->contentsRect(), QRect(2, 2, kSide, kSide));
}

// At 1 the window shows the committed picture pixel for pixel; above 1 it shows the art drawn
// for that ratio, not the 1x picture enlarged. Which picture is on show does not change.
TEST_F(ScaledWindowTest, TheManIsDrawnForTheScreensRatio) {
    const double ratio = scaleFactor();
    for (const rules::Picture picture : {rules::Picture::start, rules::Picture::tyuesu,
                                         rules::Picture::hugoukaku, rules::Picture::death}) {
        SCOPED_TRACE(std::string(rules::pictureName(picture)));
        open(picture);
        const QImage shown =
            now->grab(now->contentsRect()).toImage().convertToFormat(QImage::Format_RGB32);
        QImage expected =
            ratio == 1.0 ? QImage(QStringLiteral(":/pictures/") + ui::PictureSet::fileName(picture))
                         : art::PictureBook().draw(picture, ratio);
        expected = expected.convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(shown.size(), expected.size());
        expected.setDevicePixelRatio(shown.devicePixelRatio());
        EXPECT_TRUE(shown == expected) << "the picture area differs from the art at " << ratio;
        EXPECT_EQ(now->picture(), picture);
    }
}

struct Poke {
    QPointF where;  // logical pixels of the picture area
    std::optional<const char*> cue;
};

// The hit region is x 80 to 100 and y 140 to 170, bounds included, at every ratio; a press
// just past a bound is outside it, and a press on the border is no poke at all.
TEST_F(ScaledWindowTest, PokesLandInLogicalPixelsUnrounded) {
    const Poke pokes[] = {
        {{80, 140}, "motto.wav"},       {{100, 170}, "motto.wav"},    {{90, 155}, "motto.wav"},
        {{80.25, 169.75}, "motto.wav"}, {{99.5, 140.5}, "motto.wav"}, {{100.4, 155}, "tya.wav"},
        {{100.5, 155}, "tya.wav"},      {{79.5, 155}, "tya.wav"},     {{90, 139.5}, "tya.wav"},
        {{90, 170.5}, "tya.wav"},       {{0, 0}, "tya.wav"},          {{199.5, 199.5}, "tya.wav"},
        {{-0.5, 100}, std::nullopt},    {{100, -1}, std::nullopt},    {{200, 50}, std::nullopt},
        {{50, 201}, std::nullopt},
    };
    open();
    const rules::GameState before = window->state();
    for (const Poke& poke : pokes) {
        SCOPED_TRACE(::testing::Message() << poke.where.x() << ", " << poke.where.y());
        host.clear();
        press(poke.where);
        const std::vector<std::string> expected =
            poke.cue ? std::vector<std::string>{*poke.cue} : std::vector<std::string>{};
        EXPECT_EQ(host.cues(), expected);
    }
    EXPECT_EQ(window->state(), before);
}

// A tap on a touch screen is one poke, judged like a press: the toolkit turns the touch the box
// leaves alone into one mouse press, and nothing else pokes. The touch goes in where the
// platform hands it to the toolkit, so it takes the same road as a finger's.
TEST_F(ScaledWindowTest, ATapIsOnePoke) {
    const Poke taps[] = {
        {{80, 155}, "motto.wav"}, {{79, 155}, "tya.wav"},    {{100, 170}, "motto.wav"},
        {{101, 170}, "tya.wav"},  {{90, 139}, "tya.wav"},    {{90, 140}, "motto.wav"},
        {{10, 10}, "tya.wav"},    {{-1, 100}, std::nullopt},
    };
    open();
    const std::unique_ptr<QPointingDevice> touchScreen(QTest::createTouchDevice());
    for (const Poke& tap : taps) {
        SCOPED_TRACE(::testing::Message() << tap.where.x() << ", " << tap.where.y());
        host.clear();
        const QPoint at =
            tap.where.toPoint() + QPoint(ui::BodyPictureBox::kBorder, ui::BodyPictureBox::kBorder);
        QTest::touchEvent(window.get(), touchScreen.get()).press(0, at, now);
        QTest::touchEvent(window.get(), touchScreen.get()).release(0, at, now);
        const std::vector<std::string> expected =
            tap.cue ? std::vector<std::string>{*tap.cue} : std::vector<std::string>{};
        EXPECT_EQ(host.cues(), expected);
    }
}

// Run with two screens, one at 100 % and one at 200 % (two-screens.json): once the window has
// moved to the other screen, the box paints the man for that screen's ratio, and the same
// picture stays on show. (The offscreen platform keeps its 1x backing store after the move, so
// the box is painted afresh here rather than read back from the screen.)
TEST_F(ScaledWindowTest, TwoScreensRedrawTheManWhenTheWindowMoves) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    ASSERT_EQ(screens.size(), 2)
        << "run with QT_QPA_PLATFORM=offscreen:configfile=two-screens.json";
    open(rules::Picture::level4);
    const QImage plain =
        QImage(QStringLiteral(":/pictures/level4.bmp")).convertToFormat(QImage::Format_RGB32);
    const QImage fine =
        art::PictureBook().draw(rules::Picture::level4, 2).convertToFormat(QImage::Format_RGB32);
    for (const auto& [screen, expected] :
         {std::pair{screens[1], fine}, std::pair{screens[0], plain}, std::pair{screens[1], fine}}) {
        SCOPED_TRACE(screen->name().toStdString());
        window->windowHandle()->setScreen(screen);
        QApplication::processEvents();
        EXPECT_DOUBLE_EQ(now->devicePixelRatioF(), expected.devicePixelRatio());
        QImage shown =
            now->grab(now->contentsRect()).toImage().convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(shown.size(), expected.size());
        shown.setDevicePixelRatio(expected.devicePixelRatio());
        EXPECT_TRUE(shown == expected);
        EXPECT_EQ(now->picture(), rules::Picture::level4);
    }
}

// Run at 2x on a system whose fonts are gone (no-fonts.conf): the gravestone's inscription
// cannot be set, so the game shows the 1x gravestone enlarged smoothly rather than fail or
// carve other letters; the man, who needs no text, is still drawn for the ratio.
TEST_F(ScaledWindowTest, WithoutTheGraveFaceTheGravestoneIsEnlarged) {
    QFont face(QStringLiteral("IPAPGothic"));
    ASSERT_NE(QFontInfo(face).family(), QStringLiteral("IPAPGothic"))
        << "run with FONTCONFIG_FILE=no-fonts.conf";
    const double ratio = scaleFactor();
    const auto side = static_cast<int>(std::lround(kSide * ratio));
    const QImage grave(QStringLiteral(":/pictures/death.bmp"));
    const QImage level1 = art::PictureBook().draw(rules::Picture::level1, ratio);
    for (const auto& [picture, expected] :
         {std::pair{rules::Picture::death,
                    grave.scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)},
          std::pair{rules::Picture::level1, level1}}) {
        SCOPED_TRACE(std::string(rules::pictureName(picture)));
        open(picture);
        QImage shown =
            now->grab(now->contentsRect()).toImage().convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(shown.size(), QSize(side, side));
        shown.setDevicePixelRatio(1);
        QImage wanted = expected.convertToFormat(QImage::Format_RGB32);
        wanted.setDevicePixelRatio(1);
        EXPECT_TRUE(shown == wanted);
    }
}

}  // namespace
}  // namespace mukiro::testing
