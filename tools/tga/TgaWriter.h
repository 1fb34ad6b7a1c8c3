#ifndef ORBICASCADE_TOOLS_TGAWRITER_H
#define ORBICASCADE_TOOLS_TGAWRITER_H

#include <cstdint>
#include <string>
#include <vector>

// An image in memory: rows from the top, four bytes a pixel in the order
// red, green, blue, alpha.
struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;

    RgbaImage(int imageWidth, int imageHeight);
    std::uint8_t* at(int x, int y);
    const std::uint8_t* at(int x, int y) const;

private:
    std::size_t offset(int x, int y) const;
};

enum class TgaDepth { Rgb24, Rgba32 };

// Writes an uncompressed true-colour TGA, top row first. Rgb24 drops the alpha
// channel. Returns false when the file cannot be written.
bool writeTga(const std::string& path, const RgbaImage& image, TgaDepth depth = TgaDepth::Rgba32);

#endif
