#include "gfx/SpriteLibrary.h"

#include "gfx/Sprite.h"
#include "gfx/SpriteDefinition.h"
#include "gfx/Texture.h"
#include "gfx/TextureCache.h"

SpriteLibrary::SpriteLibrary(TextureCache* cache) : textureCache(cache) {}

void SpriteLibrary::add(unsigned index, const SpriteDefinition& definition) {
    // Asked first, so the image is cached even when no sprite comes of it.
    const Texture* texture = textureCache->get(definition.getTextureName());

    sprites.erase(index);
    if (definition.getFrames().size() != 1) {
        return;
    }

    auto sprite = std::make_unique<Sprite>();
    sprite->setSize(definition.getSize());
    if (texture != nullptr) {
        const SpriteFrame& frame = definition.getFrames().front();
        sprite->setTexture(texture->getId(), frame.left, frame.top, frame.right, frame.bottom);
    }
    sprites.emplace(index, std::move(sprite));
}

Sprite* SpriteLibrary::get(unsigned index) const {
    const auto found = sprites.find(index);
    return found == sprites.end() ? nullptr : found->second.get();
}
