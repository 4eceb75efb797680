// CFile over the Win32 file API. Paths are byte strings in the process's
// active code page; they reach the wide entry points, which unlike the ANSI
// ones take paths longer than MAX_PATH where the system allows them (the
// manifest declares the program long-path aware; "\\?\" paths always).
#include "fw/file/file.h"

#include <windows.h>

#include <algorithm>
#include <utility>

#include "fw/file/file_error_causes.h"
#include "fw/platform/windows/file_calls.h"
#include "fw/platform/windows/wide_text.h"

struct CFile::Impl {
    HANDLE handle = INVALID_HANDLE_VALUE;
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

    m_impl.reset(std::make_unique<Impl>(Impl{handle}).release());
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

namespace fw {
namespace {

struct FileIdentity {
    DWORD volumeSerial = 0;
    DWORD indexHigh = 0;
    DWORD indexLow = 0;
};

// Opens without asking for any access, so a file that another program
// holds without sharing can still be identified; a folder is identified too.
bool IdentifyFile(const std::string& path, FileIdentity& identity) {
    HANDLE handle = CreateFileW(fw::WideFromActiveCodePage(path).c_str(), 0,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    const bool ok = GetFileInformationByHandle(handle, &info) != 0;
    CloseHandle(handle);
    if (ok) {
        identity = {info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
    }
    return ok;
}

} // namespace

bool IsSameExistingFile(const std::string& a, const std::string& b) {
    FileIdentity first;
    FileIdentity second;
    if (!IdentifyFile(a, first) || !IdentifyFile(b, second)) {
        return false;
    }
    return first.volumeSerial == second.volumeSerial && first.indexHigh == second.indexHigh &&
           first.indexLow == second.indexLow;
}

} // namespace fw
