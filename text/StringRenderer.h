#ifndef ORBICASCADE_TEXT_STRINGRENDERER_H
#define ORBICASCADE_TEXT_STRINGRENDERER_H

struct Font;
class StringObject;

// Draws one string object with the font its manager hands it before each frame.
// Neither the string object nor the font belongs to the renderer.
class StringRenderer {
public:
    explicit StringRenderer(const StringObject* stringObject);
    virtual ~StringRenderer();
    StringRenderer(const StringRenderer&) = delete;
    StringRenderer& operator=(const StringRenderer&) = delete;

    // Null when the string names a font that was never loaded.
    void setFont(const Font* newFont);

    virtual void update(float seconds) = 0;
    virtual void draw() = 0;

protected:
    const StringObject* const stringObject;
    const Font* font = nullptr;
};

#endif
