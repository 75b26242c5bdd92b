// Starts ムキロ・タフ: the application, the cue player and the game window.
#include <QApplication>
#include <QMessageBox>
#include <cstdio>
#include <filesystem>
#include <utility>

#include "sound/CuePlayerFactory.h"
#include "ui/AfterFirstPaint.h"
#include "ui/Form1.h"
#include "ui/GameFont.h"
#include "ui/PictureSet.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    // Lets the desktop (Wayland above all) match the window to our desktop entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(MUKIRO_APP_ID));
    mukiro::ui::GameFont::installSubstitutes();

    mukiro::ui::PictureSet pictures;
    if (!pictures.complete()) {
        // Never a half-drawn game: say which picture is missing and stop.
        std::fputs(qPrintable(pictures.missingMessage() + QLatin1Char('\n')), stderr);
        QMessageBox::critical(nullptr, QStringLiteral("ムキロ・タフ"), pictures.missingMessage());
        return 1;
    }

    const std::filesystem::path programDir =
        QCoreApplication::applicationDirPath().toStdU16String();
    // The player holds the opening cue until the window's first frame is up, then loads the
    // sound library and plays it from its start.
    auto cues =
        mukiro::sound::makeCuePlayer(programDir, mukiro::sound::SdlCuePlayer::Start::onRelease);

    mukiro::ui::Form1 window(*cues, std::move(pictures));
    window.Form_Load();
    window.show();
    new mukiro::ui::AfterFirstPaint(window, [&cues] { cues->release(); });
    return application.exec();
}
