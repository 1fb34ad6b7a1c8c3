#include "gfx/TgaHeader.h"

namespace {

const int HEADER_BYTES = 18;
// A run-length packet is one count byte and one pixel value, repeated up to 128 times.
const std::uint64_t PIXELS_PER_RUN = 128;

int littleEndian16(const unsigned char* bytes) {
    return bytes[0] | bytes[1] << 8;
}

int bytesFor(int bits) {
    return (bits + 7) / 8;
}

} // namespace

bool TgaHeader::fitsInFile(std::uint64_t fileSize) const {
    const std::uint64_t pixelBytes = fileSize > pixelOffset ? fileSize - pixelOffset : 0;
    const std::uint64_t valueBytes = bytesPerPixel > 0 ? bytesPerPixel : 1;
    const std::uint64_t mostPixels =
        runLengthEncoded ? pixelBytes / (1 + valueBytes) * PIXELS_PER_RUN : pixelBytes / valueBytes;
    return static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) <= mostPixels;
}

std::optional<TgaHeader> readTgaHeader(std::FILE* stream) {
    unsigned char bytes[HEADER_BYTES];
    const bool complete = std::fread(bytes, 1, HEADER_BYTES, stream) == HEADER_BYTES;
    std::rewind(stream);
    if (!complete) {
        return std::nullopt;
    }
    const int idLength = bytes[0];
    const bool hasColourMap = bytes[1] != 0;
    const int colourMapEntries = littleEndian16(bytes + 5);
    const int colourMapEntryBits = bytes[7];

    TgaHeader header;
    // Types 9, 10 and 11 are the run-length encoded forms of the colour-mapped,
    // true-colour and grey types 1, 2 and 3; colour-mapped and grey pixels are
    // indices or levels of the given depth, like true-colour ones.
    header.runLengthEncoded = (bytes[2] & 8) != 0;
    header.width = littleEndian16(bytes + 12);
    header.height = littleEndian16(bytes + 14);
    header.bytesPerPixel = bytesFor(bytes[16]);
    header.pixelOffset =
        HEADER_BYTES + idLength +
        (hasColourMap ? static_cast<std::uint64_t>(colourMapEntries) * bytesFor(colourMapEntryBits)
                      : 0);
    return header;
}
