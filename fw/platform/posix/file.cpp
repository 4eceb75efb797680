// CFile over POSIX file descriptors. A created output is written into a
// file without a name in the folder it goes to (or, where the file system
// has no such files, under a hidden name there), and takes the output's name
// in one step at the end: the name holds the old file until the new one is
// whole, whatever ends the process.
#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <fcntl.h>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

#include "fw/file/file.h"
#include "fw/file/file_error_causes.h"
#include "fw/file/retry_on_interrupt.h"
#include "fw/file/unique_fd.h"
#include "fw/platform/file_system.h"
#include "fw/platform/posix/file_calls.h"

using fw::RetryOnInterrupt;
// Closed through the file layer's own call.
using UniqueFd = fw::UniqueFd<fw::posix::CloseCall>;

struct CFile::Impl {
    UniqueFd fd;
    bool writing = false;
    // Regular files are locked; devices are not, and have nothing to flush
    // to stable storage.
    bool regular = false;
    // Copies from this file to an output go through the kernel where both
    // lie on a file system that copies by itself; cleared once the system
    // has said it cannot, and the rest goes through the buffer.
    bool kernelCopy = false;
    // A created output, which Close, Abort and the destructor put in place:
    // the folder it goes into, its name there, the file it replaces (held,
    // and locked where asked, until then), and the new file's own name there
    // while it has one (none for an O_TMPFILE file).
    bool created = false;
    UniqueFd folder;
    std::string name;
    UniqueFd replaced;
    std::string hiddenName;
    // Nothing was written since the last Flush.
    bool flushed = false;
};

