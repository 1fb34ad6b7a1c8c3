#include "text/FontReader.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

const std::string INFO = "info face=\"Test Sans\" size=17 bold=1 italic=0 charset=\"\" unicode=1 "
                         "stretchH=100 smooth=1 aa=1 padding=0,0,0,0 spacing=2,2\n";
const std::string COMMON = "common lineHeight=20 base=16 scaleW=256 scaleH=128 pages=1 packed=0\n";
constexpr std::uint32_t PAGE = 42;

// A char line in the padded columns a font generator writes.
std::string charLine(int id, int x = 3, int y = 4, int width = 8, int height = 12, int xoffset = 1,
                     int yoffset = 4, int xadvance = 10) {
    char line[200];
    std::snprintf(line, sizeof line,
                  "char id=%-4d x=%-5d y=%-5d width=%-5d height=%-5d xoffset=%-5d yoffset=%-5d "
                  "xadvance=%-5d page=0  chnl=15\n",
                  id, x, y, width, height, xoffset, yoffset, xadvance);
    return line;
}

Font read(const std::string& descriptor) {
    std::istringstream in(descriptor);
    return readFont(in, PAGE);
}

void expectGlyph(const Font& font, unsigned id, const Glyph& expected) {
    ASSERT_LT(id, font.glyphs.size());
    const Glyph* glyph = font.glyphs[id].get();
    ASSERT_NE(glyph, nullptr) << "no glyph " << id;
    EXPECT_EQ(glyph->x, expected.x);
    EXPECT_EQ(glyph->y, expected.y);
    EXPECT_EQ(glyph->width, expected.width);
    EXPECT_EQ(glyph->height, expected.height);
    EXPECT_EQ(glyph->xoffset, expected.xoffset);
    EXPECT_EQ(glyph->yoffset, expected.yoffset);
    EXPECT_EQ(glyph->xadvance, expected.xadvance);
    EXPECT_EQ(glyph->texture, PAGE);
}

// The ids that hold a glyph.
std::vector<unsigned> definedIds(const Font& font) {
    std::vector<unsigned> ids;
    for (unsigned id = 0; id < font.glyphs.size(); ++id) {
        if (font.glyphs[id]) {
            ids.push_back(id);
        }
    }
    return ids;
}

TEST(FontReader, ReadsAWholeGeneratedDescriptor) {
    std::string descriptor = INFO + COMMON + "page id=0 file=\"test_00.tga\"\nchars count=95\n";
    for (int id = 32; id <= 126; ++id) {
        descriptor += charLine(id, id, 2 * id, id % 13, id % 17, id % 3 - 1, id % 5, id % 11 + 4);
    }
    descriptor += "kernings count=0\n";

    const Font font = read(descriptor);
    EXPECT_EQ(font.lineHeight, 20);
    EXPECT_EQ(font.base, 16);
    EXPECT_EQ(font.scaleW, 256u);
    EXPECT_EQ(font.scaleH, 128u);
    EXPECT_EQ(font.pages, 1);
    EXPECT_EQ(font.glyphCount, 127u);
    ASSERT_EQ(font.glyphs.size(), 127u);
    for (int id = 0; id < 32; ++id) {
        EXPECT_EQ(font.glyphs[id], nullptr) << id;
    }
    for (int id = 32; id <= 126; ++id) {
        expectGlyph(font, id, Glyph{id, 2 * id, id % 13, id % 17, id % 3 - 1, id % 5, id % 11 + 4});
    }
}

TEST(FontReader, TableIsSizedByTheLargestId) {
    const Font single = read(INFO + COMMON + charLine(65));
    EXPECT_EQ(single.glyphCount, 66u);
    EXPECT_EQ(definedIds(single), std::vector<unsigned>{65});

    const Font none = read(INFO + COMMON + "page id=0 file=\"x_00.tga\"\nchars count=0\n");
    EXPECT_EQ(none.glyphCount, 1u);
    ASSERT_EQ(none.glyphs.size(), 1u);
    EXPECT_EQ(none.glyphs[0], nullptr);
    EXPECT_EQ(none.scaleW, 256u);

    // Ids out of order: the largest decides, wherever it comes.
    const Font unordered = read(INFO + COMMON + charLine(70) + charLine(33) + charLine(40));
    EXPECT_EQ(unordered.glyphCount, 71u);
    EXPECT_EQ(definedIds(unordered), (std::vector<unsigned>{33, 40, 70}));
}

