// CFile over the Win32 file API. Paths are byte strings in the process's
// active code page; they reach the wide entry points, which unlike the ANSI
// ones take paths longer than MAX_PATH where the system allows them (the
// manifest declares the program long-path aware; "\\?\" paths always).
//
// A created output is written to a hidden file beside the file it replaces,
// opened without sharing and marked for deletion, so that it goes however
// the process ends; the file it replaces is held without sharing meanwhile.
// Closing puts the new file in its place in one rename.
#include "fw/file/file.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "fw/file/file_error_causes.h"
#include "fw/platform/windows/file_calls.h"
#include "fw/platform/windows/unique_handle.h"
#include "fw/platform/windows/wide_text.h"

using fw::windows::UniqueHandle;

struct CFile::Impl {
    // The file read or written; for a created output, the hidden new file.
    UniqueHandle handle;
    // A file opened for writing without being created: where it is, links
    // resolved, so that Discard removes this file and nothing else.
    std::wstring realPath;

    // A created output. The file it replaces, held without sharing until
    // the new file takes its name; none where there was no file.
    bool created = false;
    UniqueHandle replaced;
    // The new file's path, and the output's ("\\?\" form).
    std::wstring temporaryPath;
    std::wstring targetPath;
    // What the new file takes over once in place: attributes, creation
    // time, and the replaced file's access list with whether it inherits
    // from the folder (a security descriptor; empty where no file was).
    FILE_BASIC_INFO finalInfo{};
    std::vector<std::uint64_t> access;
    // The delete mark is set: closing the handle removes the new file. Not
    // markable: the file system refused the mark when the file was made.
    bool marked = false;
    bool markable = false;
    // Written since the last flush.
    bool dirty = false;
};

namespace {

[[noreturn]] void ThrowOsError(DWORD error, const std::string& fileName) {
    throw CFileException(fw::CauseFromWindowsError(static_cast<long>(error)),
                         static_cast<long>(error), fileName);
}

void FillOpenError(CFileException* error, DWORD code, const std::string& path) {
    if (error != nullptr) {
        error->m_cause = fw::CauseFromWindowsError(static_cast<long>(code));
        error->m_lOsError = static_cast<long>(code);
        error->m_strFileName = path;
    }
}

// ReadFile and WriteFile take a 32-bit count.
constexpr std::size_t kMaxTransfer = 0x40000000;

// The path of the file handle holds, with links resolved ("\\?\C:\..."),
// or empty where the system cannot tell.
std::wstring RealPathOf(HANDLE handle) {
    std::wstring real(MAX_PATH, L'\0');
    for (int attempt = 0; attempt < 2; ++attempt) {
        const DWORD length =
            fw::windows::FinalPathCall(handle, real.data(), static_cast<DWORD>(real.size()));
        if (length == 0) {
            break;
        }
        if (length < real.size()) {
            real.resize(length);
            return real;
        }
        real.resize(length);
    }
    return {};
}

// path made absolute, in the "\\?\" form that takes any length; empty where
// the system cannot make it absolute.
std::wstring ExtendedPathOf(const std::wstring& path) {
    const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    std::wstring full(size, L'\0');
    const DWORD length = size == 0 ? 0 : GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size) {
        return {};
    }
    full.resize(length);
    if (full.starts_with(L"\\\\?\\") || full.starts_with(L"\\\\.\\")) {
        return full;
    }
    if (full.starts_with(L"\\\\")) {
        return L"\\\\?\\UNC\\" + full.substr(2);
    }
    return L"\\\\?\\" + full;
}

struct FileIdentity {
    DWORD volumeSerial = 0;
    DWORD indexHigh = 0;
    DWORD indexLow = 0;

    bool operator==(const FileIdentity&) const = default;
};

FileIdentity IdentityOf(const BY_HANDLE_FILE_INFORMATION& info) {
    return {info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
}

// Opens without asking for any access, so a file that another program
// holds without sharing can still be identified; a folder is identified too.
bool IdentifyFile(const std::wstring& path, FileIdentity& identity) {
    const UniqueHandle handle(fw::windows::OpenCall(
        path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING,
        FILE_FLAG_BACKUP_SEMANTICS));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!handle || !fw::windows::InfoCall(handle.Get(), &info)) {
        return false;
    }
    identity = IdentityOf(info);
    return true;
}

