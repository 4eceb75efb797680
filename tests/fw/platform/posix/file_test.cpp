#include <algorithm>
#include <cerrno>
#include <climits>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

#include "fw/file/file.h"
#include "fw/platform/file_system.h"
#include "tests/fw/child_process.h"
#include "tests/fw/file/file_faults.h"
#include "tests/fw/temp_folder.h"

namespace {

constexpr unsigned kRead = CFile::modeRead | CFile::shareExclusive;
constexpr unsigned kCreate = CFile::modeWrite | CFile::modeCreate | CFile::shareExclusive;

class FileTest : public ::testing::Test {
protected:
    void TearDown() override { file_faults::Clear(); }
    TempFolder dir;
};

TEST_F(FileTest, WrittenBytesReadBack) {
    const std::string path = dir / "f";
    const std::string bytes = PatternBytes(100000, 1);
    {
        CFile out;
        ASSERT_TRUE(out.Open(path, kCreate));
        out.Write(bytes.data(), 60000);
        out.Write(bytes.data() + 60000, 40000);
        EXPECT_EQ(out.GetLength(), 100000u);
        out.Flush();
        out.Close();
        EXPECT_FALSE(out.IsOpen());
    }
    CFile in;
    ASSERT_TRUE(in.Open(path, kRead));
    EXPECT_EQ(in.GetFilePath(), path);
    std::string back(100000, '\0');
    EXPECT_EQ(in.Read(back.data(), 70000), 70000u);
    EXPECT_EQ(in.Read(back.data() + 70000, 70000), 30000u);
    EXPECT_EQ(in.Read(back.data(), 10), 0u);
    EXPECT_EQ(back, bytes);
}

// The old file stays whole under its name until Close puts the new one
// there, with the old one's owner and permission bits.
TEST_F(FileTest, CreateReplacesAnExistingFileWhenClosed) {
    const std::string path = dir / "f";
    WriteBytes(path, PatternBytes(5000, 1));
    ::chmod(path.c_str(), 0604);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
    }
    CFile out;
    ASSERT_TRUE(out.Open(path, kCreate));
    EXPECT_EQ(out.GetLength(), 0u);
    out.Write("new", 3);
    EXPECT_EQ(ReadBytes(path), PatternBytes(5000, 1));
    out.Close();
    EXPECT_EQ(ReadBytes(path), "new");
    struct stat st{};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0604u);
    if (root) {
        EXPECT_EQ(st.st_uid, 65534u);
        EXPECT_EQ(st.st_gid, 65534u);
    }
}

TEST_F(FileTest, FailedOpenReportsCauseErrorAndName) {
    const std::string path = dir / "missing";
    CFileException error;
    CFile in;
    EXPECT_FALSE(in.Open(path, kRead, &error));
    EXPECT_FALSE(in.IsOpen());
    EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
    EXPECT_EQ(error.m_lOsError, ENOENT);
    EXPECT_EQ(error.m_strFileName, path);

    CFile out;
    EXPECT_FALSE(out.Open(dir / "missing/f", kCreate, &error));
    EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
    EXPECT_FALSE(out.Open(dir / "", kCreate, &error)); // the folder itself
    EXPECT_EQ(error.m_cause, CFileException::accessDenied);
    EXPECT_FALSE(out.Open(dir / std::string(NAME_MAX + 1, 'a'), kCreate, &error));
    EXPECT_EQ(error.m_lOsError, ENAMETOOLONG);
}

TEST_F(FileTest, OnlyRegularFilesOpenForReadingAndNothingWaits) {
    const std::string fifo = dir / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& path : {dir.Path().string(), fifo, std::string("/dev/zero")}) {
        const std::string result = RunInChild(
            [&] {
                CFile in;
                return in.Open(path, kRead) ? std::string("opened") : std::string("refused");
            },
            10000);
        EXPECT_EQ(result, "refused") << path;
    }
}

