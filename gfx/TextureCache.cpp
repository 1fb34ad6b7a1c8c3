#include "gfx/TextureCache.h"

#include "gfx/Texture.h"

TextureCache::~TextureCache() {
    for (auto& entry : textures) {
        delete entry.second;
    }
    textures.clear();
}

Texture* TextureCache::get(const std::string& name) {
    const auto found = textures.find(name);
    if (found != textures.end()) {
        return found->second;
    }
    auto* texture = new Texture;
    const std::string path = "data/" + name + ".tga";
    if (!texture->load(path.c_str())) {
        delete texture;
        return nullptr;
    }
    textures.emplace(name, texture);
    return texture;
}
