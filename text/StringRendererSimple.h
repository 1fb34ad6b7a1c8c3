#ifndef ORBICASCADE_TEXT_STRINGRENDERERSIMPLE_H
#define ORBICASCADE_TEXT_STRINGRENDERERSIMPLE_H

#include "text/StringRenderer.h"

// Draws each character as one textured quad, tinted with the string's colour,
// in immediate mode inside the display's pixel projection.
class StringRendererSimple : public StringRenderer {
public:
    explicit StringRendererSimple(const StringObject* stringObject);

    void update(float seconds) override;
    // Characters the font doesn't define (and bytes of 128 or more, whose
    // encoding is unknown) are skipped. A string without a usable font, one
    // whose page size is 0, draws nothing at all.
    void draw() override;
};

#endif
