#include "fw/posix/file_calls.h"

#include <cerrno>
#include <unistd.h>

namespace fw::posix {

ssize_t ReadCall(int fd, void* buffer, std::size_t count) {
    return ::read(fd, buffer, count);
}

ssize_t WriteCall(int fd, const void* buffer, std::size_t count) {
    return ::write(fd, buffer, count);
}

ssize_t CopyRangeCall(int input, int output, std::size_t count) {
#ifdef __linux__
    return ::copy_file_range(input, nullptr, output, nullptr, count, 0);
#else
    errno = ENOSYS;
    return -1;
#endif
}

int StatCall(int fd, struct stat* status) {
    return ::fstat(fd, status);
}

int SyncCall(int fd) {
    return ::fsync(fd);
}

int CloseCall(int fd) {
    return ::close(fd);
}

} // namespace fw::posix
