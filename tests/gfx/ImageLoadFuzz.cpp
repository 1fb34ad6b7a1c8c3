// Loads bytes as a TGA file the way the game loads its images and checks what the load left.

#include "gfx/Texture.h"
#include "tests/support/GlRecorder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

// Aborts unless a load made one texture of all its pixels within the largest size and a failed
// one made none, and the texture went with its owner. The recording stays till the next input.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path =
        std::string(access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") + "/orbi-image-fuzz-" +
        std::to_string(getpid()) + ".tga";
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(data), size);
    const int largest = 64; // small, so that short files can claim too much
    GlRecorder::reset();
    GlRecorder::setMaxTextureSize(largest);
    auto texture = std::make_unique<Texture>();
    const std::size_t made = texture->load(path.c_str()) ? 1 : 0;
    const std::vector<GlUpload>& uploads = GlRecorder::uploads();
    const auto wholeWithinLargest = [&](const GlUpload& upload) {
        return upload.texture == texture->getId() &&
               std::max(upload.width, upload.height) <= largest &&
               upload.pixels.size() == std::size_t(upload.width) * std::size_t(upload.height) * 4;
    };
    const bool leftRight = uploads.size() == made && GlRecorder::liveTextures().size() == made &&
                           std::all_of(uploads.begin(), uploads.end(), wholeWithinLargest);
    texture.reset();
    std::filesystem::remove(path);
    if (!leftRight || !GlRecorder::liveTextures().empty()) {
        std::abort();
    }
    return 0;
}

// Each corpus image is named for whether it loads; the sanitizer build catches the rest.
TEST(ImageLoadFuzz, LoadsTheCorpusImagesNamedToLoadAndSurvivesTheOthers) {
    for (const auto& entry : std::filesystem::directory_iterator("tests/gfx/image-corpus")) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), {}};
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
        const bool namedToLoad = entry.path().filename().string().rfind("loads-", 0) == 0;
        EXPECT_EQ(GlRecorder::uploads().size(), namedToLoad ? 1u : 0u) << entry.path();
    }
}
