#ifndef ORBICASCADE_GFX_TEXTURECACHE_H
#define ORBICASCADE_GFX_TEXTURECACHE_H

#include "gfx/Texture.h"

#include <map>
#include <memory>
#include <string>

// Loads each texture once, from "data/" + name + ".tga" relative to the working
// directory, and owns it until the cache is destroyed.
class TextureCache {
public:
    TextureCache() = default;

    TextureCache(const TextureCache&) = delete;
    TextureCache& operator=(const TextureCache&) = delete;

    // The texture for name (case matters), or null when its file cannot be
    // loaded. Failures are not remembered, so a later call tries the file again.
    Texture* get(const std::string& name);

private:
    std::map<std::string, std::unique_ptr<Texture>> textures;
};

#endif
