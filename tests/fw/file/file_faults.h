#pragma once

// Makes one call of the file layer fail with a given platform error number,
// as a failing device would. A test program gets this by linking the
// korvane_file_faults library, whose system calls of the file layer take the
// place of the program's own; nothing fails unless a test arms it.
namespace file_faults {

// copyRange: the system's copy from one file to another (Linux). type,
// finalPath: a handle's file type and final path; disposition, attributes,
// permissions: a created output's delete mark, attributes and access list
// (Windows). anonymousFile: the making of a created output's file without a
// name (O_TMPFILE); owner, mode, link, folderFlush: the steps that put it in
// place (POSIX); rename: its rename (both).
enum class FileOp {
    open,
    stat,
    read,
    write,
    length,
    flush,
    close,
    copyRange,
    truncate,
    remove,
    type,
    finalPath,
    disposition,
    attributes,
    permissions,
    rename,
    anonymousFile,
    owner,
    mode,
    link,
    folderFlush,
};

// The call of op after `skip` successful ones fails with osError (once).
void Inject(FileOp op, long osError, int skip = 0);
void Clear();

// The error the next call of op fails with, or 0 when it goes ahead.
long Take(FileOp op);

// True while a fault of op is armed, whether or not its call is due yet.
bool IsArmed(FileOp op);

} // namespace file_faults
