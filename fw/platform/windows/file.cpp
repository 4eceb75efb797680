// CFile over the Win32 file API. Paths are byte strings in the process's
// active code page; they reach the wide entry points, which unlike the ANSI
// ones take paths longer than MAX_PATH where the system allows them (the
// manifest declares the program long-path aware; "\\?\" paths always).
#include "fw/file/file.h"

#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>

#include "fw/file/file_error_causes.h"
#include "fw/platform/file_system.h"
#include "fw/platform/windows/file_calls.h"
#include "fw/platform/windows/wide_text.h"

struct CFile::Impl {
    HANDLE handle = INVALID_HANDLE_VALUE;
    // A file opened for writing: where it is, links resolved, so that
    // Discard removes this file and nothing else.
    std::wstring realPath;
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
// or path where the system cannot tell.
std::wstring RealPathOf(HANDLE handle, std::wstring path) {
    std::wstring real(MAX_PATH, L'\0');
    for (int attempt = 0; attempt < 2; ++attempt) {
        const DWORD length =
            GetFinalPathNameByHandleW(handle, real.data(), static_cast<DWORD>(real.size()), 0);
        if (length == 0) {
            break;
        }
        if (length < real.size()) {
            real.resize(length);
            return real;
        }
        real.resize(length);
    }
    return path;
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
    HANDLE handle =
        CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    const bool ok = GetFileInformationByHandle(handle, &info) != 0;
    CloseHandle(handle);
    if (ok) {
        identity = IdentityOf(info);
    }
    return ok;
}

} // namespace

void CFile::ImplDeleter::operator()(Impl* impl) const noexcept {
    std::default_delete<Impl>()(impl);
}

bool CFile::Open(const std::string& path, unsigned flags, CFileException* error) {
    Abort();

    const bool write = (flags & modeWrite) != 0;
    const DWORD access = write ? GENERIC_WRITE : GENERIC_READ;
    const DWORD share = (flags & shareExclusive) != 0 ? 0 : FILE_SHARE_READ | FILE_SHARE_WRITE;
    // CREATE_ALWAYS truncates only once the file is granted, so a file that
    // another program holds without sharing is left as it was.
    const DWORD disposition = (write && (flags & modeCreate) != 0) ? CREATE_ALWAYS : OPEN_EXISTING;

    // Inputs are read once from start to end: the cache reads ahead and lets
    // go of what was read.
    const DWORD attributes = FILE_ATTRIBUTE_NORMAL | (write ? 0 : FILE_FLAG_SEQUENTIAL_SCAN);
    HANDLE handle = CreateFileW(fw::WideFromActiveCodePage(path).c_str(), access, share, nullptr,
                                disposition, attributes, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        FillOpenError(error, GetLastError(), path);
        return false;
    }
    // Only disk files are inputs: a console, serial or pipe device would
    // block a read or never end. A pipe as the output (a named pipe, or a
    // FIFO under Wine) would block the join while its reader does not read;
    // devices such as NUL take writes at once.
    const DWORD type = GetFileType(handle);
    if (write ? type == FILE_TYPE_PIPE : type != FILE_TYPE_DISK) {
        CloseHandle(handle);
        FillOpenError(error, ERROR_ACCESS_DENIED, path);
        return false;
    }

    std::wstring realPath;
    if (write && type == FILE_TYPE_DISK) {
        realPath = RealPathOf(handle, fw::WideFromActiveCodePage(path));
    }
    m_impl.reset(std::make_unique<Impl>(Impl{handle, std::move(realPath)}).release());
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
        if (!fw::windows::ReadCall(m_impl->handle, bytes + total, ask, &got)) {
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
    std::size_t total = 0;
    const auto* bytes = static_cast<const char*>(buffer);
    while (total < count) {
        const DWORD ask = static_cast<DWORD>(std::min(count - total, kMaxTransfer));
        DWORD put = 0;
        if (!fw::windows::WriteCall(m_impl->handle, bytes + total, ask, &put)) {
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
    if (!fw::windows::SizeCall(m_impl->handle, &size)) {
        ThrowOsError(GetLastError(), m_strFileName);
    }
    return static_cast<std::uint64_t>(size.QuadPart);
}

void CFile::Flush() {
    if (!IsOpen()) {
        ThrowOsError(ERROR_INVALID_HANDLE, m_strFileName);
    }
    // The null device and other character devices have nothing to flush.
    if (GetFileType(m_impl->handle) != FILE_TYPE_DISK) {
        return;
    }
    if (!fw::windows::FlushCall(m_impl->handle)) {
        ThrowOsError(GetLastError(), m_strFileName);
    }
}

void CFile::Close() {
    if (!IsOpen()) {
        return;
    }
    const std::string fileName = std::move(m_strFileName);
    m_strFileName.clear();
    const HANDLE handle = std::exchange(m_impl, nullptr)->handle;
    if (!fw::windows::CloseCall(handle)) {
        ThrowOsError(GetLastError(), fileName);
    }
}

void CFile::Abort() noexcept {
    if (IsOpen()) {
        CloseHandle(m_impl->handle);
        m_impl.reset();
    }
    m_strFileName.clear();
}

bool CFile::Discard() noexcept {
    const std::unique_ptr<Impl, ImplDeleter> impl = std::move(m_impl);
    m_strFileName.clear();
    if (!impl) {
        return true;
    }
    if (GetFileType(impl->handle) != FILE_TYPE_DISK) {
        CloseHandle(impl->handle);
        return true;
    }
    const bool emptied = fw::windows::TruncateCall(impl->handle) != 0;
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = GetFileInformationByHandle(impl->handle, &info) != 0;
    CloseHandle(impl->handle);
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
