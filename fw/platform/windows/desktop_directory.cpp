// The user's folders as the shell reports them, in the active code page.
#include "fw/platform/desktop_directory.h"

#include <windows.h>

#include <shlobj.h>

namespace fw {
namespace {

// A special folder by its CSIDL; a missing folder is not created.
std::optional<std::string> ShellFolder(int csidl) {
    char path[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE) || path[0] == '\0') {
        return std::nullopt;
    }
    return std::string(path);
}

} // namespace

// The file-system folder of the desktop (CSIDL_DESKTOPDIRECTORY, 0x10).
// Were it missing, the proposal fails only when the join creates the file.
std::optional<std::string> GetDesktopDirectory() {
    return ShellFolder(CSIDL_DESKTOPDIRECTORY);
}

std::optional<std::string> GetHomeDirectory() {
    return ShellFolder(CSIDL_PROFILE);
}

} // namespace fw
