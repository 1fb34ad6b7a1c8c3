#ifndef ORBICASCADE_WORLD_ENTITY_H
#define ORBICASCADE_WORLD_ENTITY_H

#include "world/Vector2.h"

#include <cmath>
#include <cstdint>
#include <cstring>

// Anything placed in the world: where it is, where it was before its last move,
// and the view that maps it to the window.
class Entity {
public:
    Entity() = default;
    virtual ~Entity();

    virtual void update(float dt) = 0;
    virtual void draw() = 0;

    Vector2 getPosition() const { return position; }
    Vector2 getPreviousPosition() const { return previousPosition; }

    void setPosition(Vector2 newPosition) { moveTo(newPosition); }
    // The same point set twice: the object rests there.
    void placeAtRest(Vector2 point) {
        moveTo(point);
        moveTo(point);
    }
    void move(Vector2 delta) { moveTo(position + delta); }
    // Whether the object stayed where it was in its last move: both centres equal.
    bool isResting() const { return resting; }
    // Rises with every change to what decides a contact or link test: either
    // centre here, and a sphere's kind. Equal readings mean neither changed in
    // between, to the last bit. (A sphere's removed flag needs no count: once it
    // is set, the sphere leaves the world in its next update, before any test.)
    std::uint32_t getRevision() const { return revision; }

    void setView(float offsetX, float offsetY, float scaleX, float scaleY);
    Vector2 getScreenPosition() const;
    // Inline: the world step asks for it for every pair of resting spheres.
    float squaredDistanceTo(const Entity& other) const {
        const Vector2 d = fromTo(position, other.position);
        return std::fabs(dot(d, d));
    }

protected:
    void noteChange() { ++revision; }

private:
    static bool sameBits(Vector2 a, Vector2 b) { return std::memcmp(&a, &b, sizeof(Vector2)) == 0; }

    void moveTo(Vector2 newPosition) {
        // Putting a resting object down where it rests changes nothing.
        if (!sameBits(previousPosition, position) || !sameBits(newPosition, position)) {
            noteChange();
        }
        previousPosition = position;
        position = newPosition;
        // Kept up to date here because the contact tests ask for every pair of spheres.
        resting = previousPosition.x == position.x && previousPosition.y == position.y;
    }

    Vector2 position;
    Vector2 previousPosition;
    bool resting = true;
    std::uint32_t revision = 0;
    float viewOffsetX = 0.0f;
    float viewOffsetY = 0.0f;
    float viewScaleX = 0.0f;
    float viewScaleY = 0.0f;
};

#endif
