// Runs the window tests offscreen, with one application object for all of them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include "ui/GameFont.h"

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // A private runtime directory (made owner-only) keeps Qt from warning about a missing one.
    QTemporaryDir runtimeDir;
    if (runtimeDir.isValid()) {
        qputenv("XDG_RUNTIME_DIR", runtimeDir.path().toLocal8Bit());
    }
    ::testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    mukiro::ui::GameFont::installSubstitutes();
    return RUN_ALL_TESTS();
}
