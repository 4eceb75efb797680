// The POSIX file layer's system calls, failing where a test armed a fault.
#include <cerrno>
#include <unistd.h>

#include "fw/posix/file_calls.h"
#include "tests/fw/file_faults.h"

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

int StatCall(int fd, struct stat* status) {
    return Fails(file_faults::FileOp::length) ? -1 : ::fstat(fd, status);
}

int SyncCall(int fd) {
    return Fails(file_faults::FileOp::flush) ? -1 : ::fsync(fd);
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
