#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "intake/default_output_path.h"

using fw::CodePage;

namespace {

const std::optional<std::string> kDesktop = std::string("C:\\Users\\u_1\\Desktop");

std::string WindowsProposal(const std::string& input, CodePage codePage = CodePage::Cp932) {
    return MakeOutputPathIn(input, kDesktop, '\\', codePage);
}

} // namespace

TEST(DefaultOutputPath, NameIsStrippedOfDigitsHyphensAndUnderscores) {
    const std::string desk = *kDesktop + "\\";
    EXPECT_EQ(WindowsProposal(R"(D:\video\clip01.mpg)"), desk + "clip.mpg");
    EXPECT_EQ(WindowsProposal(R"(D:\video\2002_05_party-1.mpg)"), desk + "party.mpg");
    EXPECT_EQ(WindowsProposal(R"(D:\video\track1.mp2)"), desk + "track.mp");
    EXPECT_EQ(WindowsProposal(R"(D:\video\a.m2v)"), desk + "a.mv");
    EXPECT_EQ(WindowsProposal("clip_a"), desk + "clipa");
    EXPECT_EQ(WindowsProposal(R"(D:\dir_2\My Clip (A).v.mpg)"), desk + "My Clip (A).v.mpg");
}

TEST(DefaultOutputPath, NameOfOnlyRemovableCharacters) {
    EXPECT_EQ(WindowsProposal(R"(D:\video\001.mpg)"), *kDesktop + "\\.mpg");
    EXPECT_EQ(WindowsProposal(R"(D:\video\0_1-2)"), *kDesktop + "\\");
    EXPECT_EQ(WindowsProposal(R"(D:\video\)"), *kDesktop + "\\");
    EXPECT_EQ(WindowsProposal(""), *kDesktop + "\\");
}

TEST(DefaultOutputPath, ShiftJisSecondBytesAreNotSeparatorsOrUnderscores) {
    const std::string hyo = "\x95\x5c"; // 表, second byte '\'
    const std::string da = "\x83\x5f";  // ダ, second byte '_'
    EXPECT_EQ(WindowsProposal("D:\\" + hyo + "\\" + hyo + "01.mpg"),
              *kDesktop + "\\" + hyo + ".mpg");
    EXPECT_EQ(WindowsProposal("D:\\v\\" + da + "_" + da + "-2.mpg"),
              *kDesktop + "\\" + da + da + ".mpg");
    // Read as UTF-8 the same bytes are stray bytes, and the ASCII ones count.
    EXPECT_EQ(WindowsProposal("D:\\" + hyo + "01.mpg", CodePage::Utf8), *kDesktop + "\\" + ".mpg");
}

TEST(DefaultOutputPath, DirectoryIsKeptAsItIs) {
    const std::string hyo = "\x95\x5c";
    // The directory's own digits, hyphens and underscores stay, and a
    // directory ending in a double-byte character still gets its separator.
    EXPECT_EQ(MakeOutputPathIn("a1.mpg", "C:\\" + hyo, '\\', CodePage::Cp932),
              "C:\\" + hyo + "\\a.mpg");
    EXPECT_EQ(MakeOutputPathIn("a1.mpg", std::string("C:\\"), '\\', CodePage::Cp932), "C:\\a.mpg");
    EXPECT_EQ(MakeOutputPathIn("/x/a1.mpg", std::string("/"), '/', CodePage::Utf8), "/a.mpg");
    EXPECT_EQ(MakeOutputPathIn("/x/a1.mpg", std::nullopt, '/', CodePage::Utf8), "a.mpg");
}

TEST(DefaultOutputPath, PosixPathsSplitAtTheSlash) {
    const std::optional<std::string> desktop = std::string("/home/u/Desktop");
    EXPECT_EQ(MakeOutputPathIn("/srv/v_1/clip-03.mpg", desktop, '/', CodePage::Utf8),
              "/home/u/Desktop/clip.mpg");
    // A backslash is an ordinary character of a POSIX file name.
    EXPECT_EQ(MakeOutputPathIn("/srv/a\\b1.mpg", desktop, '/', CodePage::Utf8),
              "/home/u/Desktop/a\\b.mpg");
    EXPECT_EQ(MakeOutputPathIn("/srv/\xe3\x82\xaf\xe3\x83\xaa\xe3\x83\x83\xe3\x83\x97 2.mpg",
                               desktop, '/', CodePage::Utf8),
              "/home/u/Desktop/\xe3\x82\xaf\xe3\x83\xaa\xe3\x83\x83\xe3\x83\x97 .mpg");
}
