#ifndef ORBICASCADE_GFX_SPRITEDEFINITION_H
#define ORBICASCADE_GFX_SPRITEDEFINITION_H

#include "world/Vector2.h"

#include <string>
#include <vector>

// One rectangle of a texture, in normalised coordinates: u from the image's left
// edge, v from its top row.
struct SpriteFrame {
    float left;
    float top;
    float right;
    float bottom;
};

// Describes a sprite for the sprite library: on-screen size, the texture it is
// cut from and its frames.
class SpriteDefinition {
public:
    void setSize(float width, float height);
    void setTextureName(const char* name);
    void addFrame(float left, float top, float right, float bottom);

    const Vector2& getSize() const { return size; }
    const std::vector<SpriteFrame>& getFrames() const { return frames; }
    const std::string& getTextureName() const { return textureName; }

private:
    Vector2 size;
    std::vector<SpriteFrame> frames;
    std::string textureName;
};

#endif
