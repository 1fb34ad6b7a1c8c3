#ifndef ORBICASCADE_TESTS_GFX_SCRATCHDATADIRECTORY_H
#define ORBICASCADE_TESTS_GFX_SCRATCHDATADIRECTORY_H

#include "tools/tga/TgaWriter.h"

#include <filesystem>
#include <string>

// A fresh temporary directory with an empty data/ folder inside, made the
// working directory for the object's lifetime, so that the texture cache finds
// the images a test writes there.
class ScratchDataDirectory {
public:
    ScratchDataDirectory();
    ~ScratchDataDirectory();
    ScratchDataDirectory(const ScratchDataDirectory&) = delete;
    ScratchDataDirectory& operator=(const ScratchDataDirectory&) = delete;

    // Writes data/<name>.tga and returns its path relative to the directory.
    std::string writeImage(const std::string& name, const RgbaImage& image,
                           TgaDepth depth = TgaDepth::Rgba32);
    void remove(const std::string& name);

private:
    std::filesystem::path previous;
    std::filesystem::path root;
};

// An image filled with one colour.
RgbaImage solidImage(int width, int height, std::uint8_t red, std::uint8_t green, std::uint8_t blue,
                     std::uint8_t alpha = 255);

#endif
