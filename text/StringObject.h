#ifndef ORBICASCADE_TEXT_STRINGOBJECT_H
#define ORBICASCADE_TEXT_STRINGOBJECT_H

#include <cstdint>
#include <string>

// One line of text on screen. Its user writes the fields directly; the change
// shows at the next frame. Made and freed only by the StringManager.
class StringObject {
public:
    std::string fontName;     // a name given to StringManager::loadFont
    std::string text;         // single-byte characters, drawn on one line
    std::uint32_t colour = 0; // 0xAARRGGBB; the alpha byte is not used
    float x = 0.0f;           // left edge of the line, window pixels
    float y = 0.0f;           // top edge of the line, window pixels
    bool visible = false;     // hidden until its user has set it up
};

#endif
