#include "fw/platform/file_system.h"

#include <sys/stat.h>

namespace fw {

std::uint64_t RegularFileSize(const std::string& path) {
    struct stat st{};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        return 0;
    }
    return static_cast<std::uint64_t>(st.st_size);
}

} // namespace fw
