#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "fw/platform/windows/unique_handle.h"

namespace fw::windows {

// A created output while it is written: a hidden new file in the folder of
// the output, opened without sharing and marked for deletion so that it
// goes however the process ends, and the file it replaces, held without
// sharing until the new one takes its name in one rename.
class FileReplacement {
public:
    // Holds replaced (the existing output, opened for writing and to read
    // its access list; none where the output names nothing yet), keeps what
    // the new file takes over from it, and creates the new file beside
    // target (the output's path, links resolved, in "\\?\" form). Returns 0,
    // or the error that refuses the output.
    DWORD Begin(UniqueHandle replaced, std::wstring target);

    // The new file, to write to.
    HANDLE File() const noexcept { return m_file.Get(); }

    // Puts the new file in place of the output and closes it: flushed to
    // stable storage first where unflushed, with the replaced file's
    // attributes, creation time and access list, then renamed over it, then
    // flushed again so that the rename lasts. Returns 0, or the error of the
    // step that failed; a failure before the rename leaves the replaced file
    // as it was and the new file gone.
    DWORD PutInPlace(bool unflushed) noexcept;

    // Gives up the new file, putting nothing in place; true where it is gone.
    bool Drop() noexcept;

private:
    UniqueHandle m_file;
    UniqueHandle m_replaced;
    // The new file's path and the output's ("\\?\" form).
    std::wstring m_path;
    std::wstring m_target;
    // What the new file takes over: attributes, creation time, and the
    // access list with whether it inherits from the folder (a security
    // descriptor; empty where no file is replaced).
    FILE_BASIC_INFO m_finalInfo{};
    std::vector<std::uint64_t> m_access;
    // The delete mark is set: closing the handle removes the new file. Not
    // markable: the file system refused the mark when the file was made, and
    // the new file is removed by name on every end the program sees.
    bool m_marked = false;
    bool m_markable = false;
};

} // namespace fw::windows
