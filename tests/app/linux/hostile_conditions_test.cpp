// The real program under hostile conditions, each case one run of korvane
// (offscreen, driven from inside by the driver plugin): resource limits,
// outputs that are pipes, sockets or devices, file systems that cannot
// lock, the application quitting during the question, no argv[0]. Every
// case must end with its message, the dialog alive, no signal, no hang,
// and the inputs as they were.
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <poll.h>
#include <string>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

#include "tests/fw/child_process.h"
#include "tests/fw/temp_folder.h"
#include "tests/join/expected_messages.h"

namespace {

constexpr int kTimeoutMs = 30000;
const std::string kSignals = "ignored SIGPIPE yes SIGXFSZ yes";
const std::string kNoFiles =
    "info:ファイルがDROPされていません。結合するには、結合したいファイルをDROPして下さい。";

// Holds a descriptor for the length of one case.
struct Held {
    explicit Held(int fd = -1) : fd(fd) {}
    ~Held() {
        if (fd >= 0) {
            ::close(fd);
        }
    }
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;
    int fd;
};

struct Outcome {
    std::string log;
    int status = -1;
    bool timedOut = false;
};

class HostileConditions : public ::testing::Test {
protected:
    void SetUp() override {
        a = dir / "a.mpg";
        b = dir / "b.mpg";
        WriteBytes(a, PatternBytes(300000, 1));
        WriteBytes(b, PatternBytes(7000, 2));
        home = dir / "home";
        std::filesystem::create_directories(home + "/Desktop");
        ::chmod(home.c_str(), 0700);
    }

    // Runs korvane with args (program path first; none at all when empty),
    // behind wrapper (strace and its options) if given, and returns the
    // driver's log and the exit status.
    Outcome Korvane(const std::vector<std::string>& args, const std::vector<std::string>& env,
                    const std::vector<std::string>& wrapper = {},
                    rlim_t sizeLimit = RLIM_INFINITY) {
        const std::string log = dir / "drive.log";
        std::filesystem::remove(log);
        std::vector<std::string> environment = {
            "QT_QPA_PLATFORM=offscreen",
            "QT_PLUGIN_PATH=" KORVANE_DRIVER_PLUGIN_PATH,
            "QT_QPA_GENERIC_PLUGINS=korvanedriver",
            "HOME=" + home,
            "XDG_CONFIG_HOME=" + home + "/.config",
            "XDG_RUNTIME_DIR=" + home,
            "LANG=C.UTF-8",
            "LC_ALL=C.UTF-8",
            "ASAN_OPTIONS=detect_leaks=0",
            "KORVANE_DRIVE_LOG=" + log,
        };
        environment.insert(environment.end(), env.begin(), env.end());
        std::vector<std::string> command = wrapper;
        if (!wrapper.empty()) {
            command.push_back(KORVANE_EXE);
            command.insert(command.end(), args.begin() + 1, args.end());
        } else {
            command = args;
        }
        const pid_t pid = ::fork();
        if (pid == 0) {
            // As a shell or sandbox may start it: default dispositions, a
            // file size limit.
            std::signal(SIGPIPE, SIG_DFL);
            std::signal(SIGXFSZ, SIG_DFL);
            const rlimit limit{sizeLimit, sizeLimit};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            const int quiet = ::open("/dev/null", O_WRONLY);
            ::dup2(quiet, STDOUT_FILENO);
            std::vector<char*> argv;
            for (std::string& arg : command) {
                argv.push_back(arg.data());
            }
            argv.push_back(nullptr);
            std::vector<char*> envp;
            for (std::string& variable : environment) {
                envp.push_back(variable.data());
            }
            envp.push_back(nullptr);
            const char* program = wrapper.empty() ? KORVANE_EXE : KORVANE_STRACE;
            ::execve(program, argv.data(), envp.data());
            ::_exit(127);
        }
        Outcome run;
        for (int waited = 0;; waited += 50) {
            if (::waitpid(pid, &run.status, WNOHANG) == pid) {
                break;
            }
            if (waited > kTimeoutMs) {
                run.timedOut = true;
                ::kill(pid, SIGKILL);
                ::waitpid(pid, &run.status, 0);
                break;
            }
            ::usleep(50000);
        }
        run.log = ReadBytes(log);
        return run;
    }

