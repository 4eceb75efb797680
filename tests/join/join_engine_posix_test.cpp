// Joins that need POSIX facilities: links, FIFOs, devices, a small file
// system, resource limits and an unprivileged user.
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <grp.h>
#include <sched.h>
#include <string>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

#include "join/join_command.h"
#include "join/join_engine.h"
#include "tests/fw/child_process.h"
#include "tests/fw/file/file_faults.h"
#include "tests/fw/temp_folder.h"
#include "tests/join/expected_messages.h"
#include "tests/join/recording_host.h"

namespace {

class JoinPosixTest : public ::testing::Test {
protected:
    void SetUp() override { host.output = dir / "out.mpg"; }
    void TearDown() override { file_faults::Clear(); }

    std::string Input(const std::string& name, std::size_t size, std::uint32_t seed) {
        const std::string path = dir / name;
        WriteBytes(path, PatternBytes(size, seed));
        return path;
    }

    // Joins in a child process (after prepare has run there) and returns
    // the recorded events as lines.
    std::string JoinInChild(const std::function<void()>& prepare = {}) {
        return RunInChild([&] {
            if (prepare) {
                prepare();
            }
            RunJoinCommand(host);
            return Lines(host.events);
        });
    }

    TempFolder dir;
    RecordingHost host;
};

TEST_F(JoinPosixTest, OutputThatIsASymbolicLinkToAnInputIsRefused) {
    const std::string a = Input("a.mpg", 9000, 1);
    const std::string before = ReadBytes(a);
    const std::string link = dir / "link.mpg";
    std::filesystem::create_symlink(a, link);
    host.list = {a};
    host.output = link;
    RunJoinCommand(host);
    EXPECT_EQ(host.events, (std::vector<std::string>{kAsk, "begin", OutputIsInput(link), "end"}));
    EXPECT_EQ(ReadBytes(a), before);
}

TEST_F(JoinPosixTest, DirectoryAndFifoInputsFailToOpenWithoutWaiting) {
    const std::string a = Input("a.mpg", 9000, 1);
    const std::string folder = dir / "folder";
    const std::string fifo = dir / "fifo";
    std::filesystem::create_directory(folder);
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& input : {folder, fifo}) {
        host.list = {a, input};
        EXPECT_EQ(JoinInChild(), Lines({kAsk, "begin", "end", CannotOpen(input)})) << input;
        EXPECT_EQ(ReadBytes(host.output), ReadBytes(a));
    }
}

TEST_F(JoinPosixTest, FullDeviceGivesTheWriteError) {
    host.list = {Input("a.mpg", 9000, 1)};
    host.output = "/dev/full";
    RunJoinCommand(host);
    EXPECT_EQ(host.events,
              (std::vector<std::string>{kAsk, "begin", "end", WriteError("/dev/full")}));
}

TEST_F(JoinPosixTest, FullDiskGivesTheWriteErrorAndKeepsWhatFitted) {
    const std::string a = Input("a.mpg", 1024 * 1024, 1);
    const std::string mount = dir / "small";
    std::filesystem::create_directory(mount);
    // The input lies on the full file system too, where the kernel copies.
    host.list = {mount + "/a.mpg"};
    host.output = mount + "/out.mpg";
    // The small file system is mounted in a mount namespace of the child's
    // own, so it disappears with the child whatever happens.
    const std::string result = RunInChild([&] {
        if (::unshare(CLONE_NEWNS) != 0 ||
            ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("tmpfs", mount.c_str(), "tmpfs", 0, "size=1280k") != 0) {
            return "skip: " + std::string(std::strerror(errno));
        }
        std::filesystem::copy_file(a, host.list[0]);
        RunJoinCommand(host);
        const std::string written = ReadBytes(host.output);
        const bool prefix = written == ReadBytes(a).substr(0, written.size());
        // Events, then how much was kept and whether it is the input's start.
        return Lines(host.events) + std::to_string(written.size()) + (prefix ? " input" : " other");
    });
    if (result.rfind("skip: ", 0) == 0) {
        GTEST_SKIP() << "mounting a tmpfs is not permitted here (" << result.substr(6) << ")";
    }
    const std::string events = Lines({kAsk, "begin", "end", WriteError(host.output)});
    ASSERT_EQ(result.substr(0, events.size()), events) << result;
    const std::string kept = result.substr(events.size());
    EXPECT_GT(std::stoul(kept), 0u) << kept;
    EXPECT_LT(std::stoul(kept), 1024u * 1024u) << kept;
    EXPECT_NE(kept.find(" input"), std::string::npos) << kept;
}

TEST_F(JoinPosixTest, ShortWriteUnderAFileSizeLimitGivesTheWriteError) {
    const std::string a = Input("a.mpg", 600000, 1);
    host.list = {a};
    constexpr rlim_t kLimit = 70001; // not a multiple of any buffer size
    const std::string events = JoinInChild([] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{kLimit, kLimit};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    });
    EXPECT_EQ(events, Lines({kAsk, "begin", "end", WriteError(host.output)}));
    EXPECT_EQ(ReadBytes(host.output), ReadBytes(a).substr(0, kLimit));
}

// Where the kernel cannot copy between the two files, or its copy fails
// with an error that does not say which side failed, the join goes on by
// read and write with the same bytes; at the start of an input and after a
// first slice that the kernel copied.
TEST_F(JoinPosixTest, KernelCopyThatCannotCopyOrFailsGivesTheSameBytes) {
    const std::string a = Input("a.mpg", 300000, 1);
    const std::string b = Input("b.mpg", 200001, 2);
    const std::string expected = ReadBytes(a) + ReadBytes(b).substr(5000);
    for (const int error : {EXDEV, EINVAL, EOPNOTSUPP, ENOSYS, EIO}) {
        for (const int skip : {0, 1, 4}) {
            file_faults::Inject(file_faults::FileOp::copyRange, error, skip);
            fw::SharedWorkProgress progress;
            const JoinOutcome outcome = JoinFiles({{a, b}, host.output}, progress, {4096, 65536});
            EXPECT_EQ(outcome.end, JoinOutcome::End::done) << error << " after " << skip;
            EXPECT_EQ(ReadBytes(host.output), expected) << error << " after " << skip;
        }
    }
}

