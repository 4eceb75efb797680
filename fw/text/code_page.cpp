#include "fw/text/code_page.h"

#include <string>

namespace fw {
namespace {

unsigned char ByteAt(std::string_view text, std::size_t pos) {
    return static_cast<unsigned char>(text[pos]);
}

bool IsCp932LeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

bool InRange(unsigned char b, unsigned char low, unsigned char high) {
    return b >= low && b <= high;
}

// Length of the well-formed UTF-8 sequence at pos, or 1 where there is none.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t pos) {
    const unsigned char lead = ByteAt(text, pos);
    std::size_t length = 0;
    // Allowed range of the second byte; it is narrower than 0x80-0xBF after
    // some leads to rule out overlong forms, surrogates and values past
    // U+10FFFF.
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (InRange(lead, 0xC2, 0xDF)) {
        length = 2;
    } else if (InRange(lead, 0xE0, 0xEF)) {
        length = 3;
        if (lead == 0xE0) {
            low = 0xA0;
        } else if (lead == 0xED) {
            high = 0x9F;
        }
    } else if (InRange(lead, 0xF0, 0xF4)) {
        length = 4;
        if (lead == 0xF0) {
            low = 0x90;
        } else if (lead == 0xF4) {
            high = 0x8F;
        }
    } else {
        return 1;
    }
    if (text.size() - pos < length || !InRange(ByteAt(text, pos + 1), low, high)) {
        return 1;
    }
    for (std::size_t i = 2; i < length; ++i) {
        if (!InRange(ByteAt(text, pos + i), 0x80, 0xBF)) {
            return 1;
        }
    }
    return length;
}

} // namespace

std::size_t CharLength(CodePage codePage, std::string_view text, std::size_t pos) {
    switch (codePage) {
    case CodePage::Cp932:
        if (IsCp932LeadByte(ByteAt(text, pos)) && pos + 1 < text.size() && text[pos + 1] != '\0') {
            return 2;
        }
        return 1;
    case CodePage::Utf8:
        return Utf8SequenceLength(text, pos);
    case CodePage::SingleByte:
        break;
    }
    return 1;
}

CodePage CodePageFromCodesetName(std::string_view codeset) {
    std::string key;
    for (char c : codeset) {
        if (c == '-' || c == '_') {
            continue;
        }
        key += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    }
    if (key == "UTF8") {
        return CodePage::Utf8;
    }
    if (key == "SHIFTJIS" || key == "SJIS" || key == "CP932" || key == "WINDOWS31J" ||
        key == "MSKANJI" || key == "IBM943") {
        return CodePage::Cp932;
    }
    return CodePage::SingleByte;
}

CodePage CodePageFromWindowsCodePage(unsigned codePageNumber) {
    switch (codePageNumber) {
    case 65001:
        return CodePage::Utf8;
    case 932:
        return CodePage::Cp932;
    default:
        return CodePage::SingleByte;
    }
}

} // namespace fw
