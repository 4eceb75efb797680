#pragma once

#include <cstddef>
#include <sys/stat.h>
#include <sys/types.h>

// The system calls CFile makes, one function each. The program gets the
// system's own (file_calls.cpp); a test program can link definitions of its
// own in their place, to make a call fail as a failing device would
// (tests/fw/file/file_faults.h). Paths are relative to the folder dirFd
// (AT_FDCWD: the working folder).
namespace fw::posix {

int OpenCall(int dirFd, const char* path, int flags, mode_t mode);
// A file without a name in the folder dirFd, open for writing (O_TMPFILE;
// fails with EOPNOTSUPP where the file system or the system has none).
int OpenAnonymousCall(int dirFd, mode_t mode);
// Clears O_NONBLOCK.
int SetBlockingCall(int fd);
// An exclusive, non-blocking flock.
int LockCall(int fd);
// The target of the symbolic link path, not terminated (readlink).
ssize_t ReadLinkCall(const char* path, char* buffer, std::size_t size);
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
// What the file fd is: its type, owner and permission bits (fstat).
int InspectCall(int fd, struct stat* status);
int SyncCall(int fd);
// Flushes the folder dirFd's entries.
int SyncFolderCall(int dirFd);
// Empties the file.
int TruncateCall(int fd);
int ChownCall(int fd, uid_t owner, gid_t group);
int ChmodCall(int fd, mode_t mode);
// Gives the file fd, which may have no name, the name `name` in dirFd
// (linkat through /proc/self/fd).
int LinkCall(int fd, int dirFd, const char* name);
// Renames from to to, both in dirFd, replacing to in one step.
int RenameCall(int dirFd, const char* from, const char* to);
// Removes the name `name` from dirFd.
int RemoveCall(int dirFd, const char* name);
// Releases fd whatever it returns.
int CloseCall(int fd);

} // namespace fw::posix
