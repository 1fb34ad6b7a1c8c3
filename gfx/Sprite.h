#ifndef ORBICASCADE_GFX_SPRITE_H
#define ORBICASCADE_GFX_SPRITE_H

#include "world/Vector2.h"

// One textured rectangle of a fixed on-screen size. The texture belongs to the
// texture cache; the sprite only remembers its OpenGL name.
class Sprite {
public:
    Sprite() = default;
    virtual ~Sprite() = default;

    void setSize(const Vector2& newSize);
    void setTexture(unsigned textureName, float leftEdge, float topEdge, float rightEdge,
                    float bottomEdge);

    // Draws with the top-left corner at (x, y) in window pixels; leaves blending off.
    void draw(float x, float y) const;

    const Vector2& getSize() const { return size; }
    unsigned getTexture() const { return texture; }
    float getLeft() const { return left; }
    float getTop() const { return top; }
    float getRight() const { return right; }
    float getBottom() const { return bottom; }

private:
    Vector2 size;
    unsigned texture = 0;
    float left = 0.0f;
    float top = 0.0f;
    float right = 0.0f;
    float bottom = 0.0f;
};

// Reserved for sprites with several frames; the game builds plain sprites only.
class AnimatedSprite : public Sprite {
public:
    ~AnimatedSprite() override = default;
};

#endif
