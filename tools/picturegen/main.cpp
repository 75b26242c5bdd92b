// Draws the game's picture set into BMP files, and a contact sheet to look them over.
#include <QDir>
#include <QGuiApplication>
#include <cstdio>
#include <exception>

#include "BmpWriter.h"
#include "ContactSheet.h"
#include "PictureBook.h"

int main(int argc, char* argv[]) {
    using namespace mukiro;
    QGuiApplication app(argc, argv);  // text needs the font machinery, even offscreen
    const QStringList args = QGuiApplication::arguments();
    if (args.size() < 2 || args.size() > 3) {
        std::fprintf(stderr, "usage: %s <picture-folder> [contact-sheet.png]\n", argv[0]);
        return 2;
    }
    try {
        const QDir folder(args.at(1));
        if (!folder.mkpath(QStringLiteral("."))) {
            throw std::runtime_error("cannot create " + args.at(1).toStdString());
        }
        tools::PictureBook book;
        tools::ContactSheet sheet;
        for (const rules::Picture picture : rules::kAllPictures) {
            const QString name =
                QString::fromUtf8(rules::pictureName(picture).data(),
                                  static_cast<qsizetype>(rules::pictureName(picture).size()));
            const QImage image = book.draw(picture);
            tools::BmpWriter::write(image, folder.filePath(name + QStringLiteral(".bmp")));
            sheet.add(name, image);
        }
        if (args.size() == 3 && !sheet.render().save(args.at(2), "PNG")) {
            throw std::runtime_error("cannot write " + args.at(2).toStdString());
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "mukiro_picturegen: %s\n", error.what());
        return 1;
    }
    return 0;
}
