#include "tools/sdl-stack/SdlStack.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

namespace {

const char* const SDL12 = "libSDL-1.2.so";
const char* const SDL2 = "libSDL2-2.0.so";
const char* const SDL3 = "libSDL3.so";

std::string fileName(const std::string& path) {
    return path.substr(path.rfind('/') + 1);
}

bool startsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

} // namespace

std::string sdlStackName(const std::vector<std::string>& libraries) {
    const auto loaded = [&](const char* prefix) {
        return std::any_of(libraries.begin(), libraries.end(), [&](const std::string& path) {
            return startsWith(fileName(path), prefix);
        });
    };
    if (!loaded(SDL12)) {
        return "";
    }
    return loaded(SDL3) ? "sdl1.2-on-sdl3" : loaded(SDL2) ? "sdl1.2-on-sdl2" : "sdl1.2-classic";
}

std::vector<std::string> sdlLibraries(const std::string& listing) {
    std::set<std::string> found;
    std::istringstream words(listing);
    for (std::string word; words >> word;) {
        const std::string name = fileName(word);
        if (word[0] == '/' &&
            (startsWith(name, SDL12) || startsWith(name, SDL2) || startsWith(name, SDL3))) {
            std::error_code unresolved;
            const auto file = std::filesystem::canonical(word, unresolved);
            found.insert(unresolved ? word : file.string());
        }
    }
    return {found.begin(), found.end()};
}

std::vector<std::string> sdlLibrariesOf(const std::string& process) {
    std::ostringstream maps;
    maps << std::ifstream("/proc/" + process + "/maps").rdbuf();
    return sdlLibraries(maps.str());
}
