#include "fw/file_error_causes.h"

#include <cerrno>

#include "fw/file_exception.h"

namespace fw {
namespace {

struct CodeCause {
    long code;
    int cause;
};

using C = CFileException;

// Windows system error codes with a cause of their own; every other code is
// genericException. Among those others is 87 (invalid parameter).
constexpr CodeCause kWindowsCauses[] = {
    {0, C::none},
    {2, C::fileNotFound},
    {6, C::fileNotFound},
    {18, C::fileNotFound},
    {107, C::fileNotFound},
    {3, C::badPath},
    {15, C::badPath},
    {17, C::badPath},
    {34, C::badPath},
    {52, C::badPath},
    {53, C::badPath},
    {55, C::badPath},
    {67, C::badPath},
    {70, C::badPath},
    {85, C::badPath},
    {111, C::badPath},
    {123, C::badPath},
    {124, C::badPath},
    {125, C::badPath},
    {144, C::badPath},
    {154, C::badPath},
    {161, C::badPath},
    {206, C::badPath},
    {208, C::badPath},
    {267, C::badPath},
    {4, C::tooManyOpenFiles},
    {36, C::tooManyOpenFiles},
    {68, C::tooManyOpenFiles},
    {113, C::tooManyOpenFiles},
    {5, C::accessDenied},
    {12, C::accessDenied},
    {19, C::accessDenied},
    {29, C::accessDenied},
    {54, C::accessDenied},
    {58, C::accessDenied},
    {64, C::accessDenied},
    {65, C::accessDenied},
    {71, C::accessDenied},
    {80, C::accessDenied},
    {82, C::accessDenied},
    {86, C::accessDenied},
    {170, C::accessDenied},
    {183, C::accessDenied},
    {999, C::accessDenied},
    {11, C::invalidFile},
    {26, C::invalidFile},
    {60, C::invalidFile},
    {66, C::invalidFile},
    {114, C::invalidFile},
    {182, C::invalidFile},
    {191, C::invalidFile},
    {193, C::invalidFile},
    {16, C::removeCurrentDir},
    {145, C::removeCurrentDir},
    {62, C::directoryFull},
    {24, C::badSeek},
    {25, C::badSeek},
    {27, C::badSeek},
    {30, C::badSeek},
    {131, C::badSeek},
    {132, C::badSeek},
    {20, C::hardIO},
    {21, C::hardIO},
    {22, C::hardIO},
    {23, C::hardIO},
    {57, C::hardIO},
    {59, C::hardIO},
    {88, C::hardIO},
    {117, C::hardIO},
    {995, C::hardIO},
    {996, C::hardIO},
    {997, C::hardIO},
    {32, C::sharingViolation},
    {33, C::lockViolation},
    {108, C::lockViolation},
    {167, C::lockViolation},
    {39, C::diskFull},
    {112, C::diskFull},
    {38, C::endOfFile},
};

// errno values with a cause of their own, chosen to match what the nearest
// Windows error would give; every other value is genericException.
// EWOULDBLOCK is what a non-blocking flock reports when another holds the
// file, the POSIX form of a sharing violation.
constexpr CodeCause kErrnoCauses[] = {
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
    for (const CodeCause& entry : table) {
        if (entry.code == code) {
            return entry.cause;
        }
    }
    return CFileException::genericException;
}

} // namespace

int CauseFromWindowsError(long code) {
    return Lookup(kWindowsCauses, code);
}

int CauseFromErrno(int error) {
    return Lookup(kErrnoCauses, error);
}

} // namespace fw
