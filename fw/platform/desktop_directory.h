#pragma once

#include <optional>
#include <string>

namespace fw {

// The current user's desktop directory, without a trailing separator (but
// for a root directory); none where the platform cannot name one. On POSIX
// only an existing directory counts: the XDG user directory XDG_DESKTOP_DIR,
// else $HOME/Desktop.
std::optional<std::string> GetDesktopDirectory();

// The current user's home directory, in the same form; none where there is
// none. On POSIX $HOME, else the user's entry in the password database; only
// an existing directory counts.
std::optional<std::string> GetHomeDirectory();

// The separator between path components on this platform.
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

} // namespace fw
