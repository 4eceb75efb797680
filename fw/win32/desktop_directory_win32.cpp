// The desktop directory as the shell reports it, in the active code page.
#include "fw/desktop_directory.h"

#include <windows.h>

#include <shlobj.h>

namespace fw {

std::optional<std::string> GetDesktopDirectory() {
    char path[MAX_PATH] = {};
    // The file-system folder of the user's desktop; a missing folder is not
    // created (the proposal then fails only when the join creates the file).
    if (!SHGetSpecialFolderPathA(nullptr, path, CSIDL_DESKTOPDIRECTORY, FALSE)) {
        return std::nullopt;
    }
    return std::string(path);
}

} // namespace fw
