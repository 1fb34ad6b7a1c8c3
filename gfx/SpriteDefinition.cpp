#include "gfx/SpriteDefinition.h"

void SpriteDefinition::setSize(float width, float height) {
    size = Vector2(width, height);
}

void SpriteDefinition::setTextureName(const char* name) {
    textureName = name;
}

void SpriteDefinition::addFrame(float left, float top, float right, float bottom) {
    frames.push_back(SpriteFrame{left, top, right, bottom});
}
