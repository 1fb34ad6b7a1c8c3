#include "tools/icon-generator/PngWriter.h"

#include <zlib.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

void appendBigEndian(Bytes& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

// Length, type, data and a CRC over type and data.
void appendChunk(Bytes& out, const char (&type)[5], const Bytes& data) {
    appendBigEndian(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t typeStart = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    const uLong crc = crc32(0L, out.data() + typeStart, static_cast<uInt>(out.size() - typeStart));
    appendBigEndian(out, static_cast<std::uint32_t>(crc));
}

// Each row is preceded by its filter type; 0 leaves the row as it is.
bool compressRows(const RgbaImage& image, Bytes& compressed) {
    const std::size_t rowBytes = static_cast<std::size_t>(image.width) * 4;
    Bytes raw;
    for (int y = 0; y < image.height; ++y) {
        raw.push_back(0);
        raw.insert(raw.end(), image.at(0, y), image.at(0, y) + rowBytes);
    }
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    compressed.resize(size);
    if (compress2(compressed.data(), &size, raw.data(), static_cast<uLong>(raw.size()),
                  Z_BEST_COMPRESSION) != Z_OK) {
        return false;
    }
    compressed.resize(size);
    return true;
}

} // namespace

bool writePng(const std::string& path, const RgbaImage& image) {
    Bytes header;
    appendBigEndian(header, static_cast<std::uint32_t>(image.width));
    appendBigEndian(header, static_cast<std::uint32_t>(image.height));
    const std::uint8_t depthColourTypeAndMethods[] = {8, 6, 0, 0, 0}; // 8 bits, RGBA
    header.insert(header.end(), std::begin(depthColourTypeAndMethods),
                  std::end(depthColourTypeAndMethods));

    Bytes pixels;
    if (!compressRows(image, pixels)) {
        return false;
    }
    Bytes file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    appendChunk(file, "IHDR", header);
    appendChunk(file, "IDAT", pixels);
    appendChunk(file, "IEND", {});

    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(file.data()),
              static_cast<std::streamsize>(file.size()));
    return static_cast<bool>(out);
}
