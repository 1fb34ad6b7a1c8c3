#ifndef ORBICASCADE_TEXT_FONTREADER_H
#define ORBICASCADE_TEXT_FONTREADER_H

#include "text/Font.h"

#include <cstdint>
#include <istream>

// Reads a font descriptor in the BMFont text format: line 1 is dropped, line 2
// gives the common values, and every later line that is a whole char line
// defines a glyph drawn from pageTexture. Never fails: whatever cannot be read
// is left out (a common line that doesn't match leaves the five values 0).
// Lines of 150 characters or more and char lines whose id lies outside 0 to
// 65535 are skipped.
Font readFont(std::istream& in, std::uint32_t pageTexture);

#endif
