#pragma once

#include "fw/file_exception.h"

// The Windows system error codes (decimal) that have a file-error cause of
// their own, in code order; every other code, among them 87
// (ERROR_INVALID_PARAMETER, what a length query of a 4 GiB input gave with
// 32-bit lengths), is genericException.
namespace fw {

struct ErrorCodeCause {
    long code;
    int cause;
};

namespace windows_error_code_causes {

using C = CFileException;

inline constexpr ErrorCodeCause kTable[] = {
    {0, C::none},               // ERROR_SUCCESS
    {2, C::fileNotFound},       // ERROR_FILE_NOT_FOUND
    {3, C::badPath},            // ERROR_PATH_NOT_FOUND
    {4, C::tooManyOpenFiles},   // ERROR_TOO_MANY_OPEN_FILES
    {5, C::accessDenied},       // ERROR_ACCESS_DENIED
    {6, C::fileNotFound},       // ERROR_INVALID_HANDLE
    {11, C::invalidFile},       // ERROR_BAD_FORMAT
    {12, C::accessDenied},      // ERROR_INVALID_ACCESS
    {15, C::badPath},           // ERROR_INVALID_DRIVE
    {16, C::removeCurrentDir},  // ERROR_CURRENT_DIRECTORY
    {17, C::badPath},           // ERROR_NOT_SAME_DEVICE
    {18, C::fileNotFound},      // ERROR_NO_MORE_FILES
    {19, C::accessDenied},      // ERROR_WRITE_PROTECT
    {20, C::hardIO},            // ERROR_BAD_UNIT
    {21, C::hardIO},            // ERROR_NOT_READY
    {22, C::hardIO},            // ERROR_BAD_COMMAND
    {23, C::hardIO},            // ERROR_CRC
    {24, C::badSeek},           // ERROR_BAD_LENGTH
    {25, C::badSeek},           // ERROR_SEEK
    {26, C::invalidFile},       // ERROR_NOT_DOS_DISK
    {27, C::badSeek},           // ERROR_SECTOR_NOT_FOUND
    {29, C::accessDenied},      // ERROR_WRITE_FAULT
    {30, C::badSeek},           // ERROR_READ_FAULT
    {32, C::sharingViolation},  // ERROR_SHARING_VIOLATION
    {33, C::lockViolation},     // ERROR_LOCK_VIOLATION
    {34, C::badPath},           // ERROR_WRONG_DISK
    {36, C::tooManyOpenFiles},  // ERROR_SHARING_BUFFER_EXCEEDED
    {38, C::endOfFile},         // ERROR_HANDLE_EOF
    {39, C::diskFull},          // ERROR_HANDLE_DISK_FULL
    {52, C::badPath},           // ERROR_DUP_NAME
    {53, C::badPath},           // ERROR_BAD_NETPATH
    {54, C::accessDenied},      // ERROR_NETWORK_BUSY
    {55, C::badPath},           // ERROR_DEV_NOT_EXIST
    {57, C::hardIO},            // ERROR_ADAP_HDW_ERR
    {58, C::accessDenied},      // ERROR_BAD_NET_RESP
    {59, C::hardIO},            // ERROR_UNEXP_NET_ERR
    {60, C::invalidFile},       // ERROR_BAD_REM_ADAP
    {62, C::directoryFull},     // ERROR_NO_SPOOL_SPACE
    {64, C::accessDenied},      // ERROR_NETNAME_DELETED
    {65, C::accessDenied},      // ERROR_NETWORK_ACCESS_DENIED
    {66, C::invalidFile},       // ERROR_BAD_DEV_TYPE
    {67, C::badPath},           // ERROR_BAD_NET_NAME
    {68, C::tooManyOpenFiles},  // ERROR_TOO_MANY_NAMES
    {70, C::badPath},           // ERROR_SHARING_PAUSED
    {71, C::accessDenied},      // ERROR_REQ_NOT_ACCEP
    {80, C::accessDenied},      // ERROR_FILE_EXISTS
    {82, C::accessDenied},      // ERROR_CANNOT_MAKE
    {85, C::badPath},           // ERROR_ALREADY_ASSIGNED
    {86, C::accessDenied},      // ERROR_INVALID_PASSWORD
    {88, C::hardIO},            // ERROR_NET_WRITE_FAULT
    {107, C::fileNotFound},     // ERROR_DISK_CHANGE
    {108, C::lockViolation},    // ERROR_DRIVE_LOCKED
    {111, C::badPath},          // ERROR_BUFFER_OVERFLOW
    {112, C::diskFull},         // ERROR_DISK_FULL
    {113, C::tooManyOpenFiles}, // ERROR_NO_MORE_SEARCH_HANDLES
    {114, C::invalidFile},      // ERROR_INVALID_TARGET_HANDLE
    {117, C::hardIO},           // ERROR_INVALID_CATEGORY
    {123, C::badPath},          // ERROR_INVALID_NAME
    {124, C::badPath},          // ERROR_INVALID_LEVEL
    {125, C::badPath},          // ERROR_NO_VOLUME_LABEL
    {131, C::badSeek},          // ERROR_NEGATIVE_SEEK
    {132, C::badSeek},          // ERROR_SEEK_ON_DEVICE
    {144, C::badPath},          // ERROR_DIR_NOT_ROOT
    {145, C::removeCurrentDir}, // ERROR_DIR_NOT_EMPTY
    {154, C::badPath},          // ERROR_LABEL_TOO_LONG
    {161, C::badPath},          // ERROR_BAD_PATHNAME
    {167, C::lockViolation},    // ERROR_LOCK_FAILED
    {170, C::accessDenied},     // ERROR_BUSY
    {182, C::invalidFile},      // ERROR_INVALID_ORDINAL
    {183, C::accessDenied},     // ERROR_ALREADY_EXISTS
    {191, C::invalidFile},      // ERROR_INVALID_EXE_SIGNATURE
    {193, C::invalidFile},      // ERROR_BAD_EXE_FORMAT
    {206, C::badPath},          // ERROR_FILENAME_EXCED_RANGE
    {208, C::badPath},          // ERROR_META_EXPANSION_TOO_LONG
    {267, C::badPath},          // ERROR_DIRECTORY
    {995, C::hardIO},           // ERROR_OPERATION_ABORTED
    {996, C::hardIO},           // ERROR_IO_INCOMPLETE
    {997, C::hardIO},           // ERROR_IO_PENDING
    {999, C::accessDenied},     // ERROR_SWAPERROR
};

} // namespace windows_error_code_causes

} // namespace fw