// Attributes of a replaced file that its successor takes over; the others
// describe how the old one is stored (compressed, sparse...) or are the
// file system's to set.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// Reads the access list of the file handle holds into impl, for the new
// file; false with the last error set where it cannot be read.
bool KeepAccessOf(HANDLE handle, CFile::Impl& impl) {
    DWORD needed = 0;
    fw::windows::GetSecurityCall(handle, DACL_SECURITY_INFORMATION, nullptr, 0, &needed);
    if (needed == 0) {
        return false;
    }
    impl.access.resize((needed + sizeof(std::uint64_t) - 1) / sizeof(std::uint64_t));
    return fw::windows::GetSecurityCall(handle, DACL_SECURITY_INFORMATION, impl.access.data(),
                                        needed, &needed) != 0;
}

// Gives the new file the access list kept from the file it replaces, as it
// stands, entries inherited from the folder marked as such.
bool ApplyKeptAccess(CFile::Impl& impl) {
    return impl.access.empty() ||
           fw::windows::SetSecurityCall(impl.handle.Get(), DACL_SECURITY_INFORMATION,
                                        impl.access.data()) != 0;
}

// Sets or clears the mark that removes file when its last handle closes.
bool MarkForDeletion(HANDLE file, bool remove) {
    FILE_DISPOSITION_INFO info{};
    info.DeleteFile = remove ? TRUE : FALSE;
    return fw::windows::SetInfoCall(file, FileDispositionInfo, &info, sizeof info) != 0;
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
    return fw::windows::SetInfoCall(file, FileRenameInfo, info, static_cast<DWORD>(size)) != 0;
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
// ".tmp". Fills path; an invalid handle where it cannot be created.
UniqueHandle CreateTemporary(const std::wstring& folder, std::wstring& path) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        wchar_t name[32];
        std::swprintf(name, std::size(name), L".korvane-%08lx%08lx.tmp",
                      static_cast<unsigned long>(GetCurrentProcessId()),
                      static_cast<unsigned long>(GetTickCount() ^ (counter++ * 0x9E3779B9u)));
        path = folder + name;
        UniqueHandle handle(fw::windows::OpenCall(
            path.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE | READ_CONTROL | WRITE_DAC, 0,
            CREATE_NEW, FILE_ATTRIBUTE_HIDDEN));
        if (handle ||
            (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS)) {
            return handle;
        }
    }
    return UniqueHandle();
}

// Gives up a created output's new file: nothing is put in place. True
// where it is gone.
bool DropTemporary(CFile::Impl& impl) noexcept {
    impl.replaced.Reset();
    if (!impl.marked && impl.markable) {
        impl.marked = MarkForDeletion(impl.handle.Get(), true);
    }
    fw::windows::CloseCall(impl.handle.Release());
    return impl.marked || fw::windows::RemoveCall(impl.temporaryPath.c_str()) != 0;
}

// Puts a created output's new file in place of the output, flushed to
// stable storage, and closes it. Returns 0, or the error of the step that
// failed; a failure before the rename leaves the replaced file as it was
// and the new file gone.
DWORD PutInPlace(CFile::Impl& impl) noexcept {
    const HANDLE file = impl.handle.Get();
    const bool ready =
        (!impl.dirty || fw::windows::FlushCall(file)) &&
        fw::windows::SetInfoCall(file, FileBasicInfo, &impl.finalInfo, sizeof impl.finalInfo) &&
        ApplyKeptAccess(impl) && (!impl.marked || MarkForDeletion(file, false));
    if (ready) {
        impl.marked = false;
    }
    // A file that is open cannot be replaced: the hold ends just before.
    const bool released =
        ready && (!impl.replaced || fw::windows::CloseCall(impl.replaced.Release()));
    if (!released || !RenameOverPatiently(file, impl.targetPath)) {
        const DWORD error = GetLastError();
        DropTemporary(impl);
        return error == 0 ? ERROR_WRITE_FAULT : error;
    }
    // Flushing again makes the rename itself durable.
    const bool flushed = fw::windows::FlushCall(file) != 0;
    DWORD error = flushed ? 0 : GetLastError();
    if (!fw::windows::CloseCall(impl.handle.Release()) && error == 0) {
        error = GetLastError();
    }
    return error;
}

} // namespace

void CFile::ImplDeleter::operator()(Impl* impl) const noexcept {
    std::default_delete<Impl>()(impl);
}

