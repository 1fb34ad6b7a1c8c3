#ifndef ORBICASCADE_TOOLS_TGAWRITER_H
#define ORBICASCADE_TOOLS_TGAWRITER_H

#include <cstdint>
#include <optional>
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

enum class RowOrder { BottomUp, TopDown };

// A TGA file field by field. The header's sizes are claims, and the id, colour
// map and body follow it as given, so that a file may hold more or less than
// its header says (the image loader must cope with either).
struct TgaFile {
    // Types 1, 2 and 3 are colour-mapped, true-colour and grey; 9, 10 and 11
    // their run-length encoded forms. The depth is bits a pixel (or index).
    TgaFile(std::uint8_t type, std::uint8_t depth, std::uint16_t imageWidth,
            std::uint16_t imageHeight, RowOrder order);

    std::uint8_t imageType;
    std::uint8_t pixelDepth;
    std::uint16_t width;
    std::uint16_t height;
    RowOrder rows;
    std::uint8_t attributeBits = 0; // alpha bits a pixel
    std::string id;
    std::optional<std::uint8_t> idLength; // the header's claim, if not the id's size
    std::uint16_t mapEntries = 0;         // no colour map when 0
    std::uint8_t mapEntryDepth = 0;
    std::string map;
    std::string body;
};

// The 18-byte header, then the id, the colour map and the body.
std::string encodeTga(const TgaFile& file);

// Well-formed bodies. The pixels of an image in the given row order, at 8 bits
// (grey levels), 15, 16 (one bit of alpha: set from 128), 24 or 32.
std::string tgaPixels(const RgbaImage& image, int depth, RowOrder rows);
// A run-length packet: one pixel's bytes standing for count (1 to 128) pixels.
std::string tgaRun(int count, const std::string& pixel);
// A raw packet claiming count (1 to 128) pixels, then the pixels' bytes as given.
std::string tgaRawPacket(int count, const std::string& pixels);

// Writes an uncompressed 32-bit true-colour TGA, top row first. Returns false
// when the file cannot be written.
bool writeTga(const std::string& path, const RgbaImage& image);

#endif
