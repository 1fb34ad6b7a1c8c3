#include "text/StringRendererSimple.h"

#include "text/Font.h"
#include "text/StringObject.h"

#include <GL/gl.h>

#include <cstdint>

namespace {

// Colour bytes are scaled by 1/256, so 255 gives 0.99609375.
constexpr float COLOUR_SCALE = 0.00390625f;
// Text is single-byte; above 127 the encoding is unknown (a UTF-8 sequence
// would show as unrelated glyphs), so those bytes are not drawn.
constexpr unsigned FIRST_UNDRAWN_CODE = 128;

struct Tint {
    float red;
    float green;
    float blue;
};

Tint unpack(std::uint32_t colour) {
    return Tint{static_cast<float>((colour >> 16) & 0xffu) * COLOUR_SCALE,
                static_cast<float>((colour >> 8) & 0xffu) * COLOUR_SCALE,
                static_cast<float>(colour & 0xffu) * COLOUR_SCALE};
}

// Sums in 64 bits: descriptor values may be anything a 32-bit integer holds.
float sum(std::int32_t a, std::int32_t b) {
    return static_cast<float>(static_cast<std::int64_t>(a) + static_cast<std::int64_t>(b));
}

void drawGlyph(const Glyph& glyph, const Font& font, float pen, float top, const Tint& tint) {
    glBindTexture(GL_TEXTURE_2D, glyph.texture);
    glPushMatrix();
    glTranslatef(pen, top, 0.0f);
    // Before the strip, as the browser's OpenGL emulation needs (see Sprite).
    glColor3f(tint.red, tint.green, tint.blue);
    glBegin(GL_TRIANGLE_STRIP);

    const double pageWidth = font.scaleW;
    const double pageHeight = font.scaleH;
    const double uLeft = glyph.x / pageWidth;
    const double uRight = (static_cast<double>(glyph.x) + glyph.width) / pageWidth;
    const double vTop = glyph.y / pageHeight;
    const double vBottom = (static_cast<double>(glyph.y) + glyph.height) / pageHeight;
    const float left = static_cast<float>(glyph.xoffset);
    const float right = sum(glyph.xoffset, glyph.width);
    const float upper = static_cast<float>(glyph.yoffset);
    const float lower = sum(glyph.yoffset, glyph.height);

    glTexCoord2d(uLeft, vTop);
    glVertex2f(left, upper);
    glTexCoord2d(uRight, vTop);
    glVertex2f(right, upper);
    glTexCoord2d(uLeft, vBottom);
    glVertex2f(left, lower);
    glTexCoord2d(uRight, vBottom);
    glVertex2f(right, lower);
    glEnd();
    glPopMatrix();
}

} // namespace

StringRendererSimple::StringRendererSimple(const StringObject* drawnObject)
    : StringRenderer(drawnObject) {}

void StringRendererSimple::update(float) {}

void StringRendererSimple::draw() {
    if (!stringObject->visible || font == nullptr || font->scaleW == 0 || font->scaleH == 0) {
        return;
    }
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);

    const Tint tint = unpack(stringObject->colour);
    const float top = stringObject->y;
    float pen = stringObject->x;
    for (const char character : stringObject->text) {
        const unsigned code = static_cast<unsigned char>(character);
        const Glyph* glyph = code < FIRST_UNDRAWN_CODE ? font->find(code) : nullptr;
        if (glyph == nullptr) {
            continue;
        }
        drawGlyph(*glyph, *font, pen, top, tint);
        pen += static_cast<float>(glyph->xadvance);
    }
    glDisable(GL_BLEND);
}
