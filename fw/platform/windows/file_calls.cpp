#include "fw/platform/windows/file_calls.h"

namespace fw::windows {

BOOL ReadCall(HANDLE file, void* buffer, DWORD count, DWORD* read) {
    return ReadFile(file, buffer, count, read, nullptr);
}

BOOL WriteCall(HANDLE file, const void* buffer, DWORD count, DWORD* written) {
    return WriteFile(file, buffer, count, written, nullptr);
}

BOOL SizeCall(HANDLE file, LARGE_INTEGER* size) {
    return GetFileSizeEx(file, size);
}

BOOL FlushCall(HANDLE file) {
    return FlushFileBuffers(file);
}

BOOL CloseCall(HANDLE file) {
    return CloseHandle(file);
}

BOOL TruncateCall(HANDLE file) {
    return SetFilePointerEx(file, LARGE_INTEGER{}, nullptr, FILE_BEGIN) && SetEndOfFile(file);
}

BOOL RemoveCall(const wchar_t* path) {
    return DeleteFileW(path);
}

} // namespace fw::windows