TEST_F(FileTest, CreatingAFifoWithoutReaderFailsWithoutWaiting) {
    const std::string fifo = dir / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string result = RunInChild(
        [&] {
            CFile out;
            return out.Open(fifo, kCreate) ? std::string("opened") : std::string("refused");
        },
        10000);
    EXPECT_EQ(result, "refused");
}

TEST_F(FileTest, ExclusiveHolderKeepsOthersOutAndItsContents) {
    const std::string path = dir / "f";
    WriteBytes(path, "contents");
    {
        CFile holder;
        ASSERT_TRUE(holder.Open(path, kRead));
        CFileException error;
        CFile other;
        EXPECT_FALSE(other.Open(path, kRead, &error));
        EXPECT_EQ(error.m_cause, CFileException::sharingViolation);
        EXPECT_FALSE(other.Open(path, kCreate, &error));
        EXPECT_EQ(error.m_cause, CFileException::sharingViolation);
        EXPECT_EQ(ReadBytes(path), "contents");
    }
    CFile after; // the holder's destructor released the file
    EXPECT_TRUE(after.Open(path, kCreate));
}

TEST_F(FileTest, DevicesTakeWritesDirectlyWithoutLocking) {
    CFile null1;
    CFile null2;
    ASSERT_TRUE(null1.Open("/dev/null", kCreate));
    ASSERT_TRUE(null2.Open("/dev/null", kCreate));
    null1.Write("x", 1);
    EXPECT_NO_THROW(null1.Flush()); // nothing to flush, not an error
    EXPECT_NO_THROW(null1.Close());
    struct stat st{};
    ASSERT_EQ(::stat("/dev/null", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode)) << "the device was replaced";
}

TEST_F(FileTest, FailedWriteThrowsWithCauseAndName) {
    CFile full;
    ASSERT_TRUE(full.Open("/dev/full", kCreate));
    try {
        full.Write("abc", 3);
        FAIL() << "write to /dev/full succeeded";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::diskFull);
        EXPECT_EQ(e.m_lOsError, ENOSPC);
        EXPECT_EQ(e.m_strFileName, "/dev/full");
    }
}

// CopyTo's failures name the file that failed, as Read's and Write's do.
TEST_F(FileTest, CopyToNamesTheFileThatFailed) {
    const std::string path = dir / "in";
    WriteBytes(path, PatternBytes(10000, 1));
    std::vector<std::byte> buffer(4096);
    for (const bool readFails : {false, true}) {
        CFile in;
        CFile full;
        ASSERT_TRUE(in.Open(path, kRead));
        ASSERT_TRUE(full.Open("/dev/full", kCreate));
        if (readFails) {
            file_faults::Inject(file_faults::FileOp::read, EIO);
        }
        try {
            in.CopyTo(full, 8192, buffer);
            FAIL() << "the copy succeeded";
        } catch (const CFileException& e) {
            EXPECT_EQ(e.m_strFileName, readFails ? path : "/dev/full");
        }
    }
}

TEST_F(FileTest, LengthIs64Bit) {
    const std::string path = dir / "sparse";
    WriteBytes(path, "");
    const std::uint64_t size = (std::uint64_t{5} << 30) + 7;
    std::filesystem::resize_file(path, size);
    CFile in;
    ASSERT_TRUE(in.Open(path, kRead));
    EXPECT_EQ(in.GetLength(), size);
}

TEST_F(FileTest, FailedCloseStillClosesAndReleases) {
    const std::string path = dir / "f";
    CFile out;
    ASSERT_TRUE(out.Open(path, kCreate));
    file_faults::Inject(file_faults::FileOp::close, EIO);
    try {
        out.Close();
        FAIL() << "close succeeded";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::hardIO);
        EXPECT_EQ(e.m_strFileName, path);
    }
    EXPECT_FALSE(out.IsOpen());
    CFile again;
    EXPECT_TRUE(again.Open(path, kRead));
}

