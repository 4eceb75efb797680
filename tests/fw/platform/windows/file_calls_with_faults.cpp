// The Windows file layer's system calls, failing where a test armed a fault.
#include "fw/platform/windows/file_calls.h"
#include "tests/fw/file/file_faults.h"

namespace fw::windows {
namespace {

// True (with the thread's last error set) when the call is to fail.
bool Fails(file_faults::FileOp op) {
    const long error = file_faults::Take(op);
    if (error != 0) {
        SetLastError(static_cast<DWORD>(error));
    }
    return error != 0;
}

} // namespace

HANDLE OpenCall(const wchar_t* path, DWORD access, DWORD share, DWORD disposition,
                DWORD attributes) {
    return Fails(file_faults::FileOp::open)
               ? INVALID_HANDLE_VALUE
               : CreateFileW(path, access, share, nullptr, disposition, attributes, nullptr);
}

DWORD TypeCall(HANDLE file) {
    return Fails(file_faults::FileOp::type) ? FILE_TYPE_UNKNOWN : GetFileType(file);
}

BOOL InfoCall(HANDLE file, BY_HANDLE_FILE_INFORMATION* info) {
    return !Fails(file_faults::FileOp::stat) && GetFileInformationByHandle(file, info);
}

DWORD FinalPathCall(HANDLE file, wchar_t* path, DWORD size) {
    return Fails(file_faults::FileOp::finalPath) ? 0
                                                 : GetFinalPathNameByHandleW(file, path, size, 0);
}

BOOL SetInfoCall(HANDLE file, FILE_INFO_BY_HANDLE_CLASS infoClass, void* info, DWORD size) {
    const file_faults::FileOp op = infoClass == FileDispositionInfo
                                       ? file_faults::FileOp::disposition
                                   : infoClass == FileRenameInfo ? file_faults::FileOp::rename
                                                                 : file_faults::FileOp::attributes;
    return !Fails(op) && SetFileInformationByHandle(file, infoClass, info, size);
}

BOOL GetSecurityCall(HANDLE file, SECURITY_INFORMATION what, PSECURITY_DESCRIPTOR descriptor,
                     DWORD size, DWORD* needed) {
    return !Fails(file_faults::FileOp::stat) &&
           GetKernelObjectSecurity(file, what, descriptor, size, needed);
}

BOOL SetSecurityCall(HANDLE file, SECURITY_INFORMATION what, PSECURITY_DESCRIPTOR descriptor) {
    return !Fails(file_faults::FileOp::permissions) &&
           SetKernelObjectSecurity(file, what, descriptor);
}

BOOL ReadCall(HANDLE file, void* buffer, DWORD count, DWORD* read) {
    return !Fails(file_faults::FileOp::read) && ReadFile(file, buffer, count, read, nullptr);
}

BOOL WriteCall(HANDLE file, const void* buffer, DWORD count, DWORD* written) {
    return !Fails(file_faults::FileOp::write) && WriteFile(file, buffer, count, written, nullptr);
}

BOOL SizeCall(HANDLE file, LARGE_INTEGER* size) {
    return !Fails(file_faults::FileOp::length) && GetFileSizeEx(file, size);
}

BOOL FlushCall(HANDLE file) {
    return !Fails(file_faults::FileOp::flush) && FlushFileBuffers(file);
}

BOOL TruncateCall(HANDLE file) {
    return !Fails(file_faults::FileOp::truncate) &&
           SetFilePointerEx(file, LARGE_INTEGER{}, nullptr, FILE_BEGIN) && SetEndOfFile(file);
}

BOOL RemoveCall(const wchar_t* path) {
    return !Fails(file_faults::FileOp::remove) && DeleteFileW(path);
}

BOOL CloseCall(HANDLE file) {
    const long error = file_faults::Take(file_faults::FileOp::close);
    const BOOL closed = CloseHandle(file);
    if (error == 0) {
        return closed;
    }
    SetLastError(static_cast<DWORD>(error));
    return FALSE;
}

} // namespace fw::windows
