#include "gfx/TextureCache.h"

#include "gfx/Texture.h"

Texture* TextureCache::get(const std::string& name) {
    const auto found = textures.find(name);
    if (found != textures.end()) {
        return found->second.get();
    }
    auto texture = std::make_unique<Texture>();
    const std::string path = "data/" + name + ".tga";
    if (!texture->load(path.c_str())) {
        return nullptr;
    }
    return textures.emplace(name, std::move(texture)).first->second.get();
}
