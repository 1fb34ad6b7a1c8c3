#include "gfx/TextureCache.h"
#include "tests/gfx/GfxTestKit.h"
#include "text/FontReader.h"
#include "text/StringManager.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

const std::filesystem::path CORPUS = "tests/text/font-corpus";

// A font as text: the five common values (lineHeight, base, scaleW, scaleH, pages), each
// glyph as id:x,y,width,height,xoffset,yoffset,xadvance, then "#" and the table's size.
std::string describe(const Font& font) {
    std::ostringstream out;
    out << font.lineHeight << ' ' << font.base << ' ' << font.scaleW << ' ' << font.scaleH << ' '
        << font.pages;
    for (std::uint32_t id = 0; id < font.glyphCount; ++id)
        if (const Glyph* glyph = font.find(id))
            out << ' ' << id << ':' << glyph->x << ',' << glyph->y << ',' << glyph->width << ','
                << glyph->height << ',' << glyph->xoffset << ',' << glyph->yoffset << ','
                << glyph->xadvance;
    return out.str() + " #" + std::to_string(font.glyphCount);
}

const std::string GLYPHS_48_49 = "20 16 256 128 1 48:2,2,8,12,1,4,10 49:2,2,8,12,1,4,10 #50";
const std::pair<const char*, std::string> DESCRIPTORS[] = {
    {"single-blanks.fnt", "20 16 256 128 1 65:2,2,8,12,1,4,10 66:1,2,3,4,5,6,7 #67"},
    {"hex-octal.fnt", "20 16 256 256 1 65:8,16,-1,7,-3,-8,12 #66"},
    {"duplicates.fnt", "20 16 256 128 1 66:40,2,8,12,1,4,3 #67"},
    {"crlf.fnt", GLYPHS_48_49},
    {"no-final-newline.fnt", GLYPHS_48_49},
    {"line-lengths.fnt", "20 16 256 128 1 65:2,2,8,12,1,4,10 #66"},
    {"bad-ids.fnt", "20 16 256 128 1 65535:2,2,8,12,1,4,10 #65536"},
    {"negative-width.fnt", "0 0 0 0 0 65:2,2,8,12,1,4,10 #66"},
    {"negative-height.fnt", "0 0 0 0 0 65:2,2,8,12,1,4,10 #66"},
};

// The fuzz target aborts on a malformed table; the sanitizer build catches the rest.
TEST(FontReader, ReadsTheCorpusAsExpectedAndSurvivesEveryInputOfIt) {
    for (const auto& [file, expected] : DESCRIPTORS) {
        std::ifstream in(CORPUS / file, std::ios::binary);
        EXPECT_EQ(describe(readFont(in, 9)), expected) << file;
    }
    for (const auto& entry : std::filesystem::directory_iterator(CORPUS)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), {}};
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }
}

TEST(StringManager, DrawsEachStringWithTheFontItNamesFromTheNextUpdateOn) {
    ScratchData scratch;
    // A long first line, so that the line of 'A' spans the first 4 KiB read of the file.
    std::ifstream drawing(scratch.previous / CORPUS / "drawing.fnt");
    std::ofstream("data/font.fnt") << std::string(4000, ' ') << drawing.rdbuf();
    writeImage("font_00", 2, 2);
    TextureCache cache;
    StringManager manager(&cache);
    StringObject* line = manager.createString();
    StringObject* other = manager.createString();
    line->fontName = other->fontName = "font";
    // DEL is drawn, 'C' has no glyph, 128 and 255 have one but are never drawn.
    line->text = other->text = "A\177C\200\377A";
    line->colour = 0x8010f0ff;
    line->x = 20.0f;
    line->y = 15.0f;
    const auto frame = [&] {
        GlRecorder::reset();
        manager.update(0.02f);
        manager.draw();
        return GlRecorder::state().strips;
    };
    manager.loadFont("font");
    frame();
    EXPECT_EQ(GlRecorder::state().calls, 0u); // both hidden
    line->visible = true;
    const std::vector<GlStrip> strips = frame();
    ASSERT_EQ(strips.size(), 3u);
    EXPECT_FALSE(GlRecorder::state().enabled.count(GL_BLEND))
        << "left off after drawing, as by sprites";
    EXPECT_EQ(corners(strips[0]), rectangle(19, 17, 27, 33, 0.0625, 0.25, 0.09375, 0.375));
    EXPECT_EQ(corners(strips[2]), rectangle(34, 17, 42, 33, 0.0625, 0.25, 0.09375, 0.375));
    for (const GlStrip& strip : strips) {
        EXPECT_EQ(
            std::make_tuple(strip.red, strip.green, strip.blue, strip.texture, strip.blended),
            std::make_tuple(0.0625f, 0.9375f, 0.99609375f, cache.get("font_00")->getId(), true));
    }

    other->visible = true; // at (0, 0)
    line->fontName = "absent";
    EXPECT_EQ(frame().size(), 3u);
    line->fontName = "font";
    const bool lineFirst = std::less<const StringObject*>()(line, other);
    EXPECT_EQ(frame().at(0).vertices[0].x, lineFirst ? 19 : -1) << "drawn in order of address";
    manager.destroyString(other);
    EXPECT_EQ(frame().size(), 3u);

    // Loaded again under its name, the font is the one the new descriptor gives (whose byte
    // 4096, the first of the second read, is 0xff).
    std::ifstream singleChar(scratch.previous / CORPUS / "single-char.fnt");
    std::ofstream("data/font.fnt") << std::string(4096, ' ') << '\xff' << singleChar.rdbuf();
    manager.loadFont("font");
    EXPECT_EQ(corners(frame().at(1)),
              rectangle(31, 19, 39, 31, 0.0078125, 0.015625, 0.0390625, 0.109375));

    writeImage("absent_00", 1, 1);
    testing::internal::CaptureStderr();
    manager.loadFont("absent");
    EXPECT_EQ(GlRecorder::state().uploads.size(), 1u)
        << "the page, asked for before the descriptor";
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Failed to open font file : absent\n");
}
