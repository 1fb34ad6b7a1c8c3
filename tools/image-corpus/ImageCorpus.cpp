// Writes the image loader's fuzz seed corpus: an image of every type and depth
// the loader takes, and files that hold more or less than their headers claim.
// Files named loads-… must load and the others must be refused;
// tests/gfx/image-corpus/README.md says what each one is.
//
// Usage: image-corpus [output-directory]

#include "tools/tga/TgaWriter.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <utility>
#include <vector>

namespace {

const char* const DEFAULT_OUTPUT = "tests/gfx/image-corpus";
const RowOrder BOTTOM_UP = RowOrder::BottomUp;
const RowOrder TOP_DOWN = RowOrder::TopDown;

// 3×2: red, green and blue over white and two darker colours, each with its own alpha.
RgbaImage sampleImage() {
    RgbaImage image(3, 2);
    image.pixels = {255, 0,   0,   255, 0,  255, 0,  128, 0,  0,  255, 64,
                    255, 255, 255, 0,   10, 20,  30, 200, 40, 50, 60,  100};
    return image;
}
const RgbaImage SAMPLE = sampleImage();

bool runLengthEncoded(const TgaFile& file) {
    return file.imageType >= 9;
}

// The six pixels run-length encoded with the second made the first: a run of
// two, then a raw packet of the other four.
std::string twoPackets(const std::string& pixels, int depth) {
    const std::size_t size = (depth + 7) / 8;
    return tgaRun(2, pixels.substr(0, size)) + tgaRawPacket(4, pixels.substr(2 * size));
}

// The sample as true-colour (2, 10) or grey (3, 11) pixels.
TgaFile sample(std::uint8_t type, std::uint8_t depth, RowOrder rows,
               std::uint8_t attributeBits = 0) {
    TgaFile file(type, depth, SAMPLE.width, SAMPLE.height, rows);
    file.attributeBits = attributeBits;
    file.body = tgaPixels(SAMPLE, depth, rows);
    if (runLengthEncoded(file)) {
        file.body = twoPackets(file.body, depth);
    }
    return file;
}

// The sample as 8-bit indices (type 1, 9) into a map of its six colours.
TgaFile mappedSample(std::uint8_t type, std::uint8_t entryDepth, RowOrder rows) {
    TgaFile file(type, 8, SAMPLE.width, SAMPLE.height, rows);
    file.mapEntries = 6;
    file.mapEntryDepth = entryDepth;
    file.map = tgaPixels(SAMPLE, entryDepth, TOP_DOWN);
    file.body = rows == TOP_DOWN ? std::string{0, 1, 2, 3, 4, 5} : std::string{3, 4, 5, 0, 1, 2};
    if (runLengthEncoded(file)) {
        file.body = twoPackets(file.body, 8);
    }
    return file;
}

// Two runs of 128 of one pixel: the body of a 256-pixel image in the fewest
// bytes the format allows.
std::string twoFullRuns(const std::string& pixel) {
    return tgaRun(128, pixel) + tgaRun(128, pixel);
}

// 16×16 8-bit indices into a map of 256 24-bit entries, whose bytes step by 7.
TgaFile fullMap(std::uint8_t type) {
    TgaFile file(type, 8, 16, 16, TOP_DOWN);
    file.mapEntries = 256;
    file.mapEntryDepth = 24;
    for (int i = 0; i < 3 * 256; ++i) {
        file.map += char(7 * i);
    }
    return file;
}

TgaFile withBody(TgaFile file, const std::string& body) {
    file.body = body;
    return file;
}

TgaFile withId(TgaFile file, const std::string& id) {
    file.id = id;
    return file;
}

TgaFile oneRowMore(TgaFile file) {
    ++file.height;
    return file;
}

std::vector<std::pair<std::string, TgaFile>> corpus() {
    const std::string sample24 = tgaPixels(SAMPLE, 24, TOP_DOWN);
    const std::string red = sample24.substr(0, 3);
    const std::string green = sample24.substr(3, 3);
    const std::string someColour = "\x10\x20\x30";
    const TgaFile truecolour24 = sample(2, 24, BOTTOM_UP);
    const std::string& pixels24 = truecolour24.body;
    TgaFile idPastEnd(2, 24, 1, 1, BOTTOM_UP);
    idPastEnd.idLength = 255;
    idPastEnd.id = "id";
    idPastEnd.body = red;
    TgaFile mapCutShort = withBody(mappedSample(1, 24, BOTTOM_UP), "");
    mapCutShort.mapEntries = 256;
    mapCutShort.map.resize(10);
    std::string everyIndex(256, '\0');
    std::iota(everyIndex.begin(), everyIndex.end(), '\0');

    const TgaFile rleTruecolourFull =
        withBody(TgaFile(10, 32, 32, 8, TOP_DOWN), twoFullRuns("\x01\x02\x03\x04"));
    const TgaFile rleWithIdFull = withId(rleTruecolourFull, "12345");
    const TgaFile rleMappedFull = withBody(fullMap(9), twoFullRuns("\x80"));
    const TgaFile rleGreyFull = withBody(TgaFile(11, 8, 16, 16, TOP_DOWN), twoFullRuns("\x80"));
    return {
        {"loads-truecolour-15-bottom-up.tga", sample(2, 15, BOTTOM_UP)},
        {"loads-truecolour-16-top-down.tga", sample(2, 16, TOP_DOWN, 1)},
        {"loads-truecolour-24-bottom-up.tga", truecolour24},
        {"loads-truecolour-32-top-down.tga", sample(2, 32, TOP_DOWN, 8)},
        {"loads-truecolour-24-with-id.tga", withId(sample(2, 24, TOP_DOWN), "orbi image id")},
        {"loads-grey-8-bottom-up.tga", sample(3, 8, BOTTOM_UP)},
        {"loads-mapped-15-bit-entries.tga", mappedSample(1, 15, TOP_DOWN)},
        {"loads-mapped-16-bit-entries.tga", mappedSample(1, 16, BOTTOM_UP)},
        {"loads-mapped-24-bit-entries.tga", mappedSample(1, 24, BOTTOM_UP)},
        {"loads-mapped-32-bit-entries.tga", mappedSample(1, 32, TOP_DOWN)},
        {"loads-rle-mapped.tga", mappedSample(9, 24, BOTTOM_UP)},
        {"loads-rle-truecolour-16.tga", sample(10, 16, BOTTOM_UP)},
        {"loads-rle-truecolour-24.tga", sample(10, 24, TOP_DOWN)},
        {"loads-rle-truecolour-32.tga", sample(10, 32, BOTTOM_UP, 8)},
        {"loads-rle-grey.tga", sample(11, 8, TOP_DOWN)},
        {"loads-body-too-long.tga", withBody(truecolour24, pixels24 + std::string(40, 'U'))},
        {"loads-rle-packet-past-file-end.tga",
         withBody(TgaFile(10, 24, 3, 2, BOTTOM_UP), tgaRawPacket(6, red))},
        {"loads-rle-run-past-last-pixel.tga",
         withBody(TgaFile(10, 24, 3, 2, BOTTOM_UP), tgaRun(128, green))},
        {"refused-header-alone-claims-huge.tga", TgaFile(10, 32, 65535, 65535, BOTTOM_UP)},
        {"refused-body-cut-short.tga",
         withBody(truecolour24, pixels24.substr(0, pixels24.size() - 1))},
        {"refused-colour-map-cut-short.tga", mapCutShort},
        {"refused-wider-than-largest-texture.tga",
         withBody(TgaFile(10, 24, 65, 1, BOTTOM_UP), tgaRun(65, someColour))},
        {"refused-id-longer-than-file.tga", idPastEnd},
        {"loads-rle-truecolour-fills-file.tga", rleTruecolourFull},
        {"refused-rle-truecolour-one-row-more.tga", oneRowMore(rleTruecolourFull)},
        {"loads-rle-with-id-fills-file.tga", rleWithIdFull},
        {"refused-rle-id-holds-no-pixels.tga", oneRowMore(rleWithIdFull)},
        {"loads-rle-mapped-fills-file.tga", rleMappedFull},
        {"refused-rle-mapped-one-row-more.tga", oneRowMore(rleMappedFull)},
        {"loads-rle-grey-fills-file.tga", rleGreyFull},
        {"refused-rle-grey-one-row-more.tga", oneRowMore(rleGreyFull)},
        {"loads-mapped-fills-file.tga", withBody(fullMap(1), everyIndex)},
        {"refused-mapped-map-holds-no-pixels.tga", fullMap(1)},
        {"refused-taller-than-largest-texture.tga",
         withBody(TgaFile(10, 24, 1, 65, TOP_DOWN), tgaRun(65, someColour))},
    };
}

} // namespace

int main(int argc, char** argv) {
    const std::filesystem::path folder = argc > 1 ? argv[1] : DEFAULT_OUTPUT;
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    for (const auto& [name, file] : corpus()) {
        std::ofstream out(folder / name, std::ios::binary);
        out << encodeTga(file);
        if (!out) {
            std::fprintf(stderr, "Cannot write %s\n", (folder / name).c_str());
            return 1;
        }
    }
    return 0;
}
