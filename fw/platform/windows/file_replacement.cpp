#include "fw/platform/windows/file_replacement.h"

#include <atomic>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <new>
#include <utility>

#include "fw/platform/windows/file_calls.h"

namespace fw::windows {
namespace {

// Attributes of a replaced file that its successor takes over; the others
// describe how the old one is stored (compressed, sparse...) or are the
// file system's to set.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// The access list of the file handle holds, as a security descriptor;
// false with the last error set where it cannot be read.
bool ReadAccess(HANDLE handle, std::vector<std::uint64_t>& access) {
    DWORD needed = 0;
    GetSecurityCall(handle, DACL_SECURITY_INFORMATION, nullptr, 0, &needed);
    if (needed == 0) {
        return false;
    }
    access.resize((needed + sizeof(std::uint64_t) - 1) / sizeof(std::uint64_t));
    return GetSecurityCall(handle, DACL_SECURITY_INFORMATION, access.data(), needed, &needed) != 0;
}

// Sets or clears the mark that removes file when its last handle closes.
bool MarkForDeletion(HANDLE file, bool remove) {
    FILE_DISPOSITION_INFO info{};
    info.DeleteFile = remove ? TRUE : FALSE;
    return SetInfoCall(file, FileDispositionInfo, &info, sizeof info) != 0;
}

// Renames file to path ("\\?\" form), replacing the file there.
bool RenameOver(HANDLE file, const std::wstring& path) {
    // The rename takes the system's own form of the path, "\??\...".
    const std::wstring target = L"\\??\\" + path.substr(4);
    const std::size_t nameBytes = target.size() * sizeof(wchar_t);
    const std::size_t size = offsetof(FILE_RENAME_INFO, FileName) + nameBytes + sizeof(wchar_t);
    std::vector<std::max_align_t> storage((size + sizeof(std::max_align_t) - 1) /
                                          sizeof(std::max_align_t));
    auto* info = new (storage.data()) FILE_RENAME_INFO{};
    info->ReplaceIfExists = TRUE;
    info->RootDirectory = nullptr;
    info->FileNameLength = static_cast<DWORD>(nameBytes);
    std::memcpy(info->FileName, target.c_str(), nameBytes + sizeof(wchar_t));
    return SetInfoCall(file, FileRenameInfo, info, static_cast<DWORD>(size)) != 0;
}

// RenameOver, tried again for a moment while another program (a virus
// scanner, the search indexer) has the old file open: the hold on it has
// just ended, and they look at a file that was opened for writing.
bool RenameOverPatiently(HANDLE file, const std::wstring& path) {
    for (int attempt = 1;; ++attempt) {
        if (RenameOver(file, path)) {
            return true;
        }
        const DWORD error = GetLastError();
        if (attempt == 20 || (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION)) {
            return false;
        }
        Sleep(25);
    }
}

// Creates the hidden new file in folder ("\\?\" form, ending in a
// separator) under a name no other file has: ".korvane-" and 16 hex digits,
// ".tmp". Fills path; no handle where it cannot be created.
UniqueHandle CreateHidden(const std::wstring& folder, std::wstring& path) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        wchar_t name[32];
        std::swprintf(name, std::size(name), L".korvane-%08lx%08lx.tmp",
                      static_cast<unsigned long>(GetCurrentProcessId()),
                      static_cast<unsigned long>(GetTickCount() ^ (counter++ * 0x9E3779B9u)));
        path = folder + name;
        UniqueHandle handle(
            OpenCall(path.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE | READ_CONTROL | WRITE_DAC,
                     0, CREATE_NEW, FILE_ATTRIBUTE_HIDDEN));
        if (handle ||
            (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS)) {
            return handle;
        }
    }
    return UniqueHandle();
}

} // namespace

DWORD FileReplacement::Begin(UniqueHandle replaced, std::wstring target) {
    m_target = std::move(target);
    m_finalInfo.FileAttributes = FILE_ATTRIBUTE_ARCHIVE;
    if (replaced) {
        BY_HANDLE_FILE_INFORMATION info{};
        if (!InfoCall(replaced.Get(), &info) || !ReadAccess(replaced.Get(), m_access)) {
            return GetLastError();
        }
        // Windows refuses to write a read-only file and to rename over one;
        // say so now (Wine run by root would open it for writing).
        if ((info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0) {
            return ERROR_ACCESS_DENIED;
        }
        m_finalInfo.FileAttributes |= info.dwFileAttributes & kKeptAttributes;
        m_finalInfo.CreationTime.LowPart = info.ftCreationTime.dwLowDateTime;
        m_finalInfo.CreationTime.HighPart = static_cast<LONG>(info.ftCreationTime.dwHighDateTime);
        m_replaced = std::move(replaced);
    }
    const std::size_t cut = m_target.find_last_of(L'\\');
    if (m_target.size() < 5 || cut == std::wstring::npos) {
        return ERROR_INVALID_NAME;
    }
    m_file = CreateHidden(m_target.substr(0, cut + 1), m_path);
    if (!m_file) {
        return GetLastError();
    }
    m_marked = m_markable = MarkForDeletion(m_file.Get(), true);
    return 0;
}

DWORD FileReplacement::PutInPlace(bool unflushed) noexcept {
    const HANDLE file = m_file.Get();
    const bool ready =
        (!unflushed || FlushCall(file)) &&
        SetInfoCall(file, FileBasicInfo, &m_finalInfo, sizeof m_finalInfo) &&
        (m_access.empty() || SetSecurityCall(file, DACL_SECURITY_INFORMATION, m_access.data())) &&
        (!m_marked || MarkForDeletion(file, false));
    if (ready) {
        m_marked = false;
    }
    // A file that is open cannot be replaced: the hold ends just before.
    const bool released = ready && (!m_replaced || CloseCall(m_replaced.Release()));
    if (!released || !RenameOverPatiently(file, m_target)) {
        const DWORD error = GetLastError();
        Drop();
        return error == 0 ? ERROR_WRITE_FAULT : error;
    }
    const bool flushed = FlushCall(file) != 0;
    DWORD error = flushed ? 0 : GetLastError();
    if (!CloseCall(m_file.Release()) && error == 0) {
        error = GetLastError();
    }
    return error;
}

bool FileReplacement::Drop() noexcept {
    m_replaced.Reset();
    if (!m_marked && m_markable) {
        m_marked = MarkForDeletion(m_file.Get(), true);
    }
    CloseCall(m_file.Release());
    return m_marked || RemoveCall(m_path.c_str()) != 0;
}

} // namespace fw::windows
