#pragma once

#include <string>
#include <string_view>

namespace fw {

// A name whose characters anyone may have chosen (a file's), made safe to
// show as one line of UTF-8 text: line breaks and every other control
// character, and the characters that change the direction of the text
// around them (embeddings, overrides, isolates and marks), each become
// U+FFFD, as does every byte that is not part of well-formed UTF-8. What is
// left can neither break the line nor reorder the characters of the name
// or of anything beside it.
std::string OneLineName(std::string_view utf8);

} // namespace fw