TEST_F(FileTest, InjectedFaultHitsTheChosenCallOnce) {
    const std::string path = dir / "f";
    WriteBytes(path, "abcdef");
    CFile in;
    ASSERT_TRUE(in.Open(path, kRead));
    file_faults::Inject(file_faults::FileOp::read, EIO, 1);
    char c = 0;
    EXPECT_EQ(in.Read(&c, 1), 1u);
    EXPECT_THROW(in.Read(&c, 1), CFileException);
    EXPECT_EQ(in.Read(&c, 1), 1u);
    EXPECT_EQ(c, 'b');
}

// The system calls this process has made that read (copy_file_range counts
// as one too).
long SystemReads() {
    std::ifstream io("/proc/self/io");
    std::string key;
    long value = 0;
    while (io >> key >> value) {
        if (key == "syscr:") {
            return value;
        }
    }
    return -1;
}

// Where the kernel copies between two files, a few calls move what would
// take hundreds of reads through the buffer. A copy asked for more than is
// left stops at the end.
TEST_F(FileTest, CopyToCopiesInTheKernelUpToTheEnd) {
    const std::string bytes = PatternBytes(3 << 20, 1);
    WriteBytes(dir / "in", bytes);
    CFile in;
    CFile out;
    ASSERT_TRUE(in.Open(dir / "in", kRead));
    ASSERT_TRUE(out.Open(dir / "out", kCreate));
    std::vector<std::byte> buffer(4096);
    const long before = SystemReads();
    const std::size_t first = in.CopyTo(out, 1 << 20, buffer);
    const std::size_t rest = in.CopyTo(out, 4 << 20, buffer);
    const std::size_t end = in.CopyTo(out, 4 << 20, buffer);
    const long reads = SystemReads() - before;
    EXPECT_EQ(first, 1u << 20);
    EXPECT_EQ(rest, 2u << 20);
    EXPECT_EQ(end, 0u);
    out.Close();
    EXPECT_EQ(ReadBytes(dir / "out"), bytes);
    if (before < 0) {
        GTEST_SKIP() << "no count of system calls here";
    }
    EXPECT_LT(reads, 20) << "the bytes went through the buffer";
}

// Each name in the folder with what it holds ("name:bytes"), a symbolic
// link as "name@", a hidden name as ".hidden".
std::string FolderState(const TempFolder& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
        const std::string name = entry.path().filename().string();
        const std::string shown = name.front() == '.' ? ".hidden" : name;
        names.push_back(entry.is_symlink() ? shown + "@" : shown + ":" + ReadBytes(dir / name));
    }
    std::sort(names.begin(), names.end());
    std::string state;
    for (const std::string& name : names) {
        state += (state.empty() ? "" : " ") + name;
    }
    return state;
}

