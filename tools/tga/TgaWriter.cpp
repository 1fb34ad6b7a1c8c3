#include "tools/tga/TgaWriter.h"

#include <fstream>

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

bool writeTga(const std::string& path, const RgbaImage& image, TgaDepth depth) {
    const bool withAlpha = depth == TgaDepth::Rgba32;
    const std::uint8_t topLeftOrigin = 0x20;
    // No image id, no colour map, origin (0, 0); sizes little endian.
    std::uint8_t header[18] = {};
    header[2] = 2; // uncompressed true colour
    header[12] = static_cast<std::uint8_t>(image.width & 0xff);
    header[13] = static_cast<std::uint8_t>(image.width >> 8);
    header[14] = static_cast<std::uint8_t>(image.height & 0xff);
    header[15] = static_cast<std::uint8_t>(image.height >> 8);
    header[16] = static_cast<std::uint8_t>(withAlpha ? 32 : 24);
    header[17] = static_cast<std::uint8_t>(topLeftOrigin | (withAlpha ? 8 : 0));

    std::ofstream out(path, std::ios::binary);
    if (!out) {
        return false;
    }
    out.write(reinterpret_cast<const char*>(header), sizeof header);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const std::uint8_t* rgba = image.at(x, y);
            const char bgra[4] = {char(rgba[2]), char(rgba[1]), char(rgba[0]), char(rgba[3])};
            out.write(bgra, withAlpha ? 4 : 3);
        }
    }
    return static_cast<bool>(out);
}
