#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "fw/platform/posix/xdg_user_dirs.h"

namespace {

const std::optional<std::string> kHome = std::string("/home/u");

std::optional<std::string> Desktop(const std::string& fileText,
                                   const std::optional<std::string>& home = kHome) {
    return fw::FindXdgUserDir(fileText, "XDG_DESKTOP_DIR", home);
}

} // namespace

TEST(XdgUserDirs, ReadsTheUsualForms) {
    EXPECT_EQ(Desktop("XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"), "/home/u/Desktop");
    EXPECT_EQ(Desktop("XDG_DESKTOP_DIR=\"${HOME}/Bureau\""), "/home/u/Bureau");
    EXPECT_EQ(Desktop("XDG_DESKTOP_DIR=\"/data/desk/\"\r\n"), "/data/desk");
    EXPECT_EQ(Desktop("XDG_DESKTOP_DIR=$HOME/Desk"), "/home/u/Desk");
    EXPECT_EQ(Desktop("XDG_DESKTOP_DIR='/srv/$HOME'"), "/srv/$HOME");
    EXPECT_EQ(Desktop("  export XDG_DESKTOP_DIR=\"$HOME/D\"  # mine"), "/home/u/D");
    EXPECT_EQ(Desktop("XDG_DESKTOP_DIR=\"$HOME/\xe3\x83\x87\xe3\x82\xb9\xe3\x82\xaf\"\n"),
              "/home/u/\xe3\x83\x87\xe3\x82\xb9\xe3\x82\xaf");
    EXPECT_EQ(Desktop("XDG_DESKTOP_DIR=\"$HOME/My \\\"Desk\\\" \\\\ \\$x\""),
              "/home/u/My \"Desk\" \\ $x");
}

TEST(XdgUserDirs, SkipsCommentsOtherKeysAndInvalidValues) {
    const std::string file = "# XDG_DESKTOP_DIR=\"/commented\"\n"
                             "XDG_DOWNLOAD_DIR=\"$HOME/Downloads\"\n"
                             "XDG_DESKTOP_DIRS=\"/wrong/key\"\n"
                             "XDG_DESKTOP_DIR=\"relative/path\"\n"
                             "XDG_DESKTOP_DIR=\"/unterminated\n"
                             "XDG_DESKTOP_DIR=\"$HOMEWORK/x\"\n";
    EXPECT_EQ(Desktop(file), std::nullopt);
    EXPECT_EQ(Desktop(""), std::nullopt);
    // $HOME cannot be expanded without a home directory.
    EXPECT_EQ(Desktop("XDG_DESKTOP_DIR=\"$HOME/Desktop\"", std::nullopt), std::nullopt);
    EXPECT_EQ(Desktop("XDG_DESKTOP_DIR=\"/abs\"", std::nullopt), "/abs");
}

TEST(XdgUserDirs, LastAssignmentWinsAndHomeMeansDisabled) {
    EXPECT_EQ(Desktop("XDG_DESKTOP_DIR=\"/a\"\nXDG_DESKTOP_DIR=\"/b\"\n"), "/b");
    EXPECT_EQ(Desktop("XDG_DESKTOP_DIR=\"$HOME/\""), std::nullopt);
    EXPECT_EQ(Desktop("XDG_DESKTOP_DIR=\"$HOME\""), std::nullopt);
    EXPECT_EQ(Desktop("XDG_DESKTOP_DIR=\"/a\"\nXDG_DESKTOP_DIR=\"/home/u/\""), std::nullopt);
}
