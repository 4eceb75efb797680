// Paths are byte strings in the process's active code page; they reach the
// wide entry points, which take paths longer than MAX_PATH and "\\?\" ones.
#include "fw/platform/file_system.h"

#include <windows.h>

#include "fw/platform/windows/wide_text.h"

namespace fw {

std::uint64_t RegularFileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(WideFromActiveCodePage(path).c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) != 0) {
        return 0;
    }
    return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

} // namespace fw
