#ifndef ORBICASCADE_TEXT_FONT_H
#define ORBICASCADE_TEXT_FONT_H

#include <cstdint>
#include <memory>
#include <vector>

// Where one character sits in the font's page and how it is placed on a line.
struct Glyph {
    std::int32_t x = 0;     // left edge of the rectangle in the page, texels
    std::int32_t y = 0;     // top edge, counted from the page's top row
    std::int32_t width = 0; // of the rectangle and of the drawn quad
    std::int32_t height = 0;
    std::int32_t xoffset = 0;  // pen to the quad's left edge
    std::int32_t yoffset = 0;  // line top to the quad's top edge
    std::int32_t xadvance = 0; // pen movement after the character
    std::uint32_t texture = 0; // OpenGL name of the font's page
};

// A bitmap font: one page texture and a glyph table indexed by character code.
struct Font {
    std::int32_t pages = 0;
    std::int32_t lineHeight = 0;
    std::int32_t base = 0;
    std::uint32_t scaleW = 0; // page size in texels, the divisor of texture coordinates
    std::uint32_t scaleH = 0;
    std::uint32_t glyphCount = 0;
    std::vector<std::unique_ptr<Glyph>> glyphs; // glyphCount slots, null where undefined

    // The glyph of a character code, or null when the font has none.
    const Glyph* find(std::uint32_t code) const;
};

#endif
