#include "tools/png/PngWriter.h"

#include <png.h>

bool writePng(const std::string& path, const RgbaImage& image) {
    // libpng's simplified interface writes no time chunk, so the bytes depend
    // on the pixels alone.
    png_image description{};
    description.version = PNG_IMAGE_VERSION;
    description.width = static_cast<png_uint_32>(image.width);
    description.height = static_cast<png_uint_32>(image.height);
    description.format = PNG_FORMAT_RGBA;
    // It frees what it allocated, and removes a half-written file, by itself.
    return png_image_write_to_file(&description, path.c_str(), 0, image.pixels.data(), 0,
                                   nullptr) != 0;
}
