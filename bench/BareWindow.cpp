// The floor the game's start-up and memory are measured against: a Qt Widgets window with one
// label, built with the same compiler, flags and Qt as the game.
#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QLabel window(QStringLiteral("ムキロ・タフ"));
    window.resize(705, 548);
    window.show();
    return application.exec();
}