TEST(FontReader, LaterDuplicateWins) {
    const Font font = read(INFO + COMMON + charLine(66, 1, 1, 5, 5, 0, 0, 6) + charLine(67) +
                           charLine(66, 40, 50, 7, 9, -2, 3, 11));
    expectGlyph(font, 66, Glyph{40, 50, 7, 9, -2, 3, 11});
    EXPECT_EQ(definedIds(font), (std::vector<unsigned>{66, 67}));
}

TEST(FontReader, LineEndsDoNotChangeTheGlyphs) {
    const std::string lines = INFO + COMMON + charLine(48) + charLine(49, 9, 8, 7, 6, 5, 4, 3);
    const std::string withoutFinalFeed = lines.substr(0, lines.size() - 1);
    std::string crlf;
    for (char c : lines) {
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    for (const std::string& descriptor : {lines, withoutFinalFeed, crlf}) {
        const Font font = read(descriptor);
        EXPECT_EQ(font.glyphCount, 50u);
        EXPECT_EQ(font.scaleH, 128u);
        expectGlyph(font, 48, Glyph{3, 4, 8, 12, 1, 4, 10});
        expectGlyph(font, 49, Glyph{9, 8, 7, 6, 5, 4, 3});
    }
}

TEST(FontReader, MatchesLikeFormattedInput) {
    const std::string descriptor =
        INFO + "common lineHeight=0x16 base=020 scaleW=256 scaleH=0X100 pages=1\n" +
        // single blanks, tabs and blanks around the values
        "char id=65 x=1 y=2 width=3 height=4 xoffset=5 yoffset=6 xadvance=7 page=0\n" +
        "char\tid=66\t\tx=1 y=2 width=3 height=4 xoffset=5 yoffset=6 xadvance=7 page=0\n" +
        "char id= 67 x=1 y=2 width=3 height=4 xoffset=5 yoffset=6 xadvance=7 page=0\n" +
        "char  id=68x=1 y=2 width=3 height=4 xoffset=5 yoffset=6 xadvance=7 page=0\n" +
        // hexadecimal, octal, signs, negative offsets, a trailing key
        "char id=0x45 x=0x10 y=010 width=+9 height=0 xoffset=-1 yoffset=-0x2 xadvance=011 page=0 "
        "chnl=15\n";
    const Font font = read(descriptor);
    EXPECT_EQ(font.lineHeight, 22);
    EXPECT_EQ(font.base, 16);
    EXPECT_EQ(font.scaleH, 256u);
    for (unsigned id : {65u, 66u, 67u, 68u}) {
        expectGlyph(font, id, Glyph{1, 2, 3, 4, 5, 6, 7});
    }
    expectGlyph(font, 69, Glyph{16, 8, 9, 0, -1, -2, 9});
}

TEST(FontReader, SkipsLinesThatAreNotWholeCharLines) {
    const std::string descriptor =
        INFO + COMMON + "page id=0 file=\"x_00.tga\"\n\nchars count=9\n" +
        "Char id=70 x=1 y=2 width=3 height=4 xoffset=5 yoffset=6 xadvance=7 page=0\n" +
        "char id=71 x=1 y=2 width=3 height=4 xoffset=5 yoffset=6 xadvance=7\n" +
        "char id=72 x=1 y=2 width=3 height=4 xoffset=5 yoffset=6 xadvance=7 page=\n" +
        "char id=73 x=1 y=2 width=3 height=4 x_offset=5 yoffset=6 xadvance=7 page=0\n" +
        "char id=0x x=1 y=2 width=3 height=4 xoffset=5 yoffset=6 xadvance=7 page=0\n" +
        "char id=- 74 x=1 y=2 width=3 height=4 xoffset=5 yoffset=6 xadvance=7 page=0\n" +
        "kerning first=65 second=66 amount=-1\n" + charLine(50);
    const Font font = read(descriptor);
    EXPECT_EQ(definedIds(font), std::vector<unsigned>{50});
}

TEST(FontReader, CommonLineIsAllOrNothing) {
    const std::string glyphs = charLine(65);
    for (const std::string& common :
         {std::string("common lineHeight=20 base=16 scaleW=x scaleH=128 pages=1\n"),
          std::string("common lineHeight=20 base=16 scaleW=256\n"),
          std::string("common lineHeight=20 base=16 scaleW=-256 scaleH=128 pages=1\n"),
          std::string("common lineHeight=20 base=16 scaleW=256 scaleH=4294967296 pages=1\n"),
          std::string("page id=0 file=\"x_00.tga\"\n"), std::string("\n")}) {
        const Font font = read(INFO + common + glyphs);
        EXPECT_EQ(font.lineHeight, 0) << common;
        EXPECT_EQ(font.base, 0) << common;
        EXPECT_EQ(font.scaleW, 0u) << common;
        EXPECT_EQ(font.scaleH, 0u) << common;
        EXPECT_EQ(font.pages, 0) << common;
        EXPECT_NE(font.find(65), nullptr) << common;
    }
    // The common line is only ever line 2.
    const Font late = read(INFO + "\n" + COMMON + glyphs);
    EXPECT_EQ(late.scaleW, 0u);

    const Font empty = read("");
    EXPECT_EQ(empty.glyphCount, 1u);
    EXPECT_EQ(empty.scaleW, 0u);
}

TEST(FontReader, LinesOf150CharactersOrMoreAreSkippedWhole) {
    const std::string line = charLine(65);
    const std::string body = line.substr(0, line.size() - 1);
    const std::string longest = body + std::string(149 - body.size(), ' ') + "\n";
    const std::string tooLong = body + std::string(150 - body.size(), ' ') + "\n";
    // The tail of a too-long line must not be read as a line of its own.
    const std::string hiddenTail = std::string(150, ' ') +
                                   "char id=90 x=1 y=2 width=3 height=4 xoffset=5 yoffset=6 "
                                   "xadvance=7 page=0\n";
    ASSERT_EQ(longest.size(), 150u);

    EXPECT_NE(read(INFO + COMMON + longest).find(65), nullptr);
    EXPECT_EQ(read(INFO + COMMON + tooLong).find(65), nullptr);

    const Font font =
        read(INFO + COMMON + tooLong + hiddenTail + charLine(66) + std::string(1 << 20, 'x'));
    EXPECT_EQ(definedIds(font), std::vector<unsigned>{66});

    const Font longCommon = read(INFO + COMMON.substr(0, COMMON.size() - 1) +
                                 std::string(100, ' ') + "\n" + charLine(66));
    EXPECT_EQ(longCommon.scaleW, 0u);
    EXPECT_NE(longCommon.find(66), nullptr);
}

TEST(FontReader, IdsOutsideTheTableRangeAreSkipped) {
    const Font font = read(INFO + COMMON + charLine(-1) + charLine(65536) + charLine(2147483647) +
                           charLine(-2147483647 - 1) +
                           "char id=4294967361 x=1 y=2 width=3 height=4 xoffset=5 yoffset=6 "
                           "xadvance=7 page=0\n" +
                           charLine(70));
    EXPECT_EQ(definedIds(font), std::vector<unsigned>{70});
    EXPECT_EQ(font.glyphCount, 71u);

    const Font largest = read(INFO + COMMON + charLine(65535));
    EXPECT_EQ(largest.glyphCount, 65536u);
    EXPECT_NE(largest.find(65535), nullptr);
}

TEST(FontReader, KeepsTheWholeRangeOfOtherValues) {
    const Font font =
        read(INFO + COMMON +
             charLine(65, 2147483647, -2147483647 - 1, -5, 0, -2147483647 - 1, 2147483647, -9) +
             "char id=66 x=2147483648 y=1 width=1 height=1 xoffset=1 yoffset=1 "
             "xadvance=1 page=0\n");
    expectGlyph(font, 65,
                Glyph{2147483647, -2147483647 - 1, -5, 0, -2147483647 - 1, 2147483647, -9});
    EXPECT_EQ(font.find(66), nullptr);
}

} // namespace