// What a created file "out" leaves in its folder however it ends: Close (c)
// and Abort (a) put the new file in place, where a step before the rename
// fails Close throws and the old file stays, alone; Discard (d) leaves the
// old file and none of what was written, unless it says so. Before the open
// the folder holds nothing, an old file, a symbolic link to one or to none,
// a hard link to one, or an old file of another mode or owner.
TEST_F(FileTest, EachEndLeavesTheNewFileOrTheOldOneAlone) {
    using enum file_faults::FileOp;
    struct Case {
        const char* name;
        char end;
        std::string before;
        std::vector<file_faults::FileOp> faults;
        bool failed; // Close threw, Discard returned false
        std::string left;
    };
    std::vector<Case> cases = {
        {"new", 'c', "", {}, false, "out:written"},
        {"replacing", 'c', "old", {}, false, "out:written"},
        {"symbolic link", 'c', "link", {}, false, "out@ target:written"},
        {"dangling link", 'c', "dangling", {}, false, "out@ target:written"},
        {"hard link", 'c', "hard", {}, false, "other:old out:written"},
        {"hidden name", 'c', "old", {anonymousFile}, false, "out:written"},
        {"flush fails", 'c', "old", {flush}, true, "out:old"},
        {"mode fails", 'c', "mode", {mode}, true, "out:old"},
        {"link fails", 'c', "old", {link}, true, "out:old"},
        {"rename fails", 'c', "old", {rename}, true, "out:old"},
        {"hidden name, rename fails", 'c', "old", {anonymousFile, rename}, true, "out:old"},
        {"folder flush fails", 'c', "old", {folderFlush}, true, "out:written"},
        {"abort", 'a', "old", {}, false, "out:written"},
        {"abort, rename fails", 'a', "old", {rename}, false, "out:old"},
        {"discard", 'd', "", {}, false, ""},
        {"discard, symbolic link", 'd', "link", {}, false, "out@ target:old"},
        {"discard, dangling link", 'd', "dangling", {}, false, "out@"},
        {"discard, hard link", 'd', "hard", {}, false, "other:old out:old"},
        {"discard, hidden name", 'd', "old", {anonymousFile}, false, "out:old"},
        {"discard, hidden, not removable",
         'd',
         "old",
         {anonymousFile, remove},
         false,
         ".hidden: out:old"},
        {"discard, hidden, not emptied", 'd', "old", {anonymousFile, truncate}, false, "out:old"},
        {"discard, hidden, neither",
         'd',
         "old",
         {anonymousFile, truncate, remove},
         true,
         ".hidden:written out:old"},
    };
    if (::geteuid() == 0) { // only root gives a file away
        cases.push_back({"owner fails", 'c', "owner", {owner}, true, "out:old"});
    }
    const std::string out = dir / "out";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all(dir.Path());
        std::filesystem::create_directory(dir.Path());
        const std::string& before = c.before;
        if (before == "link" || before == "dangling") {
            std::filesystem::create_symlink("target", out);
        }
        if (!before.empty() && before != "dangling") {
            WriteBytes(before == "link" ? dir / "target" : out, "old");
        }
        if (before == "hard") {
            std::filesystem::create_hard_link(out, dir / "other");
        }
        if (before == "mode") {
            ::chmod(out.c_str(), 0604);
        }
        if (before == "owner") {
            ASSERT_EQ(::chown(out.c_str(), 65534, 65534), 0);
        }
        for (const file_faults::FileOp op : c.faults) {
            file_faults::Inject(op, op == anonymousFile ? EOPNOTSUPP : EIO);
        }
        CFile file;
        ASSERT_TRUE(file.Open(out, kCreate));
        file.Write("written", 7);
        bool failed = false;
        if (c.end == 'c') {
            try {
                file.Close();
            } catch (const CFileException& e) {
                EXPECT_EQ(e.m_strFileName, out);
                failed = true;
            }
        } else if (c.end == 'a') {
            file.Abort();
        } else {
            failed = !file.Discard();
        }
        EXPECT_EQ(failed, c.failed);
        EXPECT_FALSE(file.IsOpen());
        EXPECT_EQ(FolderState(dir), c.left);
        file_faults::Clear();
    }
}

TEST_F(FileTest, ClosedFileThrowsInsteadOfTouchingADescriptor) {
    CFile file;
    char c = 0;
    EXPECT_THROW(file.Read(&c, 1), CFileException);
    EXPECT_THROW(file.Write(&c, 1), CFileException);
    EXPECT_THROW(file.GetLength(), CFileException);
    EXPECT_NO_THROW(file.Close());
}

TEST_F(FileTest, SameFileIsFoundThroughLinks) {
    const std::string a = dir / "a";
    const std::string b = dir / "b";
    WriteBytes(a, "a");
    WriteBytes(b, "b");
    std::filesystem::create_hard_link(a, dir / "hard");
    std::filesystem::create_symlink(a, dir / "soft");
    std::filesystem::create_directory(dir / "sub");

    EXPECT_TRUE(fw::IsSameExistingFile(a, a));
    EXPECT_TRUE(fw::IsSameExistingFile(a, dir / "hard"));
    EXPECT_TRUE(fw::IsSameExistingFile(dir / "soft", a));
    EXPECT_TRUE(fw::IsSameExistingFile(a, dir / "sub/../a"));
    EXPECT_FALSE(fw::IsSameExistingFile(a, b));
    EXPECT_FALSE(fw::IsSameExistingFile(dir / "missing", dir / "missing"));
    EXPECT_FALSE(fw::IsSameExistingFile(a, ""));
}

} // namespace
