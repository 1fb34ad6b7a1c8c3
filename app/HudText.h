#ifndef ORBICASCADE_APP_HUDTEXT_H
#define ORBICASCADE_APP_HUDTEXT_H

#include <cstddef>
#include <cstdint>
#include <string>

// The heads-up display's number formats.

// The score, zero-padded to five digits; larger scores are written in full.
std::string formatScore(std::uint32_t score);

// The room left before the world holds `limit` spheres, space-padded to three
// characters; a world at or over the limit shows 0 rather than wrapping.
std::string formatSphereCount(std::size_t sphereCount, std::size_t limit);

#endif
