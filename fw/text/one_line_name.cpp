#include "fw/text/one_line_name.h"

#include <cstddef>
#include <cstdint>

#include "fw/text/code_page.h"

namespace fw {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD"; // U+FFFD

// The code point of a well-formed UTF-8 sequence.
std::uint32_t CodePointOf(std::string_view sequence) {
    const auto byte = [&](std::size_t i) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(sequence[i]));
    };
    switch (sequence.size()) {
    case 1:
        return byte(0);
    case 2:
        return ((byte(0) & 0x1F) << 6) | (byte(1) & 0x3F);
    case 3:
        return ((byte(0) & 0x0F) << 12) | ((byte(1) & 0x3F) << 6) | (byte(2) & 0x3F);
    default:
        return ((byte(0) & 0x07) << 18) | ((byte(1) & 0x3F) << 12) | ((byte(2) & 0x3F) << 6) |
               (byte(3) & 0x3F);
    }
}

bool IsHarmful(std::uint32_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F)         // C0, DEL and C1 controls
           || c == 0x2028 || c == 0x2029                // line and paragraph separators
           || c == 0x061C || c == 0x200E || c == 0x200F // direction marks
           || (c >= 0x202A && c <= 0x202E)              // embeddings and overrides
           || (c >= 0x2066 && c <= 0x2069);             // isolates
}

} // namespace

std::string OneLineName(std::string_view utf8) {
    std::string line;
    line.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const std::size_t length = CharLength(CodePage::Utf8, utf8, pos);
        const std::string_view character = utf8.substr(pos, length);
        const bool wellFormed = length > 1 || static_cast<unsigned char>(utf8[pos]) < 0x80;
        line += wellFormed && !IsHarmful(CodePointOf(character)) ? character : kReplacement;
        pos += length;
    }
    return line;
}

} // namespace fw
