#include "fw/platform/desktop_directory.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

#include "fw/platform/posix/xdg_user_dirs.h"

namespace fw {
namespace {

// user-dirs.dirs is a few lines; anything larger is not read past this.
constexpr std::size_t kMaxUserDirsBytes = 64 * 1024;

bool IsDirectory(const std::string& path) {
    struct stat info{};
    return !path.empty() && stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::optional<std::string> ExistingDirectory(std::string path) {
    path = WithoutTrailingSlashes(std::move(path));
    if (IsDirectory(path)) {
        return path;
    }
    return std::nullopt;
}

std::string InDirectory(const std::string& dir, const char* name) {
    return dir.ends_with('/') ? dir + name : dir + '/' + name;
}

std::optional<std::string> PasswordDatabaseHome() {
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 ||
        found == nullptr || found->pw_dir == nullptr) {
        return std::nullopt;
    }
    return std::string(found->pw_dir);
}

std::string ReadFilePrefix(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::string text;
    if (!file) {
        return text;
    }
    text.resize(kMaxUserDirsBytes);
    file.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(file.gcount()));
    return text;
}

// The folder of the user's configuration files: $XDG_CONFIG_HOME when it is
// an absolute path (relative ones are to be ignored), else ~/.config.
std::optional<std::string> ConfigDirectory(const std::optional<std::string>& home) {
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    if (configHome != nullptr && configHome[0] == '/') {
        return std::string(configHome);
    }
    if (home) {
        return InDirectory(*home, ".config");
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> GetHomeDirectory() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] != '\0') {
        if (std::optional<std::string> dir = ExistingDirectory(home)) {
            return dir;
        }
    }
    if (std::optional<std::string> dir = PasswordDatabaseHome()) {
        return ExistingDirectory(*dir);
    }
    return std::nullopt;
}

std::optional<std::string> GetDesktopDirectory() {
    const std::optional<std::string> home = GetHomeDirectory();
    if (const std::optional<std::string> config = ConfigDirectory(home)) {
        const std::string text = ReadFilePrefix(InDirectory(*config, "user-dirs.dirs"));
        if (std::optional<std::string> dir = FindXdgUserDir(text, "XDG_DESKTOP_DIR", home)) {
            if (std::optional<std::string> existing = ExistingDirectory(*dir)) {
                return existing;
            }
        }
    }
    if (home) {
        return ExistingDirectory(InDirectory(*home, "Desktop"));
    }
    return std::nullopt;
}

} // namespace fw
