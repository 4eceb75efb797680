#pragma once

// A seam for tests: makes one operation of the file layer fail with a given
// platform error number, as a failing device would. Nothing is armed unless a
// test arms it; the platform implementations of CFile ask TakeFileFault
// before each operation and fail with the error it returns (0: go ahead).
namespace fw {

// copyRange: the system's copy from one file to another (Linux).
enum class FileOp { read, write, length, flush, close, copyRange };

namespace testing {

// The call of op after `skip` successful ones fails with osError (once).
void InjectFileFault(FileOp op, long osError, int skip = 0);
void ClearFileFaults();

} // namespace testing

long TakeFileFault(FileOp op);

// True while a fault of op is armed, whether or not its call is due yet.
bool IsFileFaultArmed(FileOp op);

} // namespace fw
