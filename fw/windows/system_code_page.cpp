#include "fw/text/system_code_page.h"

#include <windows.h>

namespace fw {

CodePage GetSystemCodePage() {
    return CodePageFromWindowsCodePage(GetACP());
}

} // namespace fw
