#pragma once

#include <cstddef>
#include <string_view>

namespace fw {

// How the bytes of a text group into characters.
enum class CodePage {
    SingleByte, // every byte is one character
    Cp932,      // Japanese Shift-JIS (Windows code page 932)
    Utf8,
};

// Number of bytes of the character that begins at text[pos] (pos < size).
// Always at least 1 and never past the end of the text, so a multibyte
// sequence cut short at the end steps one byte at a time.
//
// Cp932: a lead byte (0x81-0x9F, 0xE0-0xFC) takes the byte after it as its
// second byte, whatever that byte is, unless it is a zero byte or the text
// ends. This is how the platform steps through such text, and it keeps
// removing single-byte characters from pairing bytes that were apart.
// Utf8: a well-formed sequence is one character; any other byte stands alone,
// so a byte below 0x80 is always a character of its own.
std::size_t CharLength(CodePage codePage, std::string_view text, std::size_t pos);

// The code page that a locale's codeset name (nl_langinfo(CODESET)) stands
// for. Names are compared without regard to case, '-' and '_'; codesets that
// are neither UTF-8 nor Shift-JIS count as single-byte.
CodePage CodePageFromCodesetName(std::string_view codeset);

// The code page that a Windows code page number (GetACP) stands for: 65001 is
// UTF-8, 932 is Shift-JIS, every other one counts as single-byte.
CodePage CodePageFromWindowsCodePage(unsigned codePageNumber);

} // namespace fw
