#include "fw/posix/file_calls.h"

#include <unistd.h>

namespace fw::posix {

ssize_t ReadCall(int fd, void* buffer, std::size_t count) {
    return ::read(fd, buffer, count);
}

ssize_t WriteCall(int fd, const void* buffer, std::size_t count) {
    return ::write(fd, buffer, count);
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

int RemoveCall(const char* path) {
    return ::unlink(path);
}

} // namespace fw::posix
