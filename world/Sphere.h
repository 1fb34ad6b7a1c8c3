#ifndef ORBICASCADE_WORLD_SPHERE_H
#define ORBICASCADE_WORLD_SPHERE_H

#include "world/Entity.h"

#include <array>

class Sprite;
struct SphereLink;

enum SphereKind { KIND_FALLING = 0, KIND_STUCK = 1, KIND_STOPPER = 2, KIND_TESTER = 3 };

// Every object of the world is a sphere of the same radius. A plain Sphere rests
// where it was put (the nucleus is one); derived kinds move or react to contacts.
class Sphere : public Entity {
public:
    static constexpr float SPHERE_RADIUS = 8.0f;
    static constexpr int MAX_LINKS = 6;

    void update(float dt) override;
    // Draws the sprite centred on the screen position; a sphere without one is invisible.
    void draw() override;
    // contact is this sphere's own centre at the moment of contact, t the contact time.
    virtual void onCollision(Sphere& other, Vector2 contact, float t);

    float getRadius() const { return SPHERE_RADIUS; }
    void setSprite(Sprite* newSprite) { sprite = newSprite; }

    bool isRemoved() const { return removed; }
    void setRemoved(bool value) { removed = value; }
    int getKind() const { return kind; }
    // A new kind counts as a change (see getRevision): a resting sphere that
    // becomes stuck may link where it could not before.
    void setKind(int value) {
        if (kind != value) {
            kind = value;
            noteChange();
        }
    }
    int getColour() const { return colour; }
    void setColour(int value) { colour = value; }

    unsigned getChain() const { return chain; }
    // Sets the chain value and spreads the largest value over everything linked.
    void setChain(unsigned value);

    const std::array<SphereLink*, MAX_LINKS>& getLinks() const { return links; }
    // Enters the link into the first free slot; a sphere with six links does not record it.
    bool addLink(SphereLink* link);
    void removeLink(SphereLink* link);
    // Searches this sphere's own slots only.
    bool isLinkedTo(const Sphere& other) const;

private:
    Sprite* sprite = nullptr;
    bool removed = false;
    int kind = KIND_STUCK;
    int colour = 0;
    unsigned chain = 0;
    std::array<SphereLink*, MAX_LINKS> links{};
};

#endif
