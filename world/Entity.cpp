#include "world/Entity.h"

#include <cmath>

Entity::~Entity() = default;

void Entity::setView(float offsetX, float offsetY, float scaleX, float scaleY) {
    viewOffsetX = offsetX;
    viewOffsetY = offsetY;
    viewScaleX = scaleX;
    viewScaleY = scaleY;
}

Vector2 Entity::getScreenPosition() const {
    return Vector2((position.x + viewOffsetX) * viewScaleX,
                   (position.y + viewOffsetY) * viewScaleY);
}
