// Writes a picture as an uncompressed 24-bit BMP file, byte for byte the same on every run.
#include "BmpWriter.h"

#include <QFile>
#include <cstdint>
#include <stdexcept>

namespace mukiro::tools {

namespace {

void put16(QByteArray& out, std::uint16_t value) {
    out.append(static_cast<char>(value & 0xFF));
    out.append(static_cast<char>(value >> 8));
}

void put32(QByteArray& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.append(static_cast<char>((value >> shift) & 0xFF));
    }
}

constexpr std::uint32_t kHeaderBytes = 14 + 40;
constexpr std::uint32_t kPixelsPerMetreAt96Dpi = 3780;

}  // namespace

QByteArray BmpWriter::encode(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const auto width = static_cast<std::uint32_t>(rgb.width());
    const auto height = static_cast<std::uint32_t>(rgb.height());
    const std::uint32_t rowBytes = (width * 3 + 3) / 4 * 4;
    const std::uint32_t pixelBytes = rowBytes * height;

    QByteArray out;
    out.reserve(static_cast<qsizetype>(kHeaderBytes + pixelBytes));
    out.append("BM");
    put32(out, kHeaderBytes + pixelBytes);
    put32(out, 0);  // reserved
    put32(out, kHeaderBytes);
    put32(out, 40);  // size of BITMAPINFOHEADER
    put32(out, width);
    put32(out, height);  // positive: rows run bottom to top
    put16(out, 1);       // planes
    put16(out, 24);      // bits per pixel
    put32(out, 0);       // BI_RGB: no compression
    put32(out, pixelBytes);
    put32(out, kPixelsPerMetreAt96Dpi);
    put32(out, kPixelsPerMetreAt96Dpi);
    put32(out, 0);  // colours in the palette: none
    put32(out, 0);  // important colours: all

    for (int y = rgb.height() - 1; y >= 0; --y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            out.append(static_cast<char>(qBlue(line[x])));
            out.append(static_cast<char>(qGreen(line[x])));
            out.append(static_cast<char>(qRed(line[x])));
        }
        for (std::uint32_t pad = width * 3; pad < rowBytes; ++pad) {
            out.append('\0');
        }
    }
    return out;
}

void BmpWriter::write(const QImage& image, const QString& path) {
    QFile file(path);
    const QByteArray bytes = encode(image);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size()) {
        throw std::runtime_error("cannot write " + path.toStdString());
    }
}

}  // namespace mukiro::tools
