#include "fw/file/file_error_causes.h"

#include <cerrno>

#include "fw/file/windows_error_code_causes.h"

namespace fw {
namespace {

using C = CFileException;

// errno values with a cause of their own, chosen to match what the nearest
// Windows error would give; every other value is genericException.
// EWOULDBLOCK is what a non-blocking flock reports when another holds the
// file, the POSIX form of a sharing violation.
constexpr ErrorCodeCause kErrnoCauses[] = {
    {0, C::none},
    {ENOENT, C::fileNotFound},
    {ENOTDIR, C::badPath},
    {ENAMETOOLONG, C::badPath},
    {ELOOP, C::badPath},
    {ENXIO, C::badPath},
    {ENODEV, C::badPath},
    {EMFILE, C::tooManyOpenFiles},
    {ENFILE, C::tooManyOpenFiles},
    {EACCES, C::accessDenied},
    {EPERM, C::accessDenied},
    {EROFS, C::accessDenied},
    {EISDIR, C::accessDenied},
    {EEXIST, C::accessDenied},
    {EBADF, C::invalidFile},
    {ENOTEMPTY, C::removeCurrentDir},
    {EMLINK, C::directoryFull},
    {ESPIPE, C::badSeek},
    {EIO, C::hardIO},
    {EWOULDBLOCK, C::sharingViolation},
    {ETXTBSY, C::sharingViolation},
    {EBUSY, C::sharingViolation},
    {EDEADLK, C::lockViolation},
    {ENOLCK, C::lockViolation},
    {ENOSPC, C::diskFull},
    {EFBIG, C::diskFull},
#ifdef EDQUOT // not every C library has it (MinGW's has not)
    {EDQUOT, C::diskFull},
#endif
};

template <typename Table> int Lookup(const Table& table, long code) {
    for (const ErrorCodeCause& entry : table) {
        if (entry.code == code) {
            return entry.cause;
        }
    }
    return CFileException::genericException;
}

} // namespace

int CauseFromWindowsError(long code) {
    return Lookup(kWindowsErrorCodeCauses, code);
}

int CauseFromErrno(int error) {
    return Lookup(kErrnoCauses, error);
}

} // namespace fw
