#ifndef ORBICASCADE_GFX_SPRITELIBRARY_H
#define ORBICASCADE_GFX_SPRITELIBRARY_H

#include "gfx/Sprite.h"

#include <map>
#include <memory>

class SpriteDefinition;
class TextureCache;

// Builds sprites from definitions, textures fetched through the cache, and owns
// them under small index numbers.
class SpriteLibrary {
public:
    // The cache is borrowed and must outlive every call of add.
    explicit SpriteLibrary(TextureCache* cache);
    SpriteLibrary(const SpriteLibrary&) = delete;
    SpriteLibrary& operator=(const SpriteLibrary&) = delete;

    // Replaces whatever index held. Only a definition with exactly one frame
    // makes a sprite; any other leaves index empty. A texture that cannot be
    // loaded gives a sprite with texture 0 and an empty rectangle.
    void add(unsigned index, const SpriteDefinition& definition);

    // The sprite under index, or null. The library keeps ownership.
    Sprite* get(unsigned index) const;

private:
    TextureCache* textureCache;
    std::map<unsigned, std::unique_ptr<Sprite>> sprites;
};

#endif
