#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "fw/file/file_exception.h"

// A file opened for reading or for writing, held by one object and closed
// with it. Each platform provides the implementation (fw/platform/posix/,
// fw/platform/windows/) behind the opaque Impl.
//
// Results follow one rule. Open reports failure by a false result (and
// fills the optional CFileException with the cause); Discard, Abort and the
// destructor never throw. Every other failing operation throws
// CFileException naming the file that failed, so a caller that works on
// two files (CopyTo) tells a failed read from a failed write by the name.
class CFile {
public:
    enum OpenFlags : unsigned {
        // Open an existing file for reading. Only regular files are admitted:
        // a directory, pipe or device fails to open at once, without blocking.
        modeRead = 0x0000,
        // Open for writing; without modeCreate, an existing file is written in
        // place.
        modeWrite = 0x0001,
        // With modeWrite: write a new file that takes the path's name when it
        // is put in place (Close, Abort, the destructor), replacing in one
        // step the file there, which stays untouched until then; a symbolic
        // link keeps its link and its target is replaced. The new file is
        // made in the folder of that target, without a name or under a
        // hidden one, so that a process that ends without putting it in
        // place (killed, crashed, a power cut) leaves the old file as it was
        // and at most that hidden file. The open fails as a creation does
        // (missing or unwritable folder, a name that cannot be made), and
        // where the existing file cannot be written or another program holds
        // it; a device is written directly, and a pipe or socket is refused.
        modeCreate = 0x1000,
        // Admit no other opener while this object holds the file (share mode 0
        // on Windows, an exclusive non-blocking flock on POSIX). Where another
        // holds the file, the open fails with sharingViolation.
        shareExclusive = 0x0010,
    };

    CFile() noexcept;
    // Closes an open file without throwing, as Abort does.
    ~CFile();

    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // Opens path with a combination of OpenFlags. An object that already
    // holds a file closes it first (without throwing).
    bool Open(const std::string& path, unsigned flags, CFileException* error = nullptr);

    // Reads up to count bytes; returns the number read, 0 at the end.
    std::size_t Read(void* buffer, std::size_t count);

    // Writes all count bytes; storing fewer than asked throws.
    void Write(const void* buffer, std::size_t count);

    // Copies up to count bytes from this file's position to output's,
    // advancing both, and returns the number copied: fewer than asked only
    // where this file ended. Where both lie on a file system that copies
    // between its files by itself, sharing blocks or copying on the server
    // (btrfs, XFS, NFS, SMB on Linux), the kernel copies (copy_file_range)
    // and the bytes do not pass through this process. Elsewhere, and
    // wherever that copy fails, they go through buffer by Read and Write, so
    // that a failure is always told apart: a failed read throws as Read does,
    // naming this file, and a failed write as Write does, naming output,
    // which keeps the bytes copied before. buffer must not be empty.
    std::size_t CopyTo(CFile& output, std::size_t count, std::span<std::byte> buffer);

    std::uint64_t GetLength() const;

    // Flushes what was written through to stable storage. On a device
    // that has no stable storage to flush to (a null device) it does nothing.
    void Flush();

    // Closes the file; a failure throws, and the object is closed either way.
    // A created file is put in place first: flushed to stable storage unless
    // Flush came after the last write, given the owner (where the process
    // may) and permission bits of the file it replaces, renamed over that
    // file in one step, and its folder flushed. A failure of any of these
    // throws; where the rename has not happened, the new file is removed and
    // the old one stays as it was. A hard-linked file that is replaced keeps
    // its contents under its other names.
    void Close();

    // Closes the file if open, ignoring any failure; a created file is put
    // in place as by Close, as far as that goes.
    void Abort() noexcept;

    // Gives up a created file this object has written: nothing is put in
    // place, the file it would replace stays as it was, and the new file
    // goes. A device is only closed. Returns false where written data may
    // remain under some name: the new file had a hidden name (on file
    // systems that make no files without one) and could neither be emptied
    // nor removed, or the file was opened for writing without modeCreate and
    // written in place. Never throws.
    bool Discard() noexcept;

    bool IsOpen() const noexcept;

    // The path given to Open; empty when closed.
    const std::string& GetFilePath() const noexcept;

    struct Impl;
    // Frees an Impl; each platform defines it where Impl is complete.
    struct ImplDeleter {
        void operator()(Impl* impl) const noexcept;
    };

private:
    // CopyTo through buffer, by Read and Write.
    std::size_t CopyThroughBuffer(CFile& output, std::size_t count, std::span<std::byte> buffer);

    std::unique_ptr<Impl, ImplDeleter> m_impl;
    std::string m_strFileName;
};
