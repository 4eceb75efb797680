#pragma once

#include <cstddef>
#include <sys/stat.h>
#include <sys/types.h>

// The system calls CFile makes on a file it holds, one function each. The
// program gets the system's own (file_calls.cpp); a test program can link
// definitions of its own in their place, to make a call fail as a failing
// device would (tests/fw/file/file_faults.h).
namespace fw::posix {

ssize_t ReadCall(int fd, void* buffer, std::size_t count);
ssize_t WriteCall(int fd, const void* buffer, std::size_t count);
// The kernel's copy of up to count bytes from input to output, each at its
// position (copy_file_range; fails with ENOSYS where there is none).
ssize_t CopyRangeCall(int input, int output, std::size_t count);
// True where the file system of fd copies between its files by itself, by
// sharing their blocks or on the server, so that the kernel's copy is worth
// asking for.
bool CopiesFilesItselfCall(int fd);
// The length query.
int StatCall(int fd, struct stat* status);
int SyncCall(int fd);
// Empties the file (CFile::Discard).
int TruncateCall(int fd);
// Releases fd whatever it returns.
int CloseCall(int fd);
// Removes the name path (CFile::Discard).
int RemoveCall(const char* path);

} // namespace fw::posix
