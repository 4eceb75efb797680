// CFile over POSIX file descriptors.
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

#include "fw/file/file.h"
#include "fw/file/file_error_causes.h"
#include "fw/platform/posix/file_calls.h"

struct CFile::Impl {
    int fd = -1;
    // Regular files are locked and truncated; devices are not, and have
    // nothing to flush to stable storage.
    bool regular = false;
    // Copies from this file to an output go through the kernel where both
    // lie on a file system that copies by itself; cleared once the system
    // has said it cannot, and the rest goes through the buffer.
    bool kernelCopy = false;
    // This open made the file: its folder's entry for it is flushed too.
    bool created = false;
    // A file opened for writing: where it is, links resolved, and which
    // file it is, so that Discard removes this file and nothing else.
    std::string realPath;
    dev_t device = 0;
    ino_t inode = 0;
};

namespace {

[[noreturn]] void ThrowFileError(int error, const std::string& fileName) {
    throw CFileException(fw::CauseFromErrno(error), error, fileName);
}

// Closes a descriptor on the failure paths of Open.
class DescriptorGuard {
public:
    explicit DescriptorGuard(int fd) : m_fd(fd) {}
    ~DescriptorGuard() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    DescriptorGuard(const DescriptorGuard&) = delete;
    DescriptorGuard& operator=(const DescriptorGuard&) = delete;
    int Release() { return std::exchange(m_fd, -1); }

private:
    int m_fd;
};

// The folder that holds path, as a path.
std::string ContainingFolder(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Flushes the folder entry of a file this program made, so that the file
// is found after a power cut. A folder that cannot be opened for reading
// (write and search permission only) or a file system that keeps no such
// state (EINVAL) leaves nothing more to do.
int FlushContainingFolder(const std::string& path) {
    const int dir = ::open(ContainingFolder(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0) {
        return 0;
    }
    int rc = 0;
    do {
        rc = ::fsync(dir);
    } while (rc != 0 && errno == EINTR);
    const int error = rc != 0 && errno != EINVAL ? errno : 0;
    ::close(dir);
    return error;
}

// The path of the file fd holds, with every symbolic link resolved; path
// itself where that cannot be found out.
std::string RealPathOf(const std::string& path, const struct stat& held) {
    std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr),
                                                         &std::free);
    struct stat named{};
    if (resolved == nullptr || ::stat(resolved.get(), &named) != 0 || named.st_dev != held.st_dev ||
        named.st_ino != held.st_ino) {
        return path;
    }
    return resolved.get();
}

// Removes path where it still names the regular file device/inode.
bool RemoveIfStillNamed(const std::string& path, dev_t device, ino_t inode) {
    struct stat named{};
    if (::lstat(path.c_str(), &named) != 0 || !S_ISREG(named.st_mode) || named.st_dev != device ||
        named.st_ino != inode) {
        return false;
    }
    return fw::posix::RemoveCall(path.c_str()) == 0;
}

// Whether a failed non-blocking flock means that another holder has the
// file. The other failures say that the file system cannot give the lock:
// no flock at all, or NFS, whose emulation refuses an exclusive lock on a
// file opened for reading (EBADF) or runs out of locks (ENOLCK).
bool LockHeldElsewhere(int error) {
    return error == EWOULDBLOCK;
}

// Errors by which copy_file_range says it cannot copy between these two
// files at all (another file system, a device, an old kernel).
bool KernelCannotCopy(int error) {
    return error == EXDEV || error == EINVAL || error == EOPNOTSUPP || error == ENOSYS;
}

} // namespace

void CFile::ImplDeleter::operator()(Impl* impl) const noexcept {
    std::default_delete<Impl>()(impl);
}

