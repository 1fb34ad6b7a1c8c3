// Reads bytes as a descriptor and draws through the font, so hostile values reach every sum.

#include "tests/support/GlRecorder.h"
#include "text/FontReader.h"
#include "text/StringObject.h"
#include "text/StringRendererSimple.h"

#include <cstdlib>
#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream descriptor(std::string(reinterpret_cast<const char*>(data), size));
    const Font font = readFont(descriptor, 7);
    if (font.glyphCount == 0 || font.glyphCount > 65536 || font.glyphs.size() != font.glyphCount)
        std::abort();
    StringObject line; // control bytes, printable ASCII, DEL, bytes above 127
    line.text = std::string("\x01\n !09AZaz~\x7f\x80\xff") + '\0';
    line.visible = true;
    StringRendererSimple renderer(&line);
    renderer.setFont(&font);
    renderer.draw();
    GlRecorder::reset();
    return 0;
}
