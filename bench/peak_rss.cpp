#include "bench/peak_rss.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <spawn.h>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/wait.h>

#include "bench/contenders.h"
#include "fw/file/retry_on_interrupt.h"

extern char** environ;

long EnginePeakRssKib(const std::string& self, const std::vector<std::string>& inputs,
                      const std::string& output) {
    std::vector<std::string> args = {self, "--rss-child", output};
    args.insert(args.end(), inputs.begin(), inputs.end());
    std::vector<char*> argv;
    for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);

    pid_t pid = 0;
    if (const int rc = posix_spawn(&pid, self.c_str(), nullptr, nullptr, argv.data(), environ);
        rc != 0) {
        throw std::runtime_error(std::string("cannot start the measuring process: ") +
                                 std::strerror(rc));
    }
    int status = 0;
    rusage usage{};
    if (fw::RetryOnInterrupt([&] { return ::wait4(pid, &status, 0, &usage); }) < 0) {
        throw std::runtime_error("cannot wait for the measuring process");
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        throw std::runtime_error("the measuring process failed");
    }
    return usage.ru_maxrss; // KiB on Linux
}

int RunRssChild(int argc, char** argv) {
    if (argc < 4) {
        return 2;
    }
    try {
        JoinWithEngine(std::vector<std::string>(argv + 3, argv + argc), argv[2]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
