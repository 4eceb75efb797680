#pragma once

#include <cstdint>
#include <string>

namespace fw {

// The size in bytes of the regular file path names, or 0 where there is
// none or it cannot be inspected.
std::uint64_t RegularFileSize(const std::string& path);

// True where both paths name existing files and they are the same file
// (POSIX: device and inode, following symbolic links; Windows: volume serial
// and file index), so links and differently spelt paths are caught. False
// where either does not exist or cannot be inspected.
bool IsSameExistingFile(const std::string& a, const std::string& b);

} // namespace fw
