#include "tools/tga/TgaWriter.h"

#include <fstream>

namespace {

std::string littleEndian16(int value) {
    return {char(value & 0xff), char(value >> 8)};
}

// One pixel's bytes: blue, green, red (and alpha) from the low byte up.
std::string tgaPixel(const std::uint8_t* rgba, int depth) {
    const int red = rgba[0];
    const int green = rgba[1];
    const int blue = rgba[2];
    const int alpha = rgba[3];
    switch (depth) {
    case 8:
        return {char((30 * red + 59 * green + 11 * blue) / 100)};
    case 15:
    case 16:
        return littleEndian16((depth == 16 && alpha >= 128) << 15 | (red >> 3) << 10 |
                              (green >> 3) << 5 | blue >> 3);
    case 24:
        return {char(blue), char(green), char(red)};
    default:
        return {char(blue), char(green), char(red), char(alpha)};
    }
}

} // namespace

RgbaImage::RgbaImage(int imageWidth, int imageHeight)
    : width(imageWidth), height(imageHeight),
      pixels(static_cast<std::size_t>(imageWidth) * static_cast<std::size_t>(imageHeight) * 4, 0) {}

std::size_t RgbaImage::offset(int x, int y) const {
    return (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
            static_cast<std::size_t>(x)) *
           4;
}

std::uint8_t* RgbaImage::at(int x, int y) {
    return pixels.data() + offset(x, y);
}

const std::uint8_t* RgbaImage::at(int x, int y) const {
    return pixels.data() + offset(x, y);
}

TgaFile::TgaFile(std::uint8_t type, std::uint8_t depth, std::uint16_t imageWidth,
                 std::uint16_t imageHeight, RowOrder order)
    : imageType(type), pixelDepth(depth), width(imageWidth), height(imageHeight), rows(order) {}

std::string encodeTga(const TgaFile& file) {
    const int topDown = file.rows == RowOrder::TopDown ? 0x20 : 0;
    // The colour map starts at entry 0 and the image at (0, 0).
    std::string header{char(file.idLength.value_or(file.id.size())), char(file.mapEntries > 0),
                       char(file.imageType), 0, 0};
    header += littleEndian16(file.mapEntries) + char(file.mapEntryDepth) + std::string(4, '\0') +
              littleEndian16(file.width) + littleEndian16(file.height) + char(file.pixelDepth) +
              char(topDown | file.attributeBits);
    return header + file.id + file.map + file.body;
}

std::string tgaPixels(const RgbaImage& image, int depth, RowOrder rows) {
    std::string bytes;
    for (int row = 0; row < image.height; ++row) {
        const int y = rows == RowOrder::TopDown ? row : image.height - 1 - row;
        for (int x = 0; x < image.width; ++x) {
            bytes += tgaPixel(image.at(x, y), depth);
        }
    }
    return bytes;
}

std::string tgaRun(int count, const std::string& pixel) {
    return char(0x80 | (count - 1)) + pixel;
}

std::string tgaRawPacket(int count, const std::string& pixels) {
    return char(count - 1) + pixels;
}

bool writeTga(const std::string& path, const RgbaImage& image) {
    TgaFile file(2, 32, image.width, image.height, RowOrder::TopDown);
    file.attributeBits = 8;
    file.body = tgaPixels(image, file.pixelDepth, file.rows);
    std::ofstream out(path, std::ios::binary);
    out << encodeTga(file);
    return static_cast<bool>(out);
}
