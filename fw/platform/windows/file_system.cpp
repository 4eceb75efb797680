// Paths are byte strings in the process's active code page and go to the
// ANSI entry points unchanged.
#include "fw/file/file_system.h"

#include <windows.h>

#include "fw/platform/windows/file_calls.h"

namespace fw {

namespace {

bool IsRegularFile(const WIN32_FILE_ATTRIBUTE_DATA& data) {
    return (data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) == 0;
}

} // namespace

std::uint64_t RegularFileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) || !IsRegularFile(data)) {
        return 0;
    }
    return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool RemoveRegularFile(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    // Device names (NUL, CON...) have no attributes of a file.
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) || !IsRegularFile(data)) {
        return true;
    }
    return windows::RemoveCall(path.c_str()) != 0;
}

} // namespace fw
