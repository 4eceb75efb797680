#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace fw {

// Reads the directory that `key` (e.g. "XDG_DESKTOP_DIR") names in the text of
// an XDG user-dirs.dirs file. The file is shell syntax: lines of the form
//   XDG_DESKTOP_DIR="$HOME/Desktop"
// with '#' comments, double or single quotes, backslash escapes and an
// optional "export". A leading $HOME or ${HOME} is replaced by `home` (a value
// that needs it is skipped when there is no home). Only absolute results
// count, and as in the shell the last assignment wins. A value that is the
// home directory itself means the directory is disabled: the result is then
// none, as it is when the key is missing. Trailing slashes are removed.
std::optional<std::string> FindXdgUserDir(std::string_view fileText, std::string_view key,
                                          const std::optional<std::string>& home);

// The path without trailing slashes; the root stays "/".
std::string WithoutTrailingSlashes(std::string path);

} // namespace fw
