// Writes a picture as a small PNG file for the web page, byte for byte the same on every run.
#include "PngWriter.h"

#include <QImageWriter>
#include <stdexcept>

namespace mukiro::tools {

void PngWriter::write(const QImage& image, const QString& path) {
    QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    // The page sizes the picture by its srcset; a ratio left on the image would only reach the
    // file as a different pHYs density.
    rgb.setDevicePixelRatio(1.0);
    QImageWriter writer(path, "png");
    writer.setQuality(0);  // Qt's PNG writer reads quality 0 as zlib level 9
    if (!writer.write(rgb)) {
        throw std::runtime_error("cannot write " + path.toStdString() + ": " +
                                 writer.errorString().toStdString());
    }
}

}  // namespace mukiro::tools
