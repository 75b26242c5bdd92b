// Writes a picture as an uncompressed 24-bit BMP file, byte for byte the same on every run.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace mukiro::tools {

class BmpWriter {
  public:
    // The whole file: BITMAPFILEHEADER, BITMAPINFOHEADER, then bottom-up BGR rows.
    static QByteArray encode(const QImage& image);
    // Throws std::runtime_error when the file cannot be written.
    static void write(const QImage& image, const QString& path);
};

}  // namespace mukiro::tools
