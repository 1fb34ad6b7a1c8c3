#include "tests/gfx/ScratchDataDirectory.h"

#include <gtest/gtest.h>

#include <cstdlib>

ScratchDataDirectory::ScratchDataDirectory() : previous(std::filesystem::current_path()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "orbi-gfx-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        ADD_FAILURE() << "cannot make a temporary directory";
        return;
    }
    root = pattern;
    std::filesystem::create_directory(root / "data");
    std::filesystem::current_path(root);
}

ScratchDataDirectory::~ScratchDataDirectory() {
    std::filesystem::current_path(previous);
    if (!root.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }
}

std::string ScratchDataDirectory::writeImage(const std::string& name, const RgbaImage& image,
                                             TgaDepth depth) {
    const std::string path = "data/" + name + ".tga";
    writeTga(path, image, depth);
    return path;
}

void ScratchDataDirectory::remove(const std::string& name) {
    std::filesystem::remove("data/" + name + ".tga");
}

RgbaImage solidImage(int width, int height, std::uint8_t red, std::uint8_t green, std::uint8_t blue,
                     std::uint8_t alpha) {
    RgbaImage image(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t* pixel = image.at(x, y);
            pixel[0] = red;
            pixel[1] = green;
            pixel[2] = blue;
            pixel[3] = alpha;
        }
    }
    return image;
}
