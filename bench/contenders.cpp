#include "bench/contenders.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "fw/file/unique_fd.h"

#include "join/copy_buffer.h"
#include "join/join_engine.h"

extern char** environ;

namespace {

using UniqueFd = fw::UniqueFd<>;

constexpr off_t kHeaderSize = 5000;

[[noreturn]] void Fail(const std::string& what) {
    throw std::runtime_error(what + ": " + std::strerror(errno));
}

UniqueFd Open(const std::string& path, int flags) {
    UniqueFd fd(::open(path.c_str(), flags | O_CLOEXEC, 0644));
    if (fd.get() < 0) {
        Fail("cannot open " + path);
    }
    return fd;
}

// Runs argv with its standard output on outFd and waits for it.
void RunWithOutput(const std::vector<std::string>& args, int outFd) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, outFd, STDOUT_FILENO);
    std::vector<char*> argv;
    for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) {
        errno = rc;
        Fail("cannot start " + args[0]);
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) {
            Fail("cannot wait for " + args[0]);
        }
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        throw std::runtime_error(args[0] + " failed");
    }
}

void FlushToDisk(UniqueFd& fd, const std::string& path) {
    if (::fsync(fd.get()) != 0) {
        Fail("cannot flush " + path);
    }
}

} // namespace

void JoinWithEngine(const std::vector<std::string>& inputs, const std::string& output,
                    std::size_t bufferSize, std::size_t sliceSize) {
    // The progress is counted as the program counts it, on this thread.
    fw::SharedWorkProgress progress;
    const JoinOutcome outcome = JoinFiles({inputs, output}, progress,
                                          {bufferSize != 0 ? bufferSize : kJoinCopyBufferSize,
                                           sliceSize != 0 ? sliceSize : kJoinCopySliceSize});
    if (outcome.end != JoinOutcome::End::done) {
        throw std::runtime_error("the engine ended with " +
                                 std::to_string(static_cast<int>(outcome.end)) + " for " +
                                 outcome.file);
    }
}

void JoinWithReadWrite(const std::vector<std::string>& inputs, const std::string& output) {
    UniqueFd out = Open(output, O_WRONLY | O_CREAT | O_TRUNC);
    const CopyBuffer buffer(kJoinCopyBufferSize);
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        UniqueFd in = Open(inputs[i], O_RDONLY);
        if (i != 0 && ::lseek(in.get(), kHeaderSize, SEEK_SET) != kHeaderSize) {
            Fail("cannot skip the header of " + inputs[i]);
        }
        for (;;) {
            const ssize_t n = ::read(in.get(), buffer.Data(), buffer.Size());
            if (n < 0) {
                Fail("cannot read " + inputs[i]);
            }
            if (n == 0) {
                break;
            }
            if (::write(out.get(), buffer.Data(), static_cast<std::size_t>(n)) != n) {
                Fail("cannot write " + output);
            }
        }
    }
    FlushToDisk(out, output);
}

void JoinWithCatAndTail(const std::vector<std::string>& inputs, const std::string& output) {
    // tail counts from 1: "+5001" starts at offset 5000.
    std::string tailFrom = std::to_string(kHeaderSize + 1);
    tailFrom.insert(tailFrom.begin(), '+');
    UniqueFd out = Open(output, O_WRONLY | O_CREAT | O_TRUNC);
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        if (i == 0) {
            RunWithOutput({"cat", inputs[i]}, out.get());
        } else {
            RunWithOutput({"tail", "-c", tailFrom, inputs[i]}, out.get());
        }
    }
    FlushToDisk(out, output);
}

void JoinWithKernelCopy(const std::vector<std::string>& inputs, const std::string& output) {
    UniqueFd out = Open(output, O_WRONLY | O_CREAT | O_TRUNC);
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        UniqueFd in = Open(inputs[i], O_RDONLY);
        struct stat st{};
        if (::fstat(in.get(), &st) != 0) {
            Fail("cannot query " + inputs[i]);
        }
        off_t offset = i == 0 ? 0 : kHeaderSize;
        while (offset < st.st_size) {
            const ssize_t n = ::copy_file_range(in.get(), &offset, out.get(), nullptr,
                                                static_cast<std::size_t>(st.st_size - offset), 0);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                Fail("cannot copy " + inputs[i]);
            }
        }
    }
    FlushToDisk(out, output);
}
