#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// The benchmark's working folder, removed with everything in it afterwards.
class BenchFolder {
public:
    explicit BenchFolder(const std::filesystem::path& parent);
    ~BenchFolder();
    BenchFolder(const BenchFolder&) = delete;
    BenchFolder& operator=(const BenchFolder&) = delete;

    std::string operator/(const std::string& name) const { return (m_path / name).string(); }
    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

// Writes a file of the given size with varied contents (no holes, no two
// blocks alike) and flushes it, so no write-back of the inputs runs while
// the contenders are timed. Its pages stay in the page cache.
void MakeInputFile(const std::string& path, std::uint64_t size, std::uint32_t seed);

bool SameContents(const std::string& a, const std::string& b);
