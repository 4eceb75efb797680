#pragma once

#include <csignal>
#include <functional>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

// Runs body in a forked child, so that what it changes about the process
// (user, resource limits, signal dispositions) stays there, and returns the
// text it returns. A child that does not finish within the time limit is
// killed and "<timeout>" returned; one that dies, "<died>".
inline std::string RunInChild(const std::function<std::string()>& body, int timeoutMs = 30000) {
    int fds[2];
    if (::pipe(fds) != 0) {
        return "<pipe failed>";
    }
    const pid_t pid = ::fork();
    if (pid < 0) {
        return "<fork failed>";
    }
    if (pid == 0) {
        ::close(fds[0]);
        std::string result;
        try {
            result = body();
        } catch (...) {
            result = "<exception>";
        }
        const char* p = result.data();
        std::size_t left = result.size();
        while (left > 0) {
            const ssize_t n = ::write(fds[1], p, left);
            if (n <= 0) {
                break;
            }
            p += n;
            left -= static_cast<std::size_t>(n);
        }
        ::_exit(0);
    }
    ::close(fds[1]);
    std::string result;
    bool finished = false;
    for (;;) {
        pollfd pfd{fds[0], POLLIN, 0};
        const int ready = ::poll(&pfd, 1, timeoutMs);
        if (ready <= 0) {
            break;
        }
        char chunk[4096];
        const ssize_t n = ::read(fds[0], chunk, sizeof chunk);
        if (n <= 0) {
            finished = true;
            break;
        }
        result.append(chunk, static_cast<std::size_t>(n));
    }
    ::close(fds[0]);
    if (!finished) {
        ::kill(pid, SIGKILL);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!finished) {
        return "<timeout>";
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return "<died>";
    }
    return result;
}

// Joins the list of strings with newlines, for passing events out of a child.
inline std::string Lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\n";
    }
    return text;
}
