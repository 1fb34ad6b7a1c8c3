#include "text/StringManager.h"

#include "gfx/RegularFile.h"
#include "gfx/Texture.h"
#include "gfx/TextureCache.h"
#include "text/FontReader.h"
#include "text/StringRendererSimple.h"

#include <iostream>

StringManager::StringManager(TextureCache* cache) : textureCache(cache) {}

StringManager::~StringManager() = default;

void StringManager::loadFont(const std::string& name) {
    // The page is asked for first, so it is cached even when the descriptor is missing.
    const Texture* page = textureCache->get(name + "_00");
    const RegularFile file("data/" + name + ".fnt");
    if (!file.isOpen()) {
        std::cerr << "Failed to open font file : " << name << std::endl;
        return;
    }
    RegularFileBuffer buffer(file);
    std::istream descriptor(&buffer);
    // Without its page the glyphs get texture name 0: they still place and
    // advance like the others.
    const std::uint32_t pageTexture = page != nullptr ? page->getId() : 0;
    fonts[name] = std::make_unique<Font>(readFont(descriptor, pageTexture));
}

const Font* StringManager::findFont(const std::string& name) const {
    const auto found = fonts.find(name);
    return found != fonts.end() ? found->second.get() : nullptr;
}

StringObject* StringManager::createString() {
    auto object = std::make_unique<StringObject>();
    StringObject* created = object.get();
    auto renderer = std::make_unique<StringRendererSimple>(created);
    strings.emplace(created, Entry{std::move(object), std::move(renderer)});
    return created;
}

void StringManager::destroyString(StringObject* stringObject) {
    strings.erase(stringObject);
}

void StringManager::update(float seconds) {
    for (auto& [object, entry] : strings) {
        entry.renderer->setFont(findFont(object->fontName));
        entry.renderer->update(seconds);
    }
}

void StringManager::draw() {
    for (auto& entry : strings) {
        entry.second.renderer->draw();
    }
}
