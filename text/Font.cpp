#include "text/Font.h"

const Glyph* Font::find(std::uint32_t code) const {
    return code < glyphs.size() ? glyphs[code].get() : nullptr;
}
