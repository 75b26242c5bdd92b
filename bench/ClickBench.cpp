// Times a click on the real training button of the game window, offscreen, from the press until
// the window has repainted what the click changed.
//
//   click_bench [CLICKS [GAME_DIR]]   GAME_DIR holds the sound cues (default: none, silent)
//
// A restart before every timed click keeps the man where training shows no Message (a Message
// would wait for a player); the restarts are not timed.
#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "bench/PaintCounter.h"
#include "sound/CuePlayerFactory.h"
#include "ui/Form1.h"
#include "ui/GameFont.h"
#include "ui/PictureSet.h"

namespace {

using Clock = std::chrono::steady_clock;

// Delivers what is pending, the repaint a click asked for among it, until something painted.
bool processUntilPainted(const mukiro::bench::PaintCounter& counter) {
    const long before = counter.paints();
    for (int i = 0; i < 1000 && counter.paints() == before; ++i) {
        QCoreApplication::processEvents();
    }
    return counter.paints() != before;
}

}  // namespace

int main(int argc, char** argv) {
    // Off any screen, and silent unless told otherwise: only the window's own work is timed.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    const int clicks = argc > 1 ? std::atoi(argv[1]) : 500;
    const std::filesystem::path gameDir = argc > 2 ? argv[2] : "";
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    mukiro::ui::GameFont::installSubstitutes();

    mukiro::ui::PictureSet pictures;
    if (!pictures.complete()) {
        std::fprintf(stderr, "%s\n", qPrintable(pictures.missingMessage()));
        return 1;
    }
    auto cues = mukiro::sound::makeCuePlayer(gameDir);
    mukiro::ui::Form1 window(*cues, std::move(pictures));
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        std::fprintf(stderr, "the window never showed\n");
        return 1;
    }
    auto* restart = window.findChild<QPushButton*>(QStringLiteral("Command1"));
    auto* training = window.findChild<QPushButton*>(QStringLiteral("toreining"));

    mukiro::bench::PaintCounter counter;
    application.installEventFilter(&counter);
    std::vector<double> ms;
    for (int i = 0; i < clicks; ++i) {
        QTest::mouseClick(restart, Qt::LeftButton);
        processUntilPainted(counter);
        const auto pressed = Clock::now();
        QTest::mouseClick(training, Qt::LeftButton);
        const bool painted = processUntilPainted(counter);
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - pressed).count());
        if (!painted || window.state().kin.value() != 20) {
            std::fprintf(stderr, "click %d: the window did not take the training\n", i);
            return 1;
        }
    }
    std::sort(ms.begin(), ms.end());
    std::printf("click %zu %.4f %.4f %.4f\n", ms.size(), ms[ms.size() / 2], ms.front(), ms.back());
    return 0;
}
