// Loads bytes as a TGA file the way the game loads its images and checks what the load left.

#include "gfx/Texture.h"
#include "tests/support/GlRecorder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace {

const int LARGEST_TEXTURE = 64; // small, so that short files can claim too much

// A successful load made one texture of the whole image within the largest size.
bool uploadedWhole(const Texture& texture) {
    const std::vector<GlUpload>& uploads = GlRecorder::state().uploads;
    if (uploads.size() != 1 || GlRecorder::state().liveTextures.size() != 1)
        return false;
    const GlUpload& upload = uploads[0];
    return upload.texture == texture.getId() && upload.width <= LARGEST_TEXTURE &&
           upload.height <= LARGEST_TEXTURE &&
           upload.pixels.size() == std::size_t(upload.width) * std::size_t(upload.height) * 4;
}

} // namespace

// Aborts unless a load made one whole texture and a failed one none, and the texture went with
// its owner. The recording stays until the next input.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path =
        std::string(access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") + "/orbi-image-fuzz-" +
        std::to_string(getpid()) + ".tga";
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(data), std::streamsize(size));
    GlRecorder::reset();
    GlRecorder::state().maxTextureSize = LARGEST_TEXTURE;
    bool sound = true;
    {
        Texture texture;
        sound = texture.load(path.c_str()) ? uploadedWhole(texture)
                                           : GlRecorder::state().uploads.empty() &&
                                                 GlRecorder::state().liveTextures.empty();
    }
    std::filesystem::remove(path);
    if (!sound || !GlRecorder::state().liveTextures.empty())
        std::abort();
    return 0;
}

// Each corpus image is named for whether it loads; the sanitizer build catches the rest.
TEST(ImageLoadFuzz, LoadsTheCorpusImagesNamedToLoadAndSurvivesTheOthers) {
    const auto openFiles = [] {
        return std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {});
    };
    const auto filesBefore = openFiles();
    for (const auto& entry : std::filesystem::directory_iterator("tests/gfx/image-corpus")) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), {}};
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
        const bool namedToLoad = entry.path().filename().string().rfind("loads-", 0) == 0;
        EXPECT_EQ(GlRecorder::state().uploads.size(), namedToLoad ? 1u : 0u) << entry.path();
    }
    EXPECT_EQ(openFiles(), filesBefore) << "every file closed, refused or not";
}
