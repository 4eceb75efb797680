#pragma once

// How platform error numbers become the causes of CFileException. Both
// mappings are compiled everywhere, so each is tested on every platform; the
// file layer of each platform uses its own.
namespace fw {

// Windows system error code (decimal) to cause.
int CauseFromWindowsError(long code);

// POSIX errno value to cause.
int CauseFromErrno(int error);

} // namespace fw
