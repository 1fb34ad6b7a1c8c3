#ifndef ORBICASCADE_TEXT_STRINGMANAGER_H
#define ORBICASCADE_TEXT_STRINGMANAGER_H

#include "text/Font.h"
#include "text/StringObject.h"
#include "text/StringRenderer.h"

#include <map>
#include <memory>
#include <string>

class TextureCache;

// Owns the fonts, every string object and its renderer, and drives their update
// and drawing once a frame.
class StringManager {
public:
    explicit StringManager(TextureCache* textureCache);
    ~StringManager();
    StringManager(const StringManager&) = delete;
    StringManager& operator=(const StringManager&) = delete;

    // Reads data/<name>.fnt with the page texture <name>_00 from the cache and
    // files the font under name, freeing any font filed there before. A missing
    // descriptor writes "Failed to open font file : <name>" on stderr.
    void loadFont(const std::string& name);
    // The loaded font of that name, or null; never adds an entry.
    const Font* findFont(const std::string& name) const;

    StringObject* createString();
    // Frees a string made here and its renderer; anything else is left alone.
    void destroyString(StringObject* stringObject);

    // Hands every renderer the font its string names now, then updates it.
    void update(float seconds);
    void draw();

private:
    struct Entry {
        std::unique_ptr<StringObject> object;
        std::unique_ptr<StringRenderer> renderer; // declared last: freed before its object
    };

    std::map<std::string, std::unique_ptr<Font>> fonts;
    std::map<const StringObject*, Entry> strings; // drawn in order of address
    TextureCache* textureCache;
};

#endif
