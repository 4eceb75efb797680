#pragma once

#include <string>

#include "fw/text/code_page.h"

namespace fw {

// The code page of the system's multibyte texts, in which path texts arrive:
// on Windows the process's active code page, on POSIX the codeset of the
// LC_CTYPE locale (the program's entry sets it from the environment).
CodePage GetSystemCodePage();

// Path text as it goes into one of the program's messages, which are UTF-8:
// on Windows converted from the active code page, so that a message joining
// Japanese text with a path shows both whatever that code page is; on POSIX
// the bytes as given.
std::string MessageTextFromPath(const std::string& path);

} // namespace fw
