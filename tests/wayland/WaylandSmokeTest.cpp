// The game on a real Wayland compositor scaled to 200 %: weston's headless back end with a
// private runtime folder, the game on Qt's Wayland plugin, and a screenshot of the result.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLibraryInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <optional>
#include <string>

#include "art/Palette.h"
#include "art/PictureBook.h"
#include "rules/Picture.h"
#include "tests/support/ColourArea.h"
#include "tests/support/DoubledPixels.h"

namespace mukiro::testing {
namespace {

constexpr int kScale = 2;
constexpr int kPictureSide = 200;
const QString kSocket = QStringLiteral("mukiro-smoke");

// A child process that is always stopped when the test ends, whatever happened.
class Child {
  public:
    ~Child() {
        if (process.state() != QProcess::NotRunning) {
            process.terminate();
            if (!process.waitForFinished(3000)) {
                process.kill();
                process.waitForFinished(3000);
            }
        }
    }
    QProcess process;
};

// The picture area on screen: the pictures' background colour, which nothing else in the
// window or on the desktop uses.
std::optional<QRect> pictureArea(const QImage& screen) {
    return areaOfColour(screen, art::palette::kBackground);
}

class WaylandSmokeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        weston_ = QStandardPaths::findExecutable(QStringLiteral("weston"));
        screenshooter_ = QStandardPaths::findExecutable(QStringLiteral("weston-screenshooter"));
        if (weston_.isEmpty() || screenshooter_.isEmpty()) {
            GTEST_SKIP() << "weston is not installed (Debian package weston; scripts/setup)";
        }
        const QString plugin = QLibraryInfo::path(QLibraryInfo::PluginsPath) +
                               QStringLiteral("/platforms/libqwayland-generic.so");
        if (!QFileInfo::exists(plugin)) {
            GTEST_SKIP() << "Qt's Wayland plugin is not installed (Debian package qt6-wayland)";
        }
        ASSERT_TRUE(runtime_.isValid());
        // Wayland clients refuse a runtime folder that others can read.
        ASSERT_TRUE(QFile::setPermissions(runtime_.path(), QFileDevice::ReadOwner |
                                                               QFileDevice::WriteOwner |
                                                               QFileDevice::ExeOwner));
        environment_ = QProcessEnvironment::systemEnvironment();
        environment_.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path());
        environment_.insert(QStringLiteral("WAYLAND_DISPLAY"), kSocket);
        environment_.remove(QStringLiteral("DISPLAY"));
    }

    // Starts weston headless at scale 2 with the pixman renderer (the headless back end draws
    // nothing otherwise) and --debug, which lets weston-screenshooter take pictures; with its own
    // defaults, whatever weston.ini the machine or its user has.
    bool startCompositor() {
        compositor_.process.setProcessEnvironment(environment_);
        compositor_.process.setProcessChannelMode(QProcess::MergedChannels);
        compositor_.process.start(
            weston_,
            {QStringLiteral("--no-config"), QStringLiteral("--backend=headless-backend.so"),
             QStringLiteral("--use-pixman"), QStringLiteral("--width=1024"),
             QStringLiteral("--height=768"), QStringLiteral("--scale=%1").arg(kScale),
             QStringLiteral("--socket=") + kSocket, QStringLiteral("--idle-time=0"),
             QStringLiteral("--debug")});
        const QString socket = runtime_.filePath(kSocket);
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 10000) {
            if (QFileInfo::exists(socket)) {
                return true;
            }
            if (compositor_.process.waitForFinished(100)) {
                return false;
            }
        }
        return false;
    }

    // One screenshot of the whole output, in physical pixels.
    QImage screenshot() {
        QTemporaryDir folder;
        QProcess shooter;
        shooter.setProcessEnvironment(environment_);
        shooter.setWorkingDirectory(folder.path());
        shooter.start(screenshooter_, {});
        if (!shooter.waitForFinished(10000) || shooter.exitCode() != 0) {
            return {};
        }
        const QStringList shots = QDir(folder.path()).entryList({QStringLiteral("*.png")});
        return shots.isEmpty()
                   ? QImage()
                   : QImage(folder.filePath(shots.first())).convertToFormat(QImage::Format_RGB32);
    }

    QString weston_;
    QString screenshooter_;
    QTemporaryDir runtime_;
    QProcessEnvironment environment_;
    Child compositor_;
};

TEST_F(WaylandSmokeTest, TheManIsDrawnAtTwiceTheSizeNotDoubled) {
    if (!startCompositor()) {
        GTEST_SKIP() << "weston could not start here: "
                     << compositor_.process.readAll().right(600).toStdString();
    }
    Child game;
    QProcessEnvironment gameEnvironment = environment_;
    gameEnvironment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("wayland"));
    gameEnvironment.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
    // The client's side of the protocol, to see the app id the compositor is told.
    gameEnvironment.insert(QStringLiteral("WAYLAND_DEBUG"), QStringLiteral("client"));
    game.process.setProcessEnvironment(gameEnvironment);
    game.process.setProcessChannelMode(QProcess::MergedChannels);
    const QString gameLog = runtime_.filePath(QStringLiteral("game.log"));
    game.process.setStandardOutputFile(gameLog);
    game.process.start(QStringLiteral(MUKIRO_GAME), {});
    ASSERT_TRUE(game.process.waitForStarted(10000));

    // Wait until the window is up with the man drawn in it.
    QImage screen;
    std::optional<QRect> area;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 20000 && game.process.state() == QProcess::Running) {
        QThread::msleep(300);
        screen = screenshot();
        area = pictureArea(screen);
        if (area && area->width() == kPictureSide * kScale) {
            break;
        }
    }
    QFile log(gameLog);
    const QByteArray gameOutput = log.open(QIODevice::ReadOnly) ? log.readAll() : QByteArray();
    ASSERT_TRUE(area) << "no picture on the screen; the game said: "
                      << gameOutput.right(2000).toStdString();
    // Still 200 x 200 logical pixels, at twice as many physical ones.
    ASSERT_EQ(area->size(), QSize(kPictureSide * kScale, kPictureSide * kScale));

    // Exactly the art drawn for 2x, and none of its edges doubled pixels.
    const QImage shown = screen.copy(*area);
    const QImage art = art::PictureBook()
                           .draw(rules::Picture::start, kScale)
                           .convertToFormat(QImage::Format_RGB32);
    EXPECT_TRUE(shown == art) << "the man on screen is not the art drawn at 2x";
    EXPECT_LT(doubledPixelShare(screen, *area), 0.8) << "the man is a doubled 1x picture";

    EXPECT_TRUE(gameOutput.contains("set_app_id(\"" MUKIRO_APP_ID "\")"))
        << "the window does not name its desktop entry";
}

}  // namespace
}  // namespace mukiro::testing
