// What the program reads from its environment on POSIX: the locale's code
// page, the home and desktop directories, and the proposal built on them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "fw/platform/desktop_directory.h"
#include "fw/platform/system_code_page.h"
#include "intake/default_output_path.h"
#include "test_environment.h"
#include "tests/fw/temp_folder.h"

using fw::CodePage;

TEST(SystemCodePage, FollowsTheCtypeLocale) {
    {
        ScopedCtypeLocale utf8("C.UTF-8");
        ASSERT_TRUE(utf8.ok());
        EXPECT_EQ(fw::GetSystemCodePage(), CodePage::Utf8);
    }
    {
        ScopedCtypeLocale plain("C");
        ASSERT_TRUE(plain.ok());
        EXPECT_EQ(fw::GetSystemCodePage(), CodePage::SingleByte);
    }
}

class DesktopDirectory : public ::testing::Test {
protected:
    TempFolder m_home;
    ScopedEnv m_homeEnv{"HOME", m_home.Path().string()};
    ScopedEnv m_configEnv{"XDG_CONFIG_HOME", std::nullopt};

    void WriteUserDirs(const std::filesystem::path& configDir, const std::string& text) {
        std::filesystem::create_directories(configDir);
        std::ofstream(configDir / "user-dirs.dirs") << text;
    }
};

TEST_F(DesktopDirectory, XdgDesktopThatExists) {
    std::filesystem::create_directory(m_home.Path() / "Work Desk");
    WriteUserDirs(m_home.Path() / ".config", "XDG_DESKTOP_DIR=\"$HOME/Work Desk/\"\n");
    EXPECT_EQ(fw::GetDesktopDirectory(), m_home.Path().string() + "/Work Desk");
}

TEST_F(DesktopDirectory, ConfigHomeFromTheEnvironmentWhenAbsolute) {
    TempFolder config;
    std::filesystem::create_directory(m_home.Path() / "D1");
    std::filesystem::create_directory(m_home.Path() / "D2");
    WriteUserDirs(config.Path(), "XDG_DESKTOP_DIR=\"$HOME/D1\"\n");
    WriteUserDirs(m_home.Path() / ".config", "XDG_DESKTOP_DIR=\"$HOME/D2\"\n");
    {
        ScopedEnv absolute("XDG_CONFIG_HOME", config.Path().string());
        EXPECT_EQ(fw::GetDesktopDirectory(), m_home.Path().string() + "/D1");
    }
    {
        ScopedEnv relative("XDG_CONFIG_HOME", "relative/config");
        EXPECT_EQ(fw::GetDesktopDirectory(), m_home.Path().string() + "/D2");
    }
}

TEST_F(DesktopDirectory, FallsBackToAnExistingHomeDesktop) {
    // Configured but missing, or disabled: ~/Desktop when it exists, else none.
    WriteUserDirs(m_home.Path() / ".config", "XDG_DESKTOP_DIR=\"$HOME/Missing\"\n");
    EXPECT_EQ(fw::GetDesktopDirectory(), std::nullopt);
    std::filesystem::create_directory(m_home.Path() / "Desktop");
    EXPECT_EQ(fw::GetDesktopDirectory(), m_home.Path().string() + "/Desktop");
    WriteUserDirs(m_home.Path() / ".config", "XDG_DESKTOP_DIR=\"$HOME/\"\n");
    EXPECT_EQ(fw::GetDesktopDirectory(), m_home.Path().string() + "/Desktop");
}

TEST_F(DesktopDirectory, HomeComesFromTheEnvironment) {
    EXPECT_EQ(fw::GetHomeDirectory(), m_home.Path().string());
    ScopedEnv slash("HOME", m_home.Path().string() + "//");
    EXPECT_EQ(fw::GetHomeDirectory(), m_home.Path().string());
}

TEST_F(DesktopDirectory, MissingHomeFromTheEnvironmentIsNotUsed) {
    ScopedEnv missing("HOME", (m_home.Path() / "gone").string());
    const std::optional<std::string> home = fw::GetHomeDirectory();
    EXPECT_NE(home, (m_home.Path() / "gone").string());
    if (home) {
        EXPECT_TRUE(std::filesystem::is_directory(*home));
    }
}

TEST(DefaultOutputPath, UsesTheDesktopThenTheHomeDirectory) {
    TempFolder home;
    ScopedCtypeLocale locale("C.UTF-8");
    ScopedEnv homeEnv("HOME", home.Path().string());
    ScopedEnv configEnv("XDG_CONFIG_HOME", std::nullopt);

    EXPECT_EQ(MakeDefaultOutputPath("/v/clip01.mpg"), home.Path().string() + "/clip.mpg");

    std::filesystem::create_directory(home.Path() / "Desktop");
    EXPECT_EQ(MakeDefaultOutputPath("/v/clip01.mpg"), home.Path().string() + "/Desktop/clip.mpg");

    std::filesystem::create_directories(home.Path() / ".config");
    std::filesystem::create_directory(home.Path() / "Schreibtisch");
    std::ofstream(home.Path() / ".config" / "user-dirs.dirs")
        << "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n";
    EXPECT_EQ(MakeDefaultOutputPath("/v/clip01.mpg"),
              home.Path().string() + "/Schreibtisch/clip.mpg");
}
