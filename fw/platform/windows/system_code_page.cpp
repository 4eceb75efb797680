#include "fw/platform/system_code_page.h"

#include <windows.h>

#include "fw/platform/windows/wide_text.h"

namespace fw {

CodePage GetSystemCodePage() {
    return CodePageFromWindowsCodePage(GetACP());
}

std::string MessageTextFromPath(const std::string& path) {
    return Utf8FromWide(WideFromActiveCodePage(path));
}

} // namespace fw
