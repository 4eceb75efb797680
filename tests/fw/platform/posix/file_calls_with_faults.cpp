// The POSIX file layer's system calls, failing where a test armed a fault.
#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <unistd.h>

#include "fw/platform/posix/file_calls.h"
#include "tests/fw/file/file_faults.h"

namespace fw::posix {
namespace {

// True (with errno set) when the call is to fail.
bool Fails(file_faults::FileOp op) {
    const long error = file_faults::Take(op);
    errno = static_cast<int>(error);
    return error != 0;
}

} // namespace

int OpenCall(int dirFd, const char* path, int flags, mode_t mode) {
    return ::openat(dirFd, path, flags, mode);
}

int OpenAnonymousCall(int dirFd, mode_t mode) {
    return Fails(file_faults::FileOp::anonymousFile)
               ? -1
               : ::openat(dirFd, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC | O_NOCTTY, mode);
}

int SetBlockingCall(int fd) {
    const int flags = ::fcntl(fd, F_GETFL);
    return flags < 0 ? -1 : ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
}

int LockCall(int fd) {
    return ::flock(fd, LOCK_EX | LOCK_NB);
}

ssize_t ReadLinkCall(const char* path, char* buffer, std::size_t size) {
    return ::readlink(path, buffer, size);
}

ssize_t ReadCall(int fd, void* buffer, std::size_t count) {
    return Fails(file_faults::FileOp::read) ? -1 : ::read(fd, buffer, count);
}

ssize_t WriteCall(int fd, const void* buffer, std::size_t count) {
    return Fails(file_faults::FileOp::write) ? -1 : ::write(fd, buffer, count);
}

// A device that fails to read or write fails the kernel's copy too, with an
// error that does not say which side failed.
ssize_t CopyRangeCall(int input, int output, std::size_t count) {
    if (Fails(file_faults::FileOp::copyRange)) {
        return -1;
    }
    if (file_faults::IsArmed(file_faults::FileOp::read) ||
        file_faults::IsArmed(file_faults::FileOp::write)) {
        errno = EIO;
        return -1;
    }
    return ::copy_file_range(input, nullptr, output, nullptr, count, 0);
}

// Tests take the kernel's copy on every file system, so that its failures
// and fallbacks are exercised wherever they run.
bool CopiesFilesItselfCall(int) {
    return true;
}

int StatCall(int fd, struct stat* status) {
    return Fails(file_faults::FileOp::length) ? -1 : ::fstat(fd, status);
}

int InspectCall(int fd, struct stat* status) {
    return ::fstat(fd, status);
}

int SyncCall(int fd) {
    return Fails(file_faults::FileOp::flush) ? -1 : ::fsync(fd);
}

int SyncFolderCall(int dirFd) {
    return Fails(file_faults::FileOp::folderFlush) ? -1 : ::fsync(dirFd);
}

int TruncateCall(int fd) {
    return Fails(file_faults::FileOp::truncate) ? -1 : ::ftruncate(fd, 0);
}

int ChownCall(int fd, uid_t owner, gid_t group) {
    return Fails(file_faults::FileOp::owner) ? -1 : ::fchown(fd, owner, group);
}

int ChmodCall(int fd, mode_t mode) {
    return Fails(file_faults::FileOp::mode) ? -1 : ::fchmod(fd, mode);
}

int LinkCall(int fd, int dirFd, const char* name) {
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    return Fails(file_faults::FileOp::link)
               ? -1
               : ::linkat(AT_FDCWD, self.c_str(), dirFd, name, AT_SYMLINK_FOLLOW);
}

int RenameCall(int dirFd, const char* from, const char* to) {
    return Fails(file_faults::FileOp::rename) ? -1 : ::renameat(dirFd, from, dirFd, to);
}

int RemoveCall(int dirFd, const char* name) {
    return Fails(file_faults::FileOp::remove) ? -1 : ::unlinkat(dirFd, name, 0);
}

int CloseCall(int fd) {
    const long error = file_faults::Take(file_faults::FileOp::close);
    const int rc = ::close(fd);
    if (error == 0) {
        return rc;
    }
    errno = static_cast<int>(error);
    return -1;
}

} // namespace fw::posix
