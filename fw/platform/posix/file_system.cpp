#include "fw/file/file_system.h"

#include <sys/stat.h>

#include "fw/platform/posix/file_calls.h"

namespace fw {

std::uint64_t RegularFileSize(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        return 0;
    }
    return static_cast<std::uint64_t>(st.st_size);
}

bool RemoveRegularFile(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        return true;
    }
    return posix::RemoveCall(path.c_str()) == 0;
}

} // namespace fw
