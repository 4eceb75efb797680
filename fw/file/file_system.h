#pragma once

#include <cstdint>
#include <string>

namespace fw {

// The size in bytes of the regular file path names, or 0 where there is
// none or it cannot be inspected.
std::uint64_t RegularFileSize(const std::string& path);

// Removes the file path names if it is a regular file. Returns false only
// where such a file stays; anything else (a device, nothing at all) is left
// alone and counts as done.
bool RemoveRegularFile(const std::string& path);

} // namespace fw
