#pragma once

#include "fw/text/code_page.h"

namespace fw {

// The code page of the system's multibyte texts, in which path texts arrive:
// on Windows the process's active code page, on POSIX the codeset of the
// LC_CTYPE locale (the program's entry sets it from the environment).
CodePage GetSystemCodePage();

} // namespace fw