// The size of the new file a join in this process writes into folder,
// found among the process's open files, as it has no name yet
// ("folder/#inode (deleted)"); 0 where there is none.
std::uintmax_t NewFileSize(const std::string& folder) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd", error)) {
        const std::string target = std::filesystem::read_symlink(entry, error).string();
        const std::uintmax_t size = std::filesystem::file_size(entry, error);
        if (!error && target.rfind(folder + "/#", 0) == 0) {
            return size;
        }
    }
    return 0;
}

// An input that loses its end while it is being copied ends there, as a
// read of 0 bytes ends it, and the join goes on with the next input.
TEST_F(JoinPosixTest, InputTruncatedWhileCopiedEndsWhereItWasCut) {
    // A pattern, then a hole: long enough to copy that the cut comes first.
    const std::string start = PatternBytes(1 << 20, 1);
    const std::string a = Input("a.mpg", start.size(), 1);
    std::filesystem::resize_file(a, std::uintmax_t{1} << 30);
    const std::string b = Input("b.mpg", 9000, 2);
    host.list = {a, b};
    constexpr std::uintmax_t kCut = 2 << 20;
    std::thread cutter([&] {
        for (int i = 0; i < 20000; ++i) {
            if (NewFileSize(dir.Path().string()) > start.size()) {
                std::filesystem::resize_file(a, kCut);
                return;
            }
            std::this_thread::sleep_for(std::chrono::microseconds(500));
        }
    });
    RunJoinCommand(host);
    cutter.join();
    EXPECT_EQ(host.events, Succeeded());
    const std::string out = ReadBytes(host.output);
    const std::string tail = ReadBytes(b).substr(5000);
    // Copied up to the cut, or up to where the copy stood when it came.
    ASSERT_GE(out.size(), kCut + tail.size());
    ASSERT_LT(out.size(), (std::size_t{1} << 30) + tail.size());
    EXPECT_EQ(out.substr(0, start.size()), start);
    const std::size_t holeEnd = out.size() - tail.size();
    EXPECT_EQ(out.substr(start.size(), holeEnd - start.size()),
              std::string(holeEnd - start.size(), '\0'));
    EXPECT_EQ(out.substr(out.size() - tail.size()), tail);
}

// Root ignores file modes, so the join runs as an unprivileged user.
class JoinAccessTest : public JoinPosixTest {
protected:
    // The events of the join as user and group 65534, or "skip: ..." where
    // this process may not change its user.
    std::string JoinAsNobody() {
        return RunInChild([&] {
            if (::geteuid() == 0 &&
                (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)) {
                return "skip: " + std::string(std::strerror(errno));
            }
            if (::access(dir.Path().c_str(), X_OK) != 0) {
                return std::string("skip: the temporary folder is out of an ordinary user's reach");
            }
            RunJoinCommand(host);
            return Lines(host.events);
        });
    }
};

#define SKIP_IF_NOT_PERMITTED(events)                                                              \
    if ((events).rfind("skip: ", 0) == 0) {                                                        \
        GTEST_SKIP() << "cannot drop privileges here (" << (events).substr(6) << ")";              \
    }

TEST_F(JoinAccessTest, OutputInAFolderWithoutWriteAccessCannotBeCreated) {
    const std::string a = Input("a.mpg", 9000, 1);
    ::chmod(a.c_str(), 0644);
    ::chmod(dir.Path().c_str(), 0755);
    host.list = {a};
    if (::geteuid() != 0) {
        ::chmod(dir.Path().c_str(), 0555);
    }
    const std::string events = JoinAsNobody();
    ::chmod(dir.Path().c_str(), 0755);
    SKIP_IF_NOT_PERMITTED(events);
    EXPECT_EQ(events, Lines({kAsk, "begin", CannotCreate(host.output), "end"}));
    EXPECT_FALSE(std::filesystem::exists(host.output));
}

TEST_F(JoinAccessTest, UnreadableInputCannotBeOpened) {
    const std::string a = Input("a.mpg", 9000, 1);
    const std::string b = Input("b.mpg", 9000, 2);
    const std::string out = dir / "out";
    std::filesystem::create_directory(out);
    ::chmod(out.c_str(), 0777);
    ::chmod(dir.Path().c_str(), 0755);
    ::chmod(a.c_str(), 0644);
    ::chmod(b.c_str(), 0000);
    host.list = {a, b};
    host.output = out + "/out.mpg";
    const std::string events = JoinAsNobody();
    SKIP_IF_NOT_PERMITTED(events);
    EXPECT_EQ(events, Lines({kAsk, "begin", "end", CannotOpen(b)}));
    EXPECT_EQ(ReadBytes(host.output), ReadBytes(a));
}

TEST_F(JoinPosixTest, InputOver4GiBIsJoinedWhole) {
    // A sparse file: 4 GiB + 100 bytes, which a 32-bit length would take for
    // 100 bytes and refuse.
    const std::string big = dir / "big.mpg";
    WriteBytes(big, "");
    std::filesystem::resize_file(big, (std::uintmax_t{1} << 32) + 100);
    host.list = {big};
    host.output = "/dev/null";
    RunJoinCommand(host);
    EXPECT_EQ(host.events, Succeeded());
}

} // namespace
