#include "fw/text/char_wise.h"

namespace fw {

bool IsSingleByteWhiteSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

std::string_view TrimWhiteSpace(std::string_view text, CodePage codePage) {
    // Characters can only be found by stepping forward from the start, so
    // one pass finds both the first and the end of the last non-blank one.
    std::size_t first = text.size();
    std::size_t end = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t length = CharLength(codePage, text, pos);
        if (length > 1 || !IsSingleByteWhiteSpace(text[pos])) {
            if (first == text.size()) {
                first = pos;
            }
            end = pos + length;
        }
        pos += length;
    }
    if (first == text.size()) {
        return text.substr(0, 0);
    }
    return text.substr(first, end - first);
}

std::size_t FindLastChar(std::string_view text, char c, CodePage codePage) {
    std::size_t found = std::string_view::npos;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t length = CharLength(codePage, text, pos);
        if (length == 1 && text[pos] == c) {
            found = pos;
        }
        pos += length;
    }
    return found;
}

std::string RemoveChars(std::string_view text, std::string_view chars, CodePage codePage) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t length = CharLength(codePage, text, pos);
        if (length > 1 || chars.find(text[pos]) == std::string_view::npos) {
            result.append(text.substr(pos, length));
        }
        pos += length;
    }
    return result;
}

} // namespace fw
