#pragma once

#include <windows.h>

// The system calls CFile makes, one function each. The program gets the
// system's own (file_calls.cpp); a test program can link definitions of its
// own in their place, to make a call fail as a failing device would
// (tests/fw/file/file_faults.h).
namespace fw::windows {

// CreateFileW without security attributes or template.
HANDLE OpenCall(const wchar_t* path, DWORD access, DWORD share, DWORD disposition,
                DWORD attributes);
// GetFileType: FILE_TYPE_UNKNOWN, with the last error set, where it fails.
DWORD TypeCall(HANDLE file);
BOOL InfoCall(HANDLE file, BY_HANDLE_FILE_INFORMATION* info);
// GetFinalPathNameByHandleW ("\\?\" form): the length, 0 where it fails.
DWORD FinalPathCall(HANDLE file, wchar_t* path, DWORD size);
// SetFileInformationByHandle: the delete mark (FileDispositionInfo), the
// attributes (FileBasicInfo) and the rename (FileRenameInfo) of a created
// output.
BOOL SetInfoCall(HANDLE file, FILE_INFO_BY_HANDLE_CLASS infoClass, void* info, DWORD size);
// The parts what names of the file's security descriptor: read into
// descriptor (size bytes; needed tells how many it takes), and set.
BOOL GetSecurityCall(HANDLE file, SECURITY_INFORMATION what, PSECURITY_DESCRIPTOR descriptor,
                     DWORD size, DWORD* needed);
BOOL SetSecurityCall(HANDLE file, SECURITY_INFORMATION what, PSECURITY_DESCRIPTOR descriptor);
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
