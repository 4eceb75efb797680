#include "fw/platform/windows/file_calls.h"

namespace fw::windows {

HANDLE OpenCall(const wchar_t* path, DWORD access, DWORD share, DWORD disposition,
                DWORD attributes) {
    return CreateFileW(path, access, share, nullptr, disposition, attributes, nullptr);
}

DWORD TypeCall(HANDLE file) {
    return GetFileType(file);
}

BOOL InfoCall(HANDLE file, BY_HANDLE_FILE_INFORMATION* info) {
    return GetFileInformationByHandle(file, info);
}

DWORD FinalPathCall(HANDLE file, wchar_t* path, DWORD size) {
    return GetFinalPathNameByHandleW(file, path, size, 0);
}

BOOL SetInfoCall(HANDLE file, FILE_INFO_BY_HANDLE_CLASS infoClass, void* info, DWORD size) {
    return SetFileInformationByHandle(file, infoClass, info, size);
}

BOOL GetSecurityCall(HANDLE file, SECURITY_INFORMATION what, PSECURITY_DESCRIPTOR descriptor,
                     DWORD size, DWORD* needed) {
    return GetKernelObjectSecurity(file, what, descriptor, size, needed);
}

BOOL SetSecurityCall(HANDLE file, SECURITY_INFORMATION what, PSECURITY_DESCRIPTOR descriptor) {
    return SetKernelObjectSecurity(file, what, descriptor);
}

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
