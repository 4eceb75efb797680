// The POSIX file layer's system calls, failing where a test armed a fault.
#include <cerrno>
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

int SyncCall(int fd) {
    return Fails(file_faults::FileOp::flush) ? -1 : ::fsync(fd);
}

int TruncateCall(int fd) {
    return Fails(file_faults::FileOp::truncate) ? -1 : ::ftruncate(fd, 0);
}

int RemoveCall(const char* path) {
    return Fails(file_faults::FileOp::remove) ? -1 : ::unlink(path);
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
