// Lays a committed 24-bit bitmap out as the window holds it in memory, to be built into the
// program.
//
//   mukiro_picture_layout IN.bmp OUT.bmp
//
// The committed pictures are plain 24-bit bitmaps, bottom row first. The program keeps each one
// as 32-bit pixels, top row first; stored that way (a bitmap with a negative height and
// 32-bit pixels whose fourth byte is opaque) the window shows the program's own bytes, and only
// the pictures it draws are ever read from the program's file, instead of a decoded copy of
// all seventeen. The pixels start 64 bytes in, so that they lie on a 4-byte boundary.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

std::uint32_t readLittle(const std::vector<unsigned char>& bytes, std::size_t at, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) {
        value = (value << 8) | bytes[at + static_cast<std::size_t>(i)];
    }
    return value;
}

void writeLittle(std::vector<unsigned char>& bytes, std::size_t at, std::uint32_t value,
                 int count) {
    for (int i = 0; i < count; ++i) {
        bytes[at + static_cast<std::size_t>(i)] = static_cast<unsigned char>(value >> (8 * i));
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: mukiro_picture_layout IN.bmp OUT.bmp\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::vector<unsigned char> bmp((std::istreambuf_iterator<char>(in)),
                                         std::istreambuf_iterator<char>());
    constexpr std::size_t kHeaders = 54;
    if (bmp.size() < kHeaders || bmp[0] != 'B' || bmp[1] != 'M' || readLittle(bmp, 14, 4) != 40 ||
        readLittle(bmp, 28, 2) != 24 || readLittle(bmp, 30, 4) != 0) {
        std::fprintf(stderr, "%s: not a plain 24-bit bitmap\n", argv[1]);
        return 1;
    }
    const std::uint32_t width = readLittle(bmp, 18, 4);
    const std::uint32_t height = readLittle(bmp, 22, 4);
    const std::size_t from = readLittle(bmp, 10, 4);
    const std::size_t inStride = (std::size_t{width} * 3 + 3) / 4 * 4;
    if (width == 0 || width > 4096 || height == 0 || height > 4096 ||
        from + inStride * height > bmp.size()) {
        std::fprintf(stderr, "%s: not a picture of the set\n", argv[1]);
        return 1;
    }

    constexpr std::size_t kPixelsAt = 64;
    const std::size_t pixelBytes = std::size_t{width} * height * 4;
    std::vector<unsigned char> out(kPixelsAt + pixelBytes, 0);
    out[0] = 'B';
    out[1] = 'M';
    writeLittle(out, 2, static_cast<std::uint32_t>(out.size()), 4);
    writeLittle(out, 10, kPixelsAt, 4);
    writeLittle(out, 14, 40, 4);
    writeLittle(out, 18, width, 4);
    writeLittle(out, 22, static_cast<std::uint32_t>(-static_cast<std::int32_t>(height)), 4);
    writeLittle(out, 26, 1, 2);
    writeLittle(out, 28, 32, 2);
    writeLittle(out, 34, static_cast<std::uint32_t>(pixelBytes), 4);
    for (std::size_t y = 0; y < height; ++y) {
        const unsigned char* row = bmp.data() + from + inStride * (height - 1 - y);
        unsigned char* to = out.data() + kPixelsAt + y * width * 4;
        for (std::size_t x = 0; x < width; ++x) {
            to[4 * x] = row[3 * x];
            to[4 * x + 1] = row[3 * x + 1];
            to[4 * x + 2] = row[3 * x + 2];
            to[4 * x + 3] = 0xFF;
        }
    }
    std::ofstream file(argv[2], std::ios::binary);
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    return file ? 0 : 1;
}
