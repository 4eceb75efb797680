#pragma once

#include <cstdint>
#include <string>

namespace fw {

// The size in bytes of the regular file path names, or 0 where there is
// none or it cannot be inspected.
std::uint64_t RegularFileSize(const std::string& path);

} // namespace fw
