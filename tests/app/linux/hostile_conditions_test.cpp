// The real program under hostile conditions, one run of korvane per case,
// offscreen and driven from inside by the driver plugin. Each case must end
// with its message (or none), the dialog alive, no signal, no hang and the
// inputs unchanged.
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sched.h>
#include <string>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

#include "tests/fw/child_process.h"
#include "tests/fw/temp_folder.h"
#include "tests/join/expected_messages.h"

namespace {

struct Case {
    std::string name;
    std::vector<std::string> args; // korvane's, its path first; none at all when empty
    std::string output;
    std::string answers;
    std::vector<std::string> wrapper; // strace and its options
    rlim_t sizeLimit;
    std::vector<std::string> log; // what the driver saw after the signals line
    std::string written;          // the output afterwards; "-": no such file; "?": not checked
};

// Runs one case in a child that starts korvane as a shell or sandbox might:
// SIGPIPE and SIGXFSZ at their defaults, a file size limit. Returns the
// driver's log, followed by "<died>" for a signal or a failing status, or
// "<timeout>".
std::string RunKorvane(const Case& c, const std::string& log, const std::string& home) {
    std::filesystem::remove(log);
    const std::string result = RunInChild([&] {
        std::signal(SIGPIPE, SIG_DFL);
        std::signal(SIGXFSZ, SIG_DFL);
        const rlimit limit{c.sizeLimit, c.sizeLimit};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        std::vector<std::string> env = {"QT_QPA_PLATFORM=offscreen",
                                        "QT_PLUGIN_PATH=" KORVANE_DRIVER_PLUGIN_PATH,
                                        "QT_QPA_GENERIC_PLUGINS=korvanedriver",
                                        "HOME=" + home,
                                        "XDG_RUNTIME_DIR=" + home,
                                        "LC_ALL=C.UTF-8",
                                        "ASAN_OPTIONS=detect_leaks=0",
                                        "KORVANE_DRIVE_LOG=" + log,
                                        "KORVANE_DRIVE_OUTPUT=" + c.output,
                                        "KORVANE_DRIVE_ANSWERS=" + c.answers};
        std::vector<std::string> args = c.wrapper;
        args.insert(args.end(), c.args.begin(), c.args.end());
        std::vector<char*> argv;
        std::vector<char*> envp;
        for (std::string& arg : args) {
            argv.push_back(arg.data());
        }
        for (std::string& variable : env) {
            envp.push_back(variable.data());
        }
        argv.push_back(nullptr);
        envp.push_back(nullptr);
        ::dup2(::open("/dev/null", O_WRONLY), STDOUT_FILENO);
        ::execve(c.wrapper.empty() ? KORVANE_EXE : KORVANE_STRACE, argv.data(), envp.data());
        return std::string("<exec failed>");
    });
    return ReadBytes(log) + (result.empty() ? "" : result + "\n");
}

std::vector<std::string> Strace(const std::string& fault) {
    return {KORVANE_STRACE, "-f",        "-qq",
            "-o",           "/dev/null", "-e",
            "trace=flock",  "-e",        "inject=flock:error=" + fault};
}

// Every write takes 20 ms: a join of some megabytes lasts long enough for
// its progress window.
std::vector<std::string> SlowWrites() {
    return {KORVANE_STRACE, "-f",        "-qq",
            "-o",           "/dev/null", "-e",
            "trace=write",  "-e",        "inject=write:delay_enter=20000"};
}

TEST(HostileConditions, EachEndsWithItsMessageNoSignalNoHang) {
    TempFolder dir;
    const std::string a = dir / "a.mpg";
    const std::string b = dir / "b.mpg";
    const std::string locked = dir / "locked.mpg"; // held by this process
    const std::string kept = dir / "kept.mpg";     // an output held elsewhere
    WriteBytes(a, PatternBytes(300000, 1));
    WriteBytes(b, PatternBytes(7000, 2));
    WriteBytes(locked, PatternBytes(6000, 3));
    WriteBytes(kept, PatternBytes(6000, 4));
    const std::string large = dir / "large.mpg";
    WriteBytes(large, PatternBytes(16 << 20, 5));
    const int holder = ::open(locked.c_str(), O_RDONLY);
    ASSERT_EQ(::flock(holder, LOCK_EX | LOCK_NB), 0);
    const std::string out = dir / "out.mpg";
    const std::string fresh = dir / "new/out.mpg";
    std::filesystem::create_directory(dir / "new");
    const std::string fifo = dir / "fifo.mpg";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // A reader that holds the FIFO open without reading.
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    const std::string socketPath = dir / "socket.mpg";
    const int listening = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    socketPath.copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(listening, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    const std::string trace = dir / "trace";
    const std::string home = dir / "home";
    std::filesystem::create_directories(home + "/Desktop");
    ::chmod(home.c_str(), 0700);

    // Copying 64 GiB of holes takes far longer than a case waits, so these
    // joins are stopped from their progress window; one is reached under a
    // name that breaks the line and turns the text right to left.
    const std::string huge = dir / "huge.mpg";
    WriteBytes(huge, "");
    std::filesystem::resize_file(huge, std::uintmax_t{64} << 30);
    const std::string oddName = dir / "first\nline\u202Egpm.mpg";
    std::filesystem::create_symlink(huge, oddName);
    const std::string oddShown = dir / "first\uFFFDline\uFFFDgpm.mpg";
    // An output reached through a symbolic link to an existing file.
    const std::string link = dir / "link.mpg";
    WriteBytes(dir / "target.mpg", PatternBytes(100000, 5));
    std::filesystem::create_symlink("target.mpg", link);

    const std::vector<std::string> files = {KORVANE_EXE, a, b};
    const std::string joined = ReadBytes(a) + ReadBytes(b).substr(5000);
    const auto ended = [](std::vector<std::string> boxes) {
        boxes.insert(boxes.begin(), "dialog");
        boxes.push_back("closed");
        return boxes;
    };
    const std::vector<Case> cases = {
        {"file size limit",
         files,
         out,
         "ok,ok",
         {},
         102400,
         ended({kAsk, WriteError(out)}),
         ReadBytes(a).substr(0, 102400)},
        {"FIFO whose reader does not read",
         files,
         fifo,
         "ok,ok",
         {},
         RLIM_INFINITY,
         ended({kAsk, CannotCreate(fifo)}),
         "?"},
        {"socket",
         files,
         socketPath,
         "ok,ok",
         {},
         RLIM_INFINITY,
         ended({kAsk, CannotCreate(socketPath)}),
         "?"},
        {"null device", files, "/dev/null", "ok,ok", {}, RLIM_INFINITY, ended({kAsk, kDone}), "?"},
        {"NFS refuses flock (EBADF)", files, out, "ok,ok", Strace("EBADF"), RLIM_INFINITY,
         ended({kAsk, kDone}), joined},
        {"no locks left (ENOLCK)", files, out, "ok,ok", Strace("ENOLCK"), RLIM_INFINITY,
         ended({kAsk, kDone}), joined},
        {"output held elsewhere", files, kept, "ok,ok", Strace("EAGAIN"), RLIM_INFINITY,
         ended({kAsk, CannotCreate(kept)}), PatternBytes(6000, 4)},
        {"input held elsewhere",
         {KORVANE_EXE, a, locked},
         out,
         "ok,ok",
         {},
         RLIM_INFINITY,
         ended({kAsk, CannotOpen(locked)}),
         ReadBytes(a)},
        {"new output, fsync traced",
         files,
         fresh,
         "ok,ok",
         {KORVANE_STRACE, "-f", "-qq", "-y", "-o", trace, "-e", "trace=fsync,linkat,renameat"},
         RLIM_INFINITY,
         ended({kAsk, kDone}),
         joined},
        {"stopped, output through a symbolic link",
         {KORVANE_EXE, huge},
         link,
         "ok,stop",
         {},
         RLIM_INFINITY,
         ended({kAsk, "progress:" + huge}),
         PatternBytes(100000, 5)},
        {"stopped, input named across lines and right to left",
         {KORVANE_EXE, oddName},
         out,
         "ok,stop",
         {},
         RLIM_INFINITY,
         ended({kAsk, "progress:" + oddShown}),
         "-"},
        {"slow flush of the output",
         files,
         out,
         "ok,watch,ok",
         {KORVANE_STRACE, "-f", "-qq", "-o", "/dev/null", "-e", "trace=fsync", "-e",
          "inject=fsync:delay_enter=1500000"},
         RLIM_INFINITY,
         ended({kAsk, "progress:" + b, "remaining:" + expected::kFinishingWrite, kDone}),
         joined},
        {"quitting during the question",
         files,
         out,
         "quit",
         {},
         RLIM_INFINITY,
         {"dialog", kAsk},
         "-"},
        {"join pressed again through accessibility during the join",
         {KORVANE_EXE, large, b},
         out,
         "ok,press,ok",
         SlowWrites(),
         RLIM_INFINITY,
         ended({kAsk, "progress:" + large, kDone}),
         ReadBytes(b) + ReadBytes(large).substr(5000)},
        {"SIGKILL during the join",
         {KORVANE_EXE, large, b},
         out,
         "ok,kill",
         SlowWrites(),
         RLIM_INFINITY,
         {"dialog", kAsk, "progress:" + large, "<died>"},
         "-"},
        {"SIGKILL during the join over an existing output",
         {KORVANE_EXE, large, b},
         kept,
         "ok,kill",
         SlowWrites(),
         RLIM_INFINITY,
         {"dialog", kAsk, "progress:" + large, "<died>"},
         PatternBytes(6000, 4)},
        {"SIGTERM during the join",
         {KORVANE_EXE, large, b},
         out,
         "ok,term",
         SlowWrites(),
         RLIM_INFINITY,
         {"dialog", kAsk, "progress:" + large, "<died>"},
         "-"},
        {"no argv[0]", {}, out, "", {}, RLIM_INFINITY, {"info:" + expected::kNoFilesDropped}, "-"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(out);
        std::vector<std::string> log = {"ignored SIGPIPE yes SIGXFSZ yes"};
        log.insert(log.end(), c.log.begin(), c.log.end());
        EXPECT_EQ(RunKorvane(c, dir / "drive.log", home), Lines(log));
        if (c.written == "-") { // not read: a join that went on would fill the memory
            EXPECT_FALSE(std::filesystem::exists(c.output));
        } else if (c.written != "?") {
            // Compared whole: a diff of megabytes would not fit in memory.
            const std::string written =
                std::filesystem::exists(c.output) ? ReadBytes(c.output) : "-";
            EXPECT_TRUE(written == c.written) << written.size() << " bytes written";
        }
        char byte = 0;
        EXPECT_LE(::read(reader, &byte, 1), 0) << "the FIFO was written to";
        EXPECT_EQ(ReadBytes(a) + ReadBytes(b) + ReadBytes(locked),
                  PatternBytes(300000, 1) + PatternBytes(7000, 2) + PatternBytes(6000, 3));
    }
    // The new output was flushed while it had no name, then named, renamed
    // over the output, and the folder that holds it flushed.
    const std::string calls = ReadBytes(trace);
    const std::size_t flushed = calls.find("<" + dir / "new/#"); // by fsync alone
    const std::size_t linked = calls.find("linkat(", flushed);
    const std::size_t renamed = calls.find("\"out.mpg\") = 0", linked);
    const std::size_t folder = calls.find("<" + dir / "new" + ">) = 0", renamed);
    EXPECT_NE(folder, std::string::npos) << calls;
    // Nothing was left beside the outputs however the joins ended.
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
        EXPECT_NE(entry.path().filename().string().front(), '.') << entry.path();
    }
    for (const int fd : {holder, reader, listening}) {
        ::close(fd);
    }
}

// A power cut mid-join, on an ext4 file system in a loop file: frozen
// while the join writes, the image copied as the disk would be found, and
// the copy mounted (its journal replayed, its orphans freed). It holds the
// old output, whole, and nothing else.
TEST(HostileConditions, PowerCutMidJoinLeavesTheOldOutputAlone) {
    TempFolder dir;
    const std::string large = dir / "large.mpg";
    const std::string b = dir / "b.mpg";
    WriteBytes(large, PatternBytes(32 << 20, 5));
    WriteBytes(b, PatternBytes(7000, 2));
    const std::string home = dir / "home";
    std::filesystem::create_directories(home + "/Desktop");
    const std::string disk = dir / "disk";
    const std::string found = dir / "found";
    std::filesystem::create_directory(disk);
    std::filesystem::create_directory(found);
    const std::string out = disk + "/out.mpg";
    const std::string log = dir / "drive.log";
    const std::string result = RunInChild(
        [&] {
            // Mounted in a mount namespace of the child's own, so that they
            // go with it whatever happens.
            if (::unshare(CLONE_NEWNS) != 0 ||
                ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
                return "skip: " + std::string(std::strerror(errno));
            }
            const std::string image = dir / "ext4.img";
            if (std::system(("truncate -s 64M '" + image + "' && mkfs.ext4 -q '" + image +
                             "' && mount -o loop '" + image + "' '" + disk + "'")
                                .c_str()) != 0) {
                return std::string("skip: no ext4 file system in a loop file here");
            }
            WriteBytes(out, PatternBytes(6000, 4));
            std::thread cut([&] {
                const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
                while (ReadBytes(log).find("progress:") == std::string::npos &&
                       std::chrono::steady_clock::now() < deadline) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(20));
                }
                std::system(("fsfreeze -f '" + disk + "' && cp --sparse=always '" + image + "' '" +
                             image + ".cut'; fsfreeze -u '" + disk + "'")
                                .c_str());
            });
            const Case c{"",           {KORVANE_EXE, large, b}, out, "ok,watch,ok",
                         SlowWrites(), RLIM_INFINITY,           {},  "?"};
            const std::string drive = RunKorvane(c, log, home);
            cut.join();
            const bool joined = ReadBytes(out) == ReadBytes(b) + ReadBytes(large).substr(5000);
            if (std::system(("mount -o loop '" + image + ".cut' '" + found + "'").c_str()) != 0) {
                return std::string("the copy does not mount");
            }
            std::string names;
            for (const auto& entry : std::filesystem::directory_iterator(found)) {
                names += entry.path().filename().string() + " ";
            }
            const bool old = ReadBytes(found + "/out.mpg") == PatternBytes(6000, 4);
            return names + (old ? "old" : "not old") + (joined ? " joined" : " not joined") +
                   (drive.find(kDone) == std::string::npos ? "\n" + drive : "");
        },
        120000);
    if (result.rfind("skip: ", 0) == 0) {
        GTEST_SKIP() << "cannot mount a loop file here (" << result.substr(6) << ")";
    }
    EXPECT_TRUE(result == "lost+found out.mpg old joined" ||
                result == "out.mpg lost+found old joined")
        << result;
}

} // namespace
