#pragma once

#include <string>
#include <string_view>

// Conversions between the program's byte-string texts and the wide texts of
// the Unicode window functions.
namespace fw {

// Path text in the process's active code page (CP_ACP) to wide and back.
std::wstring WideFromActiveCodePage(std::string_view text);
std::string ActiveCodePageFromWide(std::wstring_view text);

// Wide text as UTF-8.
std::string Utf8FromWide(std::wstring_view text);

// A text to show to the user: the program's own messages are UTF-8, so a
// text that is valid UTF-8 is read as such; any other text is path text in
// the active code page.
std::wstring WideFromDisplayText(std::string_view text);

} // namespace fw
