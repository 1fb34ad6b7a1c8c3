#ifndef ORBICASCADE_GFX_TGAHEADER_H
#define ORBICASCADE_GFX_TGAHEADER_H

#include <cstdint>
#include <cstdio>
#include <optional>

// What the 18-byte header of a TGA file claims about the image after it.
struct TgaHeader {
    int width = 0;
    int height = 0;
    bool runLengthEncoded = false;
    int bytesPerPixel = 0;
    // Bytes before the first pixel: the header, the image id and the colour map.
    std::uint64_t pixelOffset = 0;

    // Whether a file of this size could hold the claimed pixels even at the
    // format's best compression. SDL_image reads a file that ends early as a
    // full-size blank image, so a header alone could otherwise ask for gigabytes.
    bool fitsInFile(std::uint64_t fileSize) const;
};

// Reads the header at the start of the stream and rewinds it; nothing when
// the stream is shorter than a header.
std::optional<TgaHeader> readTgaHeader(std::FILE* stream);

#endif
