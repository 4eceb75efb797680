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
