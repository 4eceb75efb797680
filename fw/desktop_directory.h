#pragma once

#include <optional>
#include <string>

namespace fw {

// The current user's desktop directory, without a trailing separator; none
// where the platform cannot name one.
std::optional<std::string> GetDesktopDirectory();

// The separator between path components on this platform.
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

} // namespace fw