bool CFile::Open(const std::string& path, unsigned flags, CFileException* error) {
    Abort();
    const bool writing = (flags & modeWrite) != 0;
    const bool creating = writing && (flags & modeCreate) != 0;

    // O_NONBLOCK keeps the open itself from waiting on a FIFO without a peer;
    // it is cleared again once the file is known to be acceptable.
    int oflags = O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
    oflags |= writing ? O_WRONLY : O_RDONLY;
    if (creating) {
        oflags |= O_CREAT;
    }

    auto fail = [&](int err) {
        if (error != nullptr) {
            *error = CFileException(fw::CauseFromErrno(err), err, path);
        }
        return false;
    };

    // Whether this open makes the file; a race with another program only
    // decides whether the folder is flushed as well.
    struct stat before{};
    const bool created = creating && ::stat(path.c_str(), &before) != 0 && errno == ENOENT;
    int fd = -1;
    do {
        fd = ::open(path.c_str(), oflags, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        return fail(errno);
    }
    DescriptorGuard guard(fd);

    struct stat st{};
    if (::fstat(fd, &st) != 0) {
        return fail(errno);
    }
    const bool regular = S_ISREG(st.st_mode);
    if (!writing && !regular) {
        return fail(S_ISDIR(st.st_mode) ? EISDIR : EINVAL);
    }
    // A pipe or socket would block the writer while its reader does not
    // read, and end it with SIGPIPE once the reader goes; devices such as
    // /dev/null take writes at once.
    if (writing && (S_ISFIFO(st.st_mode) || S_ISSOCK(st.st_mode))) {
        return fail(ENXIO);
    }

    const int fdFlags = ::fcntl(fd, F_GETFL);
    if (fdFlags < 0 || ::fcntl(fd, F_SETFL, fdFlags & ~O_NONBLOCK) != 0) {
        return fail(errno);
    }

    if (regular && (flags & shareExclusive) != 0) {
        int rc = 0;
        do {
            rc = ::flock(fd, LOCK_EX | LOCK_NB);
        } while (rc != 0 && errno == EINTR);
        // Where the file system cannot give the lock, the file is still
        // usable, as it would be to any other program there.
        if (rc != 0 && LockHeldElsewhere(errno)) {
            return fail(errno);
        }
    }

    // Truncate only now that the file is held: a file another program holds
    // has failed to open above and keeps its contents.
    if (creating && regular && ::ftruncate(fd, 0) != 0) {
        return fail(errno);
    }

    const bool kernelCopy = fw::posix::CopiesFilesItselfCall(fd);
    std::string realPath = writing && regular ? RealPathOf(path, st) : std::string();
    m_impl.reset(std::make_unique<Impl>(Impl{guard.Release(), regular, kernelCopy, created,
                                             std::move(realPath), st.st_dev, st.st_ino})
                     .release());
    m_strFileName = path;
    return true;
}

std::size_t CFile::Read(void* buffer, std::size_t count) {
    if (!m_impl) {
        ThrowFileError(EBADF, m_strFileName);
    }
    for (;;) {
        const ssize_t n = fw::posix::ReadCall(m_impl->fd, buffer, count);
        if (n >= 0) {
            return static_cast<std::size_t>(n);
        }
        if (errno != EINTR) {
            ThrowFileError(errno, m_strFileName);
        }
    }
}

void CFile::Write(const void* buffer, std::size_t count) {
    if (!m_impl) {
        ThrowFileError(EBADF, m_strFileName);
    }
    const char* bytes = static_cast<const char*>(buffer);
    // A write may store fewer bytes than asked (a signal, a size limit, a
    // nearly full disk); the rest is written again, so that a real shortage
    // shows as the error of the next write.
    while (count > 0) {
        const ssize_t n = fw::posix::WriteCall(m_impl->fd, bytes, count);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            ThrowFileError(errno, m_strFileName);
        }
        if (n == 0) {
            ThrowFileError(ENOSPC, m_strFileName);
        }
        bytes += n;
        count -= static_cast<std::size_t>(n);
    }
}

CFile::CopyResult CFile::CopyTo(CFile& output, std::size_t count, std::span<std::byte> buffer) {
    if (!m_impl) {
        ThrowFileError(EBADF, m_strFileName);
    }
    std::size_t copied = 0;
    while (copied < count && m_impl->kernelCopy && output.m_impl && output.m_impl->kernelCopy) {
        const ssize_t n = fw::posix::CopyRangeCall(m_impl->fd, output.m_impl->fd, count - copied);
        if (n > 0) {
            copied += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0 && KernelCannotCopy(errno)) {
            m_impl->kernelCopy = false;
        }
        // The end of the input, or a failure. copy_file_range does not say
        // which side failed (EIO), and some file systems copy nothing rather
        // than fail: the rest of the slice goes through the buffer, where a
        // failure belongs to the read or the write and the end is a read of 0.
        break;
    }
    CopyResult rest = CopyThroughBuffer(output, count - copied, buffer);
    rest.copied += copied;
    return rest;
}

std::uint64_t CFile::GetLength() const {
    if (!m_impl) {
        ThrowFileError(EBADF, m_strFileName);
    }
    struct stat st{};
    if (fw::posix::StatCall(m_impl->fd, &st) != 0) {
        ThrowFileError(errno, m_strFileName);
    }
    return static_cast<std::uint64_t>(st.st_size);
}

void CFile::Flush() {
    if (!m_impl) {
        ThrowFileError(EBADF, m_strFileName);
    }
    int rc = 0;
    do {
        rc = fw::posix::SyncCall(m_impl->fd);
    } while (rc != 0 && errno == EINTR);
    // EINVAL: a device such as /dev/null that has nothing to synchronise.
    if (rc != 0 && !(errno == EINVAL && !m_impl->regular)) {
        ThrowFileError(errno, m_strFileName);
    }
    if (m_impl->created) {
        if (const int error = FlushContainingFolder(m_strFileName); error != 0) {
            ThrowFileError(error, m_strFileName);
        }
    }
}

void CFile::Close() {
    if (!m_impl) {
        return;
    }
    const int fd = m_impl->fd;
    m_impl.reset();
    std::string name = std::move(m_strFileName);
    m_strFileName.clear();

    // The descriptor is released whatever close reports; EINTR is not
    // retried, as Linux has already closed it by then.
    const int rc = fw::posix::CloseCall(fd);
    if (rc != 0 && errno != EINTR) {
        ThrowFileError(errno, name);
    }
}

void CFile::Abort() noexcept {
    if (m_impl) {
        ::close(m_impl->fd);
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
    if (!impl->regular) {
        ::close(impl->fd);
        return true;
    }
    int rc = 0;
    do {
        rc = fw::posix::TruncateCall(impl->fd);
    } while (rc != 0 && errno == EINTR);
    const bool emptied = rc == 0;
    struct stat st{};
    const bool onlyName = ::fstat(impl->fd, &st) == 0 && st.st_nlink <= 1;
    ::close(impl->fd);
    const bool removed = RemoveIfStillNamed(impl->realPath, impl->device, impl->inode);
    return emptied || (removed && onlyName);
}

namespace fw {

bool IsSameExistingFile(const std::string& a, const std::string& b) {
    struct stat sa{};
    struct stat sb{};
    if (::stat(a.c_str(), &sa) != 0 || ::stat(b.c_str(), &sb) != 0) {
        return false;
    }
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

} // namespace fw
