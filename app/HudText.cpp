#include "app/HudText.h"

#include <iomanip>
#include <sstream>

std::string formatScore(std::uint32_t score) {
    std::ostringstream text;
    text << std::setw(5) << std::setfill('0') << std::right << score;
    return text.str();
}

std::string formatSphereCount(std::size_t sphereCount, std::size_t limit) {
    const std::size_t room = sphereCount >= limit ? 0 : limit - sphereCount;
    std::ostringstream text;
    text << std::setw(3) << std::setfill(' ') << std::right << room;
    return text.str();
}
