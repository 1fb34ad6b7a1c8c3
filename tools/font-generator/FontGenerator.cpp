// Renders the game's font "hockey" from a TrueType font: writes the descriptor
// hockey.fnt (BMFont text format) and its page hockey_00.tga (white glyphs on
// transparent, so the string colour tints them) into the output directory.
//
// Usage: font-generator [font.ttf] [output-directory]

#include "tools/tga/TgaWriter.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

const char* const DEFAULT_FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
const char* const DEFAULT_OUTPUT = "data";
const char* const FONT_NAME = "hockey";

// 17 pixels per em gives a 20-pixel line; "Sphere:" then fits the 80 pixels
// between the heads-up display's label and number columns.
constexpr int PIXEL_SIZE = 17;
constexpr int FIRST_CODE = 32;
constexpr int LAST_CODE = 126;
constexpr int PAGE_WIDTH = 256;
// Transparent texels around every glyph keep linear filtering from picking up
// a neighbour.
constexpr int SPACING = 2;

struct RenderedGlyph {
    int code = 0;
    int width = 0;
    int height = 0;
    int left = 0;    // pen to the bitmap's left edge
    int top = 0;     // baseline up to the bitmap's top row
    int advance = 0; // whole pixels
    std::vector<std::uint8_t> coverage;
    int pageX = 0;
    int pageY = 0;
};

struct Metrics {
    int lineHeight = 0;
    int base = 0;
};

bool renderGlyphs(FT_Face face, std::vector<RenderedGlyph>& glyphs) {
    for (int code = FIRST_CODE; code <= LAST_CODE; ++code) {
        if (FT_Load_Char(face, static_cast<FT_ULong>(code), FT_LOAD_RENDER) != 0) {
            std::cerr << "cannot render character " << code << "\n";
            return false;
        }
        const FT_GlyphSlot slot = face->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        RenderedGlyph glyph;
        glyph.code = code;
        glyph.width = static_cast<int>(bitmap.width);
        glyph.height = static_cast<int>(bitmap.rows);
        glyph.left = slot->bitmap_left;
        glyph.top = slot->bitmap_top;
        glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6);
        for (int row = 0; row < glyph.height; ++row) {
            const std::uint8_t* source = bitmap.buffer + row * bitmap.pitch;
            glyph.coverage.insert(glyph.coverage.end(), source, source + glyph.width);
        }
        glyphs.push_back(std::move(glyph));
    }
    return true;
}

// Places the glyphs in rows from the top left; returns the height used.
int pack(std::vector<RenderedGlyph>& glyphs) {
    int x = SPACING;
    int y = SPACING;
    int rowHeight = 0;
    for (RenderedGlyph& glyph : glyphs) {
        if (x + glyph.width + SPACING > PAGE_WIDTH) {
            x = SPACING;
            y += rowHeight + SPACING;
            rowHeight = 0;
        }
        glyph.pageX = x;
        glyph.pageY = y;
        x += glyph.width + SPACING;
        rowHeight = std::max(rowHeight, glyph.height);
    }
    return y + rowHeight + SPACING;
}

int powerOfTwoAtLeast(int value) {
    int result = 1;
    while (result < value) {
        result *= 2;
    }
    return result;
}

RgbaImage paint(const std::vector<RenderedGlyph>& glyphs, int pageHeight) {
    RgbaImage page(PAGE_WIDTH, pageHeight);
    // White everywhere, so filtering at glyph edges blends towards white rather
    // than darkening the tinted text.
    for (std::size_t i = 0; i < page.pixels.size(); i += 4) {
        page.pixels[i] = page.pixels[i + 1] = page.pixels[i + 2] = 255;
    }
    for (const RenderedGlyph& glyph : glyphs) {
        for (int row = 0; row < glyph.height; ++row) {
            for (int column = 0; column < glyph.width; ++column) {
                page.at(glyph.pageX + column, glyph.pageY + row)[3] =
                    glyph.coverage[static_cast<std::size_t>(row * glyph.width + column)];
            }
        }
    }
    return page;
}

bool writeDescriptor(const std::string& path, FT_Face face, const Metrics& metrics, int pageHeight,
                     const std::vector<RenderedGlyph>& glyphs) {
    std::ofstream out(path, std::ios::binary);
    out << "info face=\"" << face->family_name << ' ' << face->style_name
        << "\" size=" << PIXEL_SIZE
        << " bold=1 italic=0 charset=\"\" unicode=1 stretchH=100 smooth=1 aa=1"
        << " padding=0,0,0,0 spacing=" << SPACING << ',' << SPACING << "\n";
    out << "common lineHeight=" << metrics.lineHeight << " base=" << metrics.base
        << " scaleW=" << PAGE_WIDTH << " scaleH=" << pageHeight << " pages=1 packed=0\n";
    out << "page id=0 file=\"" << FONT_NAME << "_00.tga\"\n";
    out << "chars count=" << glyphs.size() << "\n";
    for (const RenderedGlyph& glyph : glyphs) {
        char line[160];
        std::snprintf(line, sizeof line,
                      "char id=%-4d x=%-5d y=%-5d width=%-5d height=%-5d xoffset=%-5d "
                      "yoffset=%-5d xadvance=%-5d page=0  chnl=15\n",
                      glyph.code, glyph.pageX, glyph.pageY, glyph.width, glyph.height, glyph.left,
                      metrics.base - glyph.top, glyph.advance);
        out << line;
    }
    return static_cast<bool>(out);
}

} // namespace

int main(int argc, char** argv) {
    const std::string fontPath = argc > 1 ? argv[1] : DEFAULT_FONT;
    const std::string outputDirectory = argc > 2 ? argv[2] : DEFAULT_OUTPUT;

    FT_Library library = nullptr;
    FT_Face face = nullptr;
    if (FT_Init_FreeType(&library) != 0) {
        std::cerr << "cannot start FreeType\n";
        return 1;
    }
    if (FT_New_Face(library, fontPath.c_str(), 0, &face) != 0 ||
        FT_Set_Pixel_Sizes(face, 0, PIXEL_SIZE) != 0) {
        std::cerr << "cannot open " << fontPath << " at " << PIXEL_SIZE << " pixels\n";
        FT_Done_FreeType(library);
        return 1;
    }

    std::vector<RenderedGlyph> glyphs;
    bool written = renderGlyphs(face, glyphs);
    if (written) {
        const Metrics metrics{static_cast<int>((face->size->metrics.height + 32) >> 6),
                              static_cast<int>((face->size->metrics.ascender + 32) >> 6)};
        const int pageHeight = powerOfTwoAtLeast(pack(glyphs));
        const std::string base = outputDirectory + "/" + FONT_NAME;
        written = writeTga(base + "_00.tga", paint(glyphs, pageHeight)) &&
                  writeDescriptor(base + ".fnt", face, metrics, pageHeight, glyphs);
        if (written) {
            std::cout << "wrote " << base << ".fnt (" << glyphs.size() << " glyphs, line height "
                      << metrics.lineHeight << ") and " << base << "_00.tga (" << PAGE_WIDTH
                      << " by " << pageHeight << ")\n";
        } else {
            std::cerr << "cannot write " << base << ".fnt or its page\n";
        }
    }
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    return written ? 0 : 1;
}
