// Draws the game's picture set into BMP files and a contact sheet to look them over, the
// desktop icon at every hicolor size, or PNG files for the web page at each device pixel ratio.
#include <QDir>
#include <QGuiApplication>
#include <cstdio>
#include <exception>

#include "BmpWriter.h"
#include "ContactSheet.h"
#include "PngWriter.h"
#include "art/IconPainter.h"
#include "art/PictureBook.h"

namespace {

using namespace mukiro;

// Phones run at 2 or 3, most desktops at 1 or 2; a browser between two picks the larger.
constexpr int kWebRatios[] = {1, 2, 3};

void ensureFolder(const QDir& folder) {
    if (!folder.mkpath(QStringLiteral("."))) {
        throw std::runtime_error("cannot create " + folder.path().toStdString());
    }
}

void drawPictures(const QString& folderPath, const QString& sheetPath) {
    const QDir folder(folderPath);
    ensureFolder(folder);
    art::PictureBook book;
    tools::ContactSheet sheet;
    for (const rules::Picture picture : rules::kAllPictures) {
        const QString name =
            QString::fromUtf8(rules::pictureName(picture).data(),
                              static_cast<qsizetype>(rules::pictureName(picture).size()));
        const QImage image = book.draw(picture);
        tools::BmpWriter::write(image, folder.filePath(name + QStringLiteral(".bmp")));
        sheet.add(name, image);
    }
    if (!sheetPath.isEmpty() && !sheet.render().save(sheetPath, "PNG")) {
        throw std::runtime_error("cannot write " + sheetPath.toStdString());
    }
}

// Lays the icons out as the hicolor theme does: <N>x<N>/apps/<app id>.png.
void drawIcons(const QString& themePath, const QString& appId) {
    for (const int side : art::IconPainter::kSizes) {
        const QString size = QString::number(side);
        const QDir folder(themePath + QLatin1Char('/') + size + QLatin1Char('x') + size +
                          QStringLiteral("/apps"));
        ensureFolder(folder);
        const QString path = folder.filePath(appId + QStringLiteral(".png"));
        if (!art::IconPainter::draw(side).save(path, "PNG")) {
            throw std::runtime_error("cannot write " + path.toStdString());
        }
    }
}

// The page picks <name>@<N>x.png by the browser's device pixel ratio, as the window draws the
// art afresh at its screen's ratio; 1x is drawn as the committed BMP was.
void drawWebPictures(const QString& folderPath) {
    const QDir folder(folderPath);
    ensureFolder(folder);
    const art::PictureBook book;
    for (const rules::Picture picture : rules::kAllPictures) {
        const QString name =
            QString::fromUtf8(rules::pictureName(picture).data(),
                              static_cast<qsizetype>(rules::pictureName(picture).size()));
        for (const int ratio : kWebRatios) {
            const QString path = folder.filePath(name + QStringLiteral("@%1x.png").arg(ratio));
            tools::PngWriter::write(book.draw(picture, ratio), path);
        }
    }
    // The icons a browser installs the page with: the sizes web app manifests ask for.
    for (const int side : {32, 192, 512}) {
        const QString path = folder.filePath(QStringLiteral("icon-%1.png").arg(side));
        tools::PngWriter::write(art::IconPainter::draw(side), path);
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);  // text needs the font machinery, even offscreen
    const QStringList args = QGuiApplication::arguments();
    const bool icons = args.size() == 4 && args.at(1) == QStringLiteral("--icons");
    const bool web = args.size() == 3 && args.at(1) == QStringLiteral("--web");
    if (!icons && !web && (args.size() < 2 || args.size() > 3 || args.at(1).startsWith(u'-'))) {
        std::fprintf(stderr,
                     "usage: %s <picture-folder> [contact-sheet.png]\n"
                     "       %s --icons <hicolor-folder> <app-id>\n"
                     "       %s --web <png-folder>\n",
                     argv[0], argv[0], argv[0]);
        return 2;
    }
    try {
        if (icons) {
            drawIcons(args.at(2), args.at(3));
        } else if (web) {
            drawWebPictures(args.at(2));
        } else {
            drawPictures(args.at(1), args.size() == 3 ? args.at(2) : QString());
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "mukiro_picturegen: %s\n", error.what());
        return 1;
    }
    return 0;
}