bool CFile::Open(const std::string& path, unsigned flags, CFileException* error) {
    Abort();

    const std::wstring widePath = fw::WideFromActiveCodePage(path);
    const bool write = (flags & modeWrite) != 0;
    const bool create = write && (flags & modeCreate) != 0;
    const DWORD share = (flags & shareExclusive) != 0 ? 0 : FILE_SHARE_READ | FILE_SHARE_WRITE;
    // Inputs are read once from start to end: the cache reads ahead and lets
    // go of what was read. An output is opened as it exists: a created one
    // gets a new file below, and the one it replaces is held without sharing
    // and must be writable, so that what another program holds or what is
    // read-only is refused before anything is written, as it would be if
    // written over directly.
    const DWORD access =
        write ? GENERIC_WRITE | FILE_READ_ATTRIBUTES | (create ? READ_CONTROL : 0) : GENERIC_READ;
    const DWORD attributes = FILE_ATTRIBUTE_NORMAL | (write ? 0 : FILE_FLAG_SEQUENTIAL_SCAN);
    UniqueHandle handle(
        fw::windows::OpenCall(widePath.c_str(), access, share, OPEN_EXISTING, attributes));
    // Only a name that is valid and missing in a folder that exists gives
    // "not found"; that is a name a created output can take.
    if (!handle && (!create || GetLastError() != ERROR_FILE_NOT_FOUND)) {
        FillOpenError(error, GetLastError(), path);
        return false;
    }
    // Only disk files are inputs: a console, serial or pipe device would
    // block a read or never end. A pipe as the output (a named pipe, or a
    // FIFO under Wine) would block the join while its reader does not read;
    // devices such as NUL take writes at once, and are written directly.
    const DWORD type = handle ? fw::windows::TypeCall(handle.Get()) : FILE_TYPE_DISK;
    if (write ? type == FILE_TYPE_PIPE : type != FILE_TYPE_DISK) {
        FillOpenError(error, ERROR_ACCESS_DENIED, path);
        return false;
    }

    auto impl = std::make_unique<Impl>();
    if (create && type == FILE_TYPE_DISK) {
        impl->created = true;
        impl->finalInfo.FileAttributes = FILE_ATTRIBUTE_ARCHIVE;
        if (handle) {
            // The file a link leads to is the one replaced; the link stays.
            BY_HANDLE_FILE_INFORMATION info{};
            if (!fw::windows::InfoCall(handle.Get(), &info) || !KeepAccessOf(handle.Get(), *impl)) {
                FillOpenError(error, GetLastError(), path);
                return false;
            }
            // Windows refuses to write a read-only file and to rename over
            // one; say so now (Wine run by root would open it for writing).
            if ((info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0) {
                FillOpenError(error, ERROR_ACCESS_DENIED, path);
                return false;
            }
            impl->finalInfo.FileAttributes |= info.dwFileAttributes & kKeptAttributes;
            impl->finalInfo.CreationTime.LowPart = info.ftCreationTime.dwLowDateTime;
            impl->finalInfo.CreationTime.HighPart =
                static_cast<LONG>(info.ftCreationTime.dwHighDateTime);
            impl->targetPath = RealPathOf(handle.Get());
            impl->replaced = std::move(handle);
        }
        if (impl->targetPath.empty()) {
            impl->targetPath = ExtendedPathOf(widePath);
        }
        const std::size_t cut = impl->targetPath.find_last_of(L'\\');
        if (impl->targetPath.size() < 5 || cut == std::wstring::npos) {
            FillOpenError(error, ERROR_INVALID_NAME, path);
            return false;
        }
        handle = CreateTemporary(impl->targetPath.substr(0, cut + 1), impl->temporaryPath);
        if (!handle) {
            FillOpenError(error, GetLastError(), path);
            return false;
        }
        // Where the file system cannot mark it, the new file is removed by
        // name on every end the program sees.
        impl->marked = impl->markable = MarkForDeletion(handle.Get(), true);
    } else if (write && type == FILE_TYPE_DISK) {
        impl->realPath = RealPathOf(handle.Get());
        if (impl->realPath.empty()) {
            impl->realPath = widePath;
        }
    }
    impl->handle = std::move(handle);
    m_impl.reset(impl.release());
    m_strFileName = path;
    return true;
}

std::size_t CFile::Read(void* buffer, std::size_t count) {
    if (!IsOpen()) {
        ThrowOsError(ERROR_INVALID_HANDLE, m_strFileName);
    }
    std::size_t total = 0;
    auto* bytes = static_cast<char*>(buffer);
    while (total < count) {
        const DWORD ask = static_cast<DWORD>(std::min(count - total, kMaxTransfer));
        DWORD got = 0;
        if (!fw::windows::ReadCall(m_impl->handle.Get(), bytes + total, ask, &got)) {
            ThrowOsError(GetLastError(), m_strFileName);
        }
        total += got;
        if (got < ask) {
            break; // end of file
        }
    }
    return total;
}

void CFile::Write(const void* buffer, std::size_t count) {
    if (!IsOpen()) {
        ThrowOsError(ERROR_INVALID_HANDLE, m_strFileName);
    }
    m_impl->dirty = true;
    std::size_t total = 0;
    const auto* bytes = static_cast<const char*>(buffer);
    while (total < count) {
        const DWORD ask = static_cast<DWORD>(std::min(count - total, kMaxTransfer));
        DWORD put = 0;
        if (!fw::windows::WriteCall(m_impl->handle.Get(), bytes + total, ask, &put)) {
            ThrowOsError(GetLastError(), m_strFileName);
        }
        if (put < ask) {
            // The system stored less than asked without naming a cause: the
            // volume has no room left.
            ThrowOsError(ERROR_DISK_FULL, m_strFileName);
        }
        total += put;
    }
}

// Windows has no copy between two files at their positions that keeps the
// two sides' failures apart; the bytes go through the buffer.
CFile::CopyResult CFile::CopyTo(CFile& output, std::size_t count, std::span<std::byte> buffer) {
    return CopyThroughBuffer(output, count, buffer);
}

std::uint64_t CFile::GetLength() const {
    if (!IsOpen()) {
        ThrowOsError(ERROR_INVALID_HANDLE, m_strFileName);
    }
    LARGE_INTEGER size{};
    if (!fw::windows::SizeCall(m_impl->handle.Get(), &size)) {
        ThrowOsError(GetLastError(), m_strFileName);
    }
    return static_cast<std::uint64_t>(size.QuadPart);
}

void CFile::Flush() {
    if (!IsOpen()) {
        ThrowOsError(ERROR_INVALID_HANDLE, m_strFileName);
    }
    // The null device and other character devices have nothing to flush.
    if (fw::windows::TypeCall(m_impl->handle.Get()) != FILE_TYPE_DISK) {
        return;
    }
    if (!fw::windows::FlushCall(m_impl->handle.Get())) {
        ThrowOsError(GetLastError(), m_strFileName);
    }
    m_impl->dirty = false;
}

void CFile::Close() {
    if (!IsOpen()) {
        return;
    }
    const std::string fileName = std::exchange(m_strFileName, {});
    const std::unique_ptr<Impl, ImplDeleter> impl = std::move(m_impl);
    if (impl->created) {
        if (const DWORD error = PutInPlace(*impl); error != 0) {
            ThrowOsError(error, fileName);
        }
        return;
    }
    if (!fw::windows::CloseCall(impl->handle.Release())) {
        ThrowOsError(GetLastError(), fileName);
    }
}

void CFile::Abort() noexcept {
    const std::unique_ptr<Impl, ImplDeleter> impl = std::move(m_impl);
    m_strFileName.clear();
    // A created output keeps what was written: it is put in place.
    if (impl && impl->created) {
        PutInPlace(*impl);
    }
}

bool CFile::Discard() noexcept {
    const std::unique_ptr<Impl, ImplDeleter> impl = std::move(m_impl);
    m_strFileName.clear();
    if (!impl) {
        return true;
    }
    if (impl->created) {
        return DropTemporary(*impl);
    }
    const HANDLE handle = impl->handle.Get();
    if (fw::windows::TypeCall(handle) != FILE_TYPE_DISK) {
        return true;
    }
    const bool emptied = fw::windows::TruncateCall(handle) != 0;
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = fw::windows::InfoCall(handle, &info) != 0;
    fw::windows::CloseCall(impl->handle.Release());
    FileIdentity named;
    const bool removed = known && IdentifyFile(impl->realPath, named) &&
                         named == IdentityOf(info) &&
                         fw::windows::RemoveCall(impl->realPath.c_str()) != 0;
    return emptied || (removed && info.nNumberOfLinks <= 1);
}

namespace fw {

bool IsSameExistingFile(const std::string& a, const std::string& b) {
    FileIdentity first;
    FileIdentity second;
    return IdentifyFile(WideFromActiveCodePage(a), first) &&
           IdentifyFile(WideFromActiveCodePage(b), second) && first == second;
}

} // namespace fw
