#ifndef ORBICASCADE_TOOLS_PNGWRITER_H
#define ORBICASCADE_TOOLS_PNGWRITER_H

#include "tools/tga/TgaWriter.h"

#include <string>

// Writes an 8-bit RGBA PNG through libpng. The same image gives the same bytes
// every time. Returns false, leaving no file behind, when the file cannot be
// written.
bool writePng(const std::string& path, const RgbaImage& image);

#endif
