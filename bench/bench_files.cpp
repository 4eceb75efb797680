#include "bench/bench_files.h"

#include <cstring>
#include <fcntl.h>
#include <random>
#include <stdexcept>
#include <unistd.h>
#include <vector>

#include "fw/file/retry_on_interrupt.h"
#include "fw/file/unique_fd.h"

namespace {

using UniqueFd = fw::UniqueFd<>;

constexpr std::size_t kChunk = 1 << 20;

UniqueFd OpenOrThrow(const std::string& path, int flags) {
    UniqueFd fd(::open(path.c_str(), flags | O_CLOEXEC, 0644));
    if (fd.get() < 0) {
        throw std::runtime_error("cannot open " + path + ": " + std::strerror(errno));
    }
    return fd;
}

std::size_t ReadFull(int fd, char* buffer, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n =
            fw::RetryOnInterrupt([&] { return ::read(fd, buffer + done, size - done); });
        if (n <= 0) {
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    return done;
}

} // namespace

BenchFolder::BenchFolder(const std::filesystem::path& parent) {
    std::random_device random;
    for (;;) {
        m_path = parent / ("korvane-bench-" + std::to_string(random()));
        if (std::filesystem::create_directory(m_path)) {
            return;
        }
    }
}

BenchFolder::~BenchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

void MakeInputFile(const std::string& path, std::uint64_t size, std::uint32_t seed) {
    std::vector<std::uint32_t> words(kChunk / sizeof(std::uint32_t));
    std::mt19937 random(seed);
    for (auto& word : words) {
        word = random();
    }
    UniqueFd fd = OpenOrThrow(path, O_WRONLY | O_CREAT | O_TRUNC);
    std::uint64_t left = size;
    for (std::uint32_t block = 0; left > 0; ++block) {
        words[0] = block; // no two blocks alike
        const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(left, kChunk));
        if (::write(fd.get(), words.data(), n) != static_cast<ssize_t>(n)) {
            throw std::runtime_error("cannot write " + path + ": " + std::strerror(errno));
        }
        left -= n;
    }
    if (::fsync(fd.get()) != 0) {
        throw std::runtime_error("cannot flush " + path + ": " + std::strerror(errno));
    }
}

bool SameContents(const std::string& a, const std::string& b) {
    UniqueFd fa = OpenOrThrow(a, O_RDONLY);
    UniqueFd fb = OpenOrThrow(b, O_RDONLY);
    std::vector<char> ba(kChunk);
    std::vector<char> bb(kChunk);
    for (;;) {
        const std::size_t na = ReadFull(fa.get(), ba.data(), kChunk);
        const std::size_t nb = ReadFull(fb.get(), bb.data(), kChunk);
        if (na != nb || std::memcmp(ba.data(), bb.data(), na) != 0) {
            return false;
        }
        if (na == 0) {
            return true;
        }
    }
}
