#pragma once

#include <windows.h>

// The system calls CFile makes on a file it holds, one function each. The
// program gets the system's own (file_calls.cpp); a test program can link
// definitions of its own in their place, to make a call fail as a failing
// device would (tests/fw/file/file_faults.h).
namespace fw::windows {

BOOL ReadCall(HANDLE file, void* buffer, DWORD count, DWORD* read);
BOOL WriteCall(HANDLE file, const void* buffer, DWORD count, DWORD* written);
BOOL SizeCall(HANDLE file, LARGE_INTEGER* size);
BOOL FlushCall(HANDLE file);
// Releases file whatever it returns.
BOOL CloseCall(HANDLE file);
// Empties the file (CFile::Discard).
BOOL TruncateCall(HANDLE file);
// Removes the name path (CFile::Discard).
BOOL RemoveCall(const wchar_t* path);

} // namespace fw::windows
