// Feeds arbitrary bytes to the font reader as a descriptor, checks the table it
// builds, and draws a string through the result so that every lookup and sum
// the renderer makes on hostile values is exercised too.

#include "tests/support/GlRecorder.h"
#include "text/FontReader.h"
#include "text/StringObject.h"
#include "text/StringRendererSimple.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

namespace {

// Codes around the edges of a table: control bytes, printable ASCII, DEL and
// bytes above 127.
const std::string SAMPLE_TEXT = std::string("\x01\n !09AZaz~\x7f\x80\xff") + '\0';

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream descriptor(std::string(reinterpret_cast<const char*>(data), size));
    const Font font = readFont(descriptor, 7);
    if (font.glyphCount == 0 || font.glyphCount > 65536 || font.glyphs.size() != font.glyphCount) {
        std::abort();
    }

    StringObject line;
    line.text = SAMPLE_TEXT;
    line.colour = 0xff0000f0;
    line.x = 20.0f;
    line.y = 15.0f;
    line.visible = true;
    StringRendererSimple renderer(&line);
    renderer.setFont(&font);
    renderer.draw();
    GlRecorder::reset();
    return 0;
}