    TempFolder dir;
    std::string a;
    std::string b;
    std::string home;
};

std::vector<std::string> Strace(const std::string& what) {
    return {KORVANE_STRACE, "-f", "-qq", "-o", "/dev/null", "-e", "trace=flock", "-e", what};
}

TEST_F(HostileConditions, EachCaseEndsWithItsMessageNoSignalNoHang) {
    const std::string out = dir / "out.mpg";
    const std::string joined = ReadBytes(a) + ReadBytes(b).substr(5000);
    const std::string fifo = dir / "fifo.mpg";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string socketPath = dir / "socket.mpg";
    Held listening(::socket(AF_UNIX, SOCK_STREAM, 0));
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    socketPath.copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(listening.fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(listening.fd, 1), 0);
    // An input that another program holds locked.
    const std::string locked = dir / "locked.mpg";
    WriteBytes(locked, PatternBytes(6000, 3));
    Held holder(::open(locked.c_str(), O_RDONLY));
    ASSERT_EQ(::flock(holder.fd, LOCK_EX | LOCK_NB), 0);
    // A new output in a folder of its own, with its fsync calls traced.
    const std::string folder = dir / "new";
    std::filesystem::create_directory(folder);
    const std::string fresh = folder + "/out.mpg";
    const std::string trace = dir / "trace";
    const std::vector<std::string> fsyncs = {KORVANE_STRACE, "-f",  "-qq", "-y",
                                             "-o",           trace, "-e",  "trace=fsync"};

    // An output that another program holds keeps its contents.
    const std::string kept = dir / "kept.mpg";
    WriteBytes(kept, PatternBytes(6000, 4));

    const std::vector<std::string> files = {KORVANE_EXE, a, b};
    const std::string ok = "ok,ok";
    struct Case {
        std::string name;
        std::vector<std::string> args;
        std::string output;
        std::string answers;
        std::vector<std::string> wrapper;
        rlim_t sizeLimit;
        std::vector<std::string> log; // after the signals line
        std::string written;          // in the output afterwards; "-": no such file
    };
    const std::vector<Case> cases = {
        {"file size limit",
         files,
         out,
         ok,
         {},
         102400,
         {"dialog", kAsk, WriteError(out), "closed"},
         ReadBytes(a).substr(0, 102400)},
        {"FIFO whose reader does not read",
         files,
         fifo,
         ok,
         {},
         RLIM_INFINITY,
         {"dialog", kAsk, CannotCreate(fifo), "closed"},
         ""},
        {"socket",
         files,
         socketPath,
         ok,
         {},
         RLIM_INFINITY,
         {"dialog", kAsk, CannotCreate(socketPath), "closed"},
         ""},
        {"null device",
         files,
         "/dev/null",
         ok,
         {},
         RLIM_INFINITY,
         {"dialog", kAsk, kDone, "closed"},
         ""},
        {"NFS refuses flock (EBADF)",
         files,
         out,
         ok,
         Strace("inject=flock:error=EBADF"),
         RLIM_INFINITY,
         {"dialog", kAsk, kDone, "closed"},
         joined},
        {"no locks left (ENOLCK)",
         files,
         out,
         ok,
         Strace("inject=flock:error=ENOLCK"),
         RLIM_INFINITY,
         {"dialog", kAsk, kDone, "closed"},
         joined},
        {"held elsewhere (EWOULDBLOCK)",
         files,
         kept,
         ok,
         Strace("inject=flock:error=EAGAIN"),
         RLIM_INFINITY,
         {"dialog", kAsk, CannotCreate(kept), "closed"},
         PatternBytes(6000, 4)},
        {"input locked by another program",
         {KORVANE_EXE, a, locked},
         out,
         ok,
         {},
         RLIM_INFINITY,
         {"dialog", kAsk, CannotOpen(locked), "closed"},
         ReadBytes(a)},
        {"new output",
         files,
         fresh,
         ok,
         fsyncs,
         RLIM_INFINITY,
         {"dialog", kAsk, kDone, "closed"},
         joined},
        {"quitting during the question",
         files,
         out,
         "quit",
         {},
         RLIM_INFINITY,
         {"dialog", kAsk},
         "-"},
        {"no argv[0]", {}, out, "", {}, RLIM_INFINITY, {kNoFiles}, "-"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(out);
        // A reader that holds the FIFO open without reading.
        Held reader(::open(fifo.c_str(), O_RDONLY | O_NONBLOCK));
        const Outcome run = Korvane(
            c.args, {"KORVANE_DRIVE_OUTPUT=" + c.output, "KORVANE_DRIVE_ANSWERS=" + c.answers},
            c.wrapper, c.sizeLimit);
        EXPECT_FALSE(run.timedOut) << run.log;
        EXPECT_TRUE(WIFEXITED(run.status) && WEXITSTATUS(run.status) == 0)
            << "status " << run.status << "\n"
            << run.log;
        std::vector<std::string> log = {kSignals};
        log.insert(log.end(), c.log.begin(), c.log.end());
        EXPECT_EQ(run.log, Lines(log));
        if (c.output == out || c.output == fresh || c.output == kept) {
            EXPECT_EQ(std::filesystem::exists(c.output) ? ReadBytes(c.output) : "-", c.written);
        }
        char byte = 0;
        EXPECT_LE(::read(reader.fd, &byte, 1), 0) << "the FIFO was written to";
        EXPECT_EQ(ReadBytes(a), PatternBytes(300000, 1));
        EXPECT_EQ(ReadBytes(b), PatternBytes(7000, 2));
        EXPECT_EQ(ReadBytes(locked), PatternBytes(6000, 3));
    }
    // The new output and the folder that holds it reached stable storage.
    const std::string calls = ReadBytes(trace);
    EXPECT_NE(calls.find("<" + fresh + ">) = 0"), std::string::npos) << calls;
    EXPECT_NE(calls.find("<" + folder + ">) = 0"), std::string::npos) << calls;
}

} // namespace
