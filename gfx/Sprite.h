#ifndef ORBICASCADE_GFX_SPRITE_H
#define ORBICASCADE_GFX_SPRITE_H

#include "world/Vector2.h"

// One textured rectangle of a fixed on-screen size. The texture belongs to the
// texture cache; the sprite only remembers its OpenGL name.
class Sprite {
public:
    void setSize(const Vector2& newSize);
    void setTexture(unsigned textureName, float leftEdge, float topEdge, float rightEdge,
                    float bottomEdge);

    // Draws with the top-left corner at (x, y) in window pixels; leaves blending off.
    void draw(float x, float y) const;

private:
    Vector2 size;
    unsigned texture = 0;
    float left = 0.0f;
    float top = 0.0f;
    float right = 0.0f;
    float bottom = 0.0f;
};

#endif
