// Writes a picture as a small PNG file for the web page, byte for byte the same on every run.
#pragma once

#include <QImage>
#include <QString>

namespace mukiro::tools {

class PngWriter {
  public:
    // Opaque 24-bit pixels at zlib's strongest setting. Every picture of the set has far more
    // than 256 colours (antialiased edges), so a palette would lose pixels. Throws
    // std::runtime_error when the file cannot be written.
    static void write(const QImage& image, const QString& path);
};

}  // namespace mukiro::tools
