#include "fw/platform/system_code_page.h"

#include <langinfo.h>

namespace fw {

CodePage GetSystemCodePage() {
    const char* codeset = nl_langinfo(CODESET);
    return CodePageFromCodesetName(codeset != nullptr ? codeset : "");
}

std::string MessageTextFromPath(const std::string& path) {
    return path;
}

} // namespace fw