namespace {

[[noreturn]] void ThrowFileError(int error, const std::string& fileName) {
    throw CFileException(fw::CauseFromErrno(error), error, fileName);
}

// The errno of a call that failed, or 0.
int ErrorOf(int result) {
    return result == -1 ? errno : 0;
}

// The folder that holds path, as a path.
std::string ContainingFolder(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file path names once every symbolic link at its end is followed: an
// output reached through a link keeps the link, and its target is replaced.
// A link that goes nowhere names the file it would make; a loop is left for
// the open to report.
std::string FinalTarget(std::string path) {
    for (int hops = 0; hops < 40; ++hops) {
        char target[PATH_MAX];
        const ssize_t n = fw::posix::ReadLinkCall(path.c_str(), target, sizeof target);
        if (n <= 0 || static_cast<std::size_t>(n) == sizeof target) {
            return path;
        }
        const std::string next(target, static_cast<std::size_t>(n));
        path = next.front() == '/' ? next : ContainingFolder(path) + "/" + next;
    }
    return path;
}

// A fresh hidden name beside the output `name`: ".NAME.korvane-XXXXXX". The
// output's name is in it, so that making it proves that a file system which
// refuses some characters (FAT) takes them; a name too long for that is
// shortened at a character's start.
std::string HiddenNameFor(const std::string& name) {
    static std::atomic<unsigned long long> counter{0};
    unsigned long long seed = static_cast<unsigned long long>(
                                  std::chrono::steady_clock::now().time_since_epoch().count()) ^
                              (static_cast<unsigned long long>(::getpid()) << 40) ^
                              (counter++ * 0x9E3779B97F4A7C15ULL);
    std::string suffix = ".korvane-";
    constexpr char kDigits[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    for (int i = 0; i < 6; ++i) {
        suffix += kDigits[seed % 36];
        seed /= 36;
    }
    std::size_t keep = std::min(name.size(), std::size_t{NAME_MAX} - 1 - suffix.size());
    while (keep > 0 && keep < name.size() &&
           (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80) {
        --keep;
    }
    std::string hidden = ".";
    hidden.append(name, 0, keep);
    return hidden + suffix;
}

// Errors by which O_TMPFILE says that this file system, or this kernel,
// makes no files without a name.
bool NoAnonymousFiles(int error) {
    return error == EOPNOTSUPP || error == EISDIR || error == EINVAL || error == ENOSYS;
}

// Makes the new file for a created output going to target, in its folder;
// returns 0 or the error that kept it from being made.
int MakeNewFile(const std::string& target, CFile::Impl& impl) {
    const std::size_t slash = target.find_last_of('/');
    impl.name = slash == std::string::npos ? target : target.substr(slash + 1);
    const std::string folder = ContainingFolder(target);
    // A folder with write and search permission only cannot be opened for
    // reading: the file still goes there, without the folder's flush.
    impl.folder.reset(RetryOnInterrupt([&] {
        return fw::posix::OpenCall(AT_FDCWD, folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    }));
    if (!impl.folder && errno == EACCES) {
        impl.folder.reset(RetryOnInterrupt([&] {
            return fw::posix::OpenCall(AT_FDCWD, folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC,
                                       0);
        }));
    }
    if (!impl.folder) {
        return errno;
    }
    impl.fd.reset(
        RetryOnInterrupt([&] { return fw::posix::OpenAnonymousCall(impl.folder.get(), 0666); }));
    if (impl.fd) {
        return 0;
    }
    if (!NoAnonymousFiles(errno)) {
        return errno;
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string hidden = HiddenNameFor(impl.name);
        impl.fd.reset(RetryOnInterrupt([&] {
            return fw::posix::OpenCall(impl.folder.get(), hidden.c_str(),
                                       O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
        }));
        if (impl.fd) {
            impl.hiddenName = std::move(hidden);
            return 0;
        }
        if (errno != EEXIST) {
            return errno;
        }
    }
    return EEXIST;
}

// Gives the new file the owner (where this process may) and permission bits
// of the file it replaces; the bits come last, as a change of owner can
// clear some. Nothing is asked that is so already, which file systems that
// keep no owners or modes (FAT) refuse.
int TakeOwnerAndMode(int fd, int replaced) {
    struct stat old{};
    struct stat own{};
    if (fw::posix::InspectCall(replaced, &old) != 0 || fw::posix::InspectCall(fd, &own) != 0) {
        return errno;
    }
    if (old.st_uid != own.st_uid || old.st_gid != own.st_gid) {
        // Only root gives a file away; a member of the old group may still
        // give it that group.
        int rc = fw::posix::ChownCall(fd, old.st_uid, old.st_gid);
        if (rc != 0 && errno == EPERM && old.st_gid != own.st_gid) {
            rc = fw::posix::ChownCall(fd, static_cast<uid_t>(-1), old.st_gid);
        }
        if (rc != 0 && errno != EPERM) {
            return errno;
        }
    }
    if ((old.st_mode & 07777) != (own.st_mode & 07777) &&
        fw::posix::ChmodCall(fd, old.st_mode & 07777) != 0) {
        return errno;
    }
    return 0;
}

// Puts a created output in place: its data on stable storage, the replaced
// file's owner and bits, a name in the folder, then the output's name in one
// step, then the folder flushed. Returns 0 or the first error; a failure
// before the output's name is taken removes the new file's name, so the old
// file stays as it was and nothing else is left.
int PutInPlace(CFile::Impl& impl) {
    const int folder = impl.folder.get();
    int error = impl.flushed
                    ? 0
                    : ErrorOf(RetryOnInterrupt([&] { return fw::posix::SyncCall(impl.fd.get()); }));
    if (error == 0 && impl.replaced) {
        error = TakeOwnerAndMode(impl.fd.get(), impl.replaced.get());
    }
    for (int attempt = 0; error == 0 && impl.hiddenName.empty(); ++attempt) {
        std::string hidden = HiddenNameFor(impl.name);
        if (fw::posix::LinkCall(impl.fd.get(), folder, hidden.c_str()) == 0) {
            impl.hiddenName = std::move(hidden);
        } else if (errno != EEXIST || attempt == 99) {
            error = errno;
        }
    }
    if (error == 0 &&
        fw::posix::RenameCall(folder, impl.hiddenName.c_str(), impl.name.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        if (!impl.hiddenName.empty()) {
            fw::posix::RemoveCall(folder, impl.hiddenName.c_str());
        }
        return error;
    }
    impl.hiddenName.clear();
    impl.created = false;
    // EINVAL: a file system that keeps no such state; EBADF: a folder that
    // could only be opened as a path.
    error = ErrorOf(RetryOnInterrupt([&] { return fw::posix::SyncFolderCall(folder); }));
    return error == EINVAL || error == EBADF ? 0 : error;
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

    auto fail = [&](int err) {
        if (error != nullptr) {
            *error = CFileException(fw::CauseFromErrno(err), err, path);
        }
        return false;
    };

    // The file named is opened as it is, not created: for a created output
    // that is the file it replaces, held until then and never truncated, so
    // that one another program holds fails here and keeps its contents. A
    // name too long for the file system fails here too, at its lookup,
    // before anything is made.
    // O_NONBLOCK keeps the open itself from waiting on a FIFO without a peer;
    // it is cleared again once the file is known to be acceptable.
    const std::string target = creating ? FinalTarget(path) : path;
    UniqueFd fd(RetryOnInterrupt([&] {
        return fw::posix::OpenCall(
            AT_FDCWD, target.c_str(),
            (writing ? O_WRONLY : O_RDONLY) | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0);
    }));
    const bool exists = static_cast<bool>(fd);
    if (!exists && !(creating && errno == ENOENT)) {
        return fail(errno);
    }
    struct stat st{};
    if (exists) {
        if (fw::posix::InspectCall(fd.get(), &st) != 0) {
            return fail(errno);
        }
        if (!writing && !S_ISREG(st.st_mode)) {
            return fail(S_ISDIR(st.st_mode) ? EISDIR : EINVAL);
        }
        // A pipe or socket would block the writer while its reader does not
        // read, and end it with SIGPIPE once the reader goes; devices such as
        // /dev/null take writes at once.
        if (writing && (S_ISFIFO(st.st_mode) || S_ISSOCK(st.st_mode))) {
            return fail(ENXIO);
        }
        if (fw::posix::SetBlockingCall(fd.get()) != 0) {
            return fail(errno);
        }
        // Where the file system cannot give the lock, the file is still
        // usable, as it would be to any other program there.
        if (S_ISREG(st.st_mode) && (flags & shareExclusive) != 0 &&
            RetryOnInterrupt([&] { return fw::posix::LockCall(fd.get()); }) != 0 &&
            LockHeldElsewhere(errno)) {
            return fail(errno);
        }
    }

    auto impl = std::make_unique<Impl>();
    impl->writing = writing;
    impl->regular = !exists || S_ISREG(st.st_mode);
    // A device is written directly; a regular file is replaced by a new one.
    if (creating && impl->regular) {
        if (const int err = MakeNewFile(target, *impl); err != 0) {
            return fail(err);
        }
        impl->created = true;
        impl->replaced = std::move(fd);
    } else {
        impl->fd = std::move(fd);
    }
    impl->kernelCopy = fw::posix::CopiesFilesItselfCall(impl->fd.get());
    m_impl.reset(impl.release());
    m_strFileName = path;
    return true;
}

std::size_t CFile::Read(void* buffer, std::size_t count) {
    if (!m_impl) {
        ThrowFileError(EBADF, m_strFileName);
    }
    const ssize_t n =
        RetryOnInterrupt([&] { return fw::posix::ReadCall(m_impl->fd.get(), buffer, count); });
    if (n < 0) {
        ThrowFileError(errno, m_strFileName);
    }
    return static_cast<std::size_t>(n);
}

void CFile::Write(const void* buffer, std::size_t count) {
    if (!m_impl) {
        ThrowFileError(EBADF, m_strFileName);
    }
    m_impl->flushed = false;
    const char* bytes = static_cast<const char*>(buffer);
    // A write may store fewer bytes than asked (a signal, a size limit, a
    // nearly full disk); the rest is written again, so that a real shortage
    // shows as the error of the next write.
    while (count > 0) {
        const ssize_t n =
            RetryOnInterrupt([&] { return fw::posix::WriteCall(m_impl->fd.get(), bytes, count); });
        if (n < 0) {
            ThrowFileError(errno, m_strFileName);
        }
        if (n == 0) {
            ThrowFileError(ENOSPC, m_strFileName);
        }
        bytes += n;
        count -= static_cast<std::size_t>(n);
    }
}

std::size_t CFile::CopyTo(CFile& output, std::size_t count, std::span<std::byte> buffer) {
    if (!m_impl) {
        ThrowFileError(EBADF, m_strFileName);
    }
    std::size_t copied = 0;
    if (output.m_impl) {
        output.m_impl->flushed = false;
    }
    while (copied < count && m_impl->kernelCopy && output.m_impl && output.m_impl->kernelCopy) {
        const ssize_t n = RetryOnInterrupt([&] {
            return fw::posix::CopyRangeCall(m_impl->fd.get(), output.m_impl->fd.get(),
                                            count - copied);
        });
        if (n > 0) {
            copied += static_cast<std::size_t>(n);
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
    return copied + CopyThroughBuffer(output, count - copied, buffer);
}

std::uint64_t CFile::GetLength() const {
    if (!m_impl) {
        ThrowFileError(EBADF, m_strFileName);
    }
    struct stat st{};
    if (fw::posix::StatCall(m_impl->fd.get(), &st) != 0) {
        ThrowFileError(errno, m_strFileName);
    }
    return static_cast<std::uint64_t>(st.st_size);
}

void CFile::Flush() {
    if (!m_impl) {
        ThrowFileError(EBADF, m_strFileName);
    }
    const int rc = RetryOnInterrupt([&] { return fw::posix::SyncCall(m_impl->fd.get()); });
    // EINVAL: a device such as /dev/null that has nothing to synchronise.
    if (rc != 0 && !(errno == EINVAL && !m_impl->regular)) {
        ThrowFileError(errno, m_strFileName);
    }
    m_impl->flushed = true;
}

void CFile::Close() {
    if (!m_impl) {
        return;
    }
    const std::unique_ptr<Impl, ImplDeleter> impl = std::move(m_impl);
    const std::string name = std::move(m_strFileName);
    m_strFileName.clear();

    int error = impl->created ? PutInPlace(*impl) : 0;
    // The descriptor is released whatever close reports; EINTR is not
    // retried, as Linux has already closed it by then.
    const int closeError = ErrorOf(impl->fd.close());
    if (error == 0 && closeError != EINTR) {
        error = closeError;
    }
    if (error != 0) {
        ThrowFileError(error, name);
    }
}

void CFile::Abort() noexcept {
    if (m_impl && m_impl->created) {
        PutInPlace(*m_impl);
    }
    m_impl.reset();
    m_strFileName.clear();
}

bool CFile::Discard() noexcept {
    const std::unique_ptr<Impl, ImplDeleter> impl = std::move(m_impl);
    m_strFileName.clear();
    if (!impl || !impl->writing || !impl->regular) {
        return true;
    }
    // A file written in place keeps what was written.
    if (!impl->created) {
        return false;
    }
    // A file without a name goes with its descriptor.
    if (impl->hiddenName.empty()) {
        return true;
    }
    const bool emptied =
        RetryOnInterrupt([&] { return fw::posix::TruncateCall(impl->fd.get()); }) == 0;
    impl->fd.reset();
    const bool removed = fw::posix::RemoveCall(impl->folder.get(), impl->hiddenName.c_str()) == 0;
    return emptied || removed;
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
