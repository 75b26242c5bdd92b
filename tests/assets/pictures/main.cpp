// Runs the picture checks with an application object: drawing the gravestone's inscription
// needs the toolkit's font machinery.
#include <gtest/gtest.h>

#include <QGuiApplication>

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    ::testing::InitGoogleTest(&argc, argv);
    QGuiApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
