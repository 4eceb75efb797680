#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "fw/text/code_page.h"

// Operations on byte strings that step character by character, so that the
// second byte of a double-byte character is never taken for a single-byte
// character. The characters searched for are single-byte ones.
namespace fw {

// True for the single-byte white-space characters: tab, line feed, vertical
// tab, form feed, carriage return and space. A full-width space is not one.
bool IsSingleByteWhiteSpace(char c);

// The text without leading and trailing single-byte white space.
std::string_view TrimWhiteSpace(std::string_view text, CodePage codePage);

// Offset of the last character that is the single byte c, or npos.
std::size_t FindLastChar(std::string_view text, char c, CodePage codePage);

// The text without any single-byte character that occurs in chars.
std::string RemoveChars(std::string_view text, std::string_view chars, CodePage codePage);

} // namespace fw
