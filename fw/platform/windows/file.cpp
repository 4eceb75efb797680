// CFile over the Win32 file API. Paths are byte strings in the process's
// active code page; they reach the wide entry points, which unlike the ANSI
// ones take paths longer than MAX_PATH where the system allows them (the
// manifest declares the program long-path aware; "\\?\" paths always).
//
// A created output is written to a new file beside the file it replaces
// and put in its place when closed (FileReplacement).
#include "fw/file/file.h"

#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>

#include "fw/file/file_error_causes.h"
#include "fw/platform/file_system.h"
#include "fw/platform/windows/file_calls.h"
#include "fw/platform/windows/file_replacement.h"
#include "fw/platform/windows/unique_handle.h"
#include "fw/platform/windows/wide_text.h"

using fw::windows::UniqueHandle;

struct CFile::Impl {
    // The file read or written; for a created output, none: it is written
    // to replacement's new file.
    UniqueHandle handle;
    std::unique_ptr<fw::windows::FileReplacement> replacement;
    // A file opened for writing without being created: where it is, links
    // resolved, so that Discard removes this file and nothing else.
    std::wstring realPath;
    // Written since the last flush.
    bool dirty = false;

    HANDLE Handle() const noexcept { return replacement ? replacement->File() : handle.Get(); }
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
        // The file a link leads to is the one replaced; the link stays.
        std::wstring target = handle ? RealPathOf(handle.Get()) : std::wstring();
        if (target.empty()) {
            target = ExtendedPathOf(widePath);
        }
        impl->replacement = std::make_unique<fw::windows::FileReplacement>();
        if (const DWORD code = impl->replacement->Begin(std::move(handle), std::move(target));
            code != 0) {
            FillOpenError(error, code, path);
            return false;
        }
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
        if (!fw::windows::ReadCall(m_impl->Handle(), bytes + total, ask, &got)) {
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
        if (!fw::windows::WriteCall(m_impl->Handle(), bytes + total, ask, &put)) {
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
std::size_t CFile::CopyTo(CFile& output, std::size_t count, std::span<std::byte> buffer) {
    return CopyThroughBuffer(output, count, buffer);
}

std::uint64_t CFile::GetLength() const {
    if (!IsOpen()) {
        ThrowOsError(ERROR_INVALID_HANDLE, m_strFileName);
    }
    LARGE_INTEGER size{};
    if (!fw::windows::SizeCall(m_impl->Handle(), &size)) {
        ThrowOsError(GetLastError(), m_strFileName);
    }
    return static_cast<std::uint64_t>(size.QuadPart);
}

void CFile::Flush() {
    if (!IsOpen()) {
        ThrowOsError(ERROR_INVALID_HANDLE, m_strFileName);
    }
    // The null device and other character devices have nothing to flush.
    if (fw::windows::TypeCall(m_impl->Handle()) != FILE_TYPE_DISK) {
        return;
    }
    if (!fw::windows::FlushCall(m_impl->Handle())) {
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
    if (impl->replacement) {
        if (const DWORD error = impl->replacement->PutInPlace(impl->dirty); error != 0) {
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
    if (impl && impl->replacement) {
        impl->replacement->PutInPlace(impl->dirty);
    }
}

bool CFile::Discard() noexcept {
    const std::unique_ptr<Impl, ImplDeleter> impl = std::move(m_impl);
    m_strFileName.clear();
    if (!impl) {
        return true;
    }
    if (impl->replacement) {
        return impl->replacement->Drop();
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
