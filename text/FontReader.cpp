#include "text/FontReader.h"

#include <algorithm>
#include <array>
#include <map>
#include <string>
#include <string_view>

namespace {

// Descriptor lines are meant to fit a 150-character buffer.
constexpr std::size_t MAX_LINE_LENGTH = 149;
// Ids index a table as large as the largest id: keep that table small.
constexpr std::int32_t MAX_GLYPH_ID = 65535;

constexpr std::string_view COMMON_PATTERN =
    "common lineHeight=%i base=%i scaleW=%i scaleH=%i pages=%i";
constexpr std::string_view CHAR_PATTERN = "char id=%i x=%i y=%i width=%i height=%i xoffset=%i "
                                          "yoffset=%i xadvance=%i page=%i";

enum class LineStatus { Read, TooLong, End };

// Reads up to and including the next line feed. A line too long for the buffer
// is still consumed whole, so the reader always moves on and never holds more
// than one buffer's worth of a hostile file.
LineStatus readLine(std::istream& in, std::string& line) {
    line.clear();
    bool anyCharacter = false;
    bool tooLong = false;
    char c = 0;
    while (in.get(c)) {
        anyCharacter = true;
        if (c == '\n') {
            break;
        }
        if (line.size() < MAX_LINE_LENGTH) {
            line.push_back(c);
        } else {
            tooLong = true;
        }
    }
    if (!anyCharacter) {
        return LineStatus::End;
    }
    return tooLong ? LineStatus::TooLong : LineStatus::Read;
}

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

void skipSpace(std::string_view line, std::size_t& pos) {
    while (pos < line.size() && isSpace(line[pos])) {
        ++pos;
    }
}

int digitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// Reads an integer as the %i conversion does: leading white space, an optional
// sign, then hexadecimal after 0x, octal after a leading zero, decimal
// otherwise. A value that doesn't fit 32 bits is a mismatch, not a wrap.
bool readInteger(std::string_view line, std::size_t& pos, std::int32_t& value) {
    skipSpace(line, pos);
    bool negative = false;
    if (pos < line.size() && (line[pos] == '+' || line[pos] == '-')) {
        negative = line[pos] == '-';
        ++pos;
    }
    int base = 10;
    if (pos < line.size() && line[pos] == '0') {
        const bool hexPrefix =
            pos + 1 < line.size() && (line[pos + 1] == 'x' || line[pos + 1] == 'X');
        base = hexPrefix ? 16 : 8;
        pos += hexPrefix ? 2 : 0;
    }
    const std::int64_t limit = negative ? 2147483648LL : 2147483647LL;
    std::int64_t magnitude = 0;
    std::size_t digits = 0;
    for (; pos < line.size(); ++pos, ++digits) {
        const int digit = digitValue(line[pos]);
        if (digit < 0 || digit >= base) {
            break;
        }
        magnitude = magnitude * base + digit;
        if (magnitude > limit) {
            return false;
        }
    }
    if (digits == 0) {
        return false;
    }
    value = static_cast<std::int32_t>(negative ? -magnitude : magnitude);
    return true;
}

// Matches a line against a pattern of literal characters, blanks and %i
// conversions with the rules of formatted input: a run of blanks matches any
// white space (none included), anything after the last conversion is ignored.
// True only when every conversion was read; values is untouched otherwise.
template <std::size_t N>
bool scanLine(std::string_view line, std::string_view pattern,
              std::array<std::int32_t, N>& values) {
    std::array<std::int32_t, N> read{};
    std::size_t count = 0;
    std::size_t pos = 0;
    std::size_t p = 0;
    while (p < pattern.size() && count < N) {
        if (isSpace(pattern[p])) {
            while (p < pattern.size() && isSpace(pattern[p])) {
                ++p;
            }
            skipSpace(line, pos);
        } else if (pattern.compare(p, 2, "%i") == 0) {
            if (!readInteger(line, pos, read[count])) {
                return false;
            }
            ++count;
            p += 2;
        } else {
            if (pos >= line.size() || line[pos] != pattern[p]) {
                return false;
            }
            ++pos;
            ++p;
        }
    }
    if (count < N) {
        return false;
    }
    values = read;
    return true;
}

void readCommon(std::string_view line, Font& font) {
    std::array<std::int32_t, 5> values{};
    // A negative page size has no meaning; such a line counts as unreadable.
    if (!scanLine(line, COMMON_PATTERN, values) || values[2] < 0 || values[3] < 0) {
        return;
    }
    font.lineHeight = values[0];
    font.base = values[1];
    font.scaleW = static_cast<std::uint32_t>(values[2]);
    font.scaleH = static_cast<std::uint32_t>(values[3]);
    font.pages = values[4];
}

} // namespace

Font readFont(std::istream& in, std::uint32_t pageTexture) {
    Font font;
    std::string line;
    readLine(in, line); // the info line holds nothing the game uses
    if (readLine(in, line) == LineStatus::Read) {
        readCommon(line, font);
    }

    std::map<std::int32_t, Glyph> pending; // later lines replace earlier ones
    std::int32_t largestId = 0;
    for (LineStatus status = readLine(in, line); status != LineStatus::End;
         status = readLine(in, line)) {
        std::array<std::int32_t, 9> v{};
        if (status != LineStatus::Read || !scanLine(line, CHAR_PATTERN, v) || v[0] < 0 ||
            v[0] > MAX_GLYPH_ID) {
            continue;
        }
        pending[v[0]] = Glyph{v[1], v[2], v[3], v[4], v[5], v[6], v[7], pageTexture};
        largestId = std::max(largestId, v[0]);
    }

    font.glyphCount = static_cast<std::uint32_t>(largestId) + 1;
    font.glyphs.resize(font.glyphCount);
    for (const auto& [id, glyph] : pending) {
        font.glyphs[static_cast<std::size_t>(id)] = std::make_unique<Glyph>(glyph);
    }
    return font;
}
