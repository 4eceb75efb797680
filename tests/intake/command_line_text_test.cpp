// The command-line reader over one command-line text, as Windows hands it
// over.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "intake/drop_command_line_info.h"
#include "read_items.h"

using Params = std::vector<std::string>;
using Items = std::vector<Item>;

namespace {

Params ParamsOf(const std::string& commandLine, fw::CodePage codePage = fw::CodePage::Cp932) {
    CDropCommandLineInfo reader(commandLine, codePage);
    return ReadParams(reader);
}

Items ItemsOf(const std::string& commandLine) {
    CDropCommandLineInfo reader(commandLine, fw::CodePage::Cp932);
    return ReadItems(reader);
}

} // namespace

TEST(CommandLineText, WordsAfterTheProgramPath) {
    EXPECT_EQ(ParamsOf(R"("C:\Tools\prog.exe" D:\v\a.mpg D:\v\b.mpg)"),
              (Params{R"(D:\v\a.mpg)", R"(D:\v\b.mpg)"}));
    EXPECT_EQ(ParamsOf(R"("C:\Program Files\K\prog.exe" a.mpg)"), (Params{"a.mpg"}));
    EXPECT_EQ(ParamsOf(R"(prog "D:\my clips\a 1.mpg")"), (Params{R"(D:\my clips\a 1.mpg)"}));
}

TEST(CommandLineText, NothingAfterTheProgramPath) {
    for (const char* line : {"prog", R"("C:\Program Files\prog.exe")", "  prog  ", "", " \t\r\n",
                             R"("C:\Program Files\prog.exe   )"}) {
        CDropCommandLineInfo reader(line, fw::CodePage::Cp932);
        std::string switchText = "old";
        std::string paramText = "old";
        EXPECT_FALSE(reader.GetFirstItem(switchText, paramText)) << line;
        EXPECT_EQ(switchText, "");
        EXPECT_EQ(paramText, "");
        EXPECT_FALSE(reader.GetNextItem(switchText, paramText)) << line;
    }
}

TEST(CommandLineText, BlanksAroundAndBetweenWords) {
    EXPECT_EQ(ParamsOf(" \t\r\n prog    a.mpg     b.mpg \r\n\t "), (Params{"a.mpg", "b.mpg"}));
    // Only the space separates words; other blanks inside the line belong to
    // the word.
    EXPECT_EQ(ParamsOf("prog a\tb.mpg"), (Params{"a\tb.mpg"}));
    // A full-width space at the end is part of the text, not a blank.
    EXPECT_EQ(ParamsOf("prog a\x81\x40"), (Params{"a\x81\x40"}));
}

TEST(CommandLineText, QuotedItemsKeepTheirSpaces) {
    EXPECT_EQ(ParamsOf(R"(prog "a b")"), (Params{"a b"}));
    EXPECT_EQ(ParamsOf(R"(prog "my  clip.mpg" next.mpg)"), (Params{"my  clip.mpg", "next.mpg"}));
    EXPECT_EQ(ParamsOf(R"(prog "a   b    c d" e)"), (Params{"a   b    c d", "e"}));
    EXPECT_EQ(ParamsOf(R"(prog "single")"), (Params{"single"}));
    // A quoted program path with a run of spaces is consumed whole.
    EXPECT_EQ(ParamsOf(R"("C:\My  Tools\prog.exe" a)"), (Params{"a"}));
}

TEST(CommandLineText, LoneAndEmptyQuotesGiveEmptyItems) {
    EXPECT_EQ(ParamsOf(R"(prog " b.mpg)"), (Params{"", "b.mpg"}));
    EXPECT_EQ(ParamsOf(R"(prog "" b.mpg)"), (Params{"", "b.mpg"}));
    EXPECT_EQ(ParamsOf(R"(prog ")"), (Params{""}));
}

TEST(CommandLineText, UnterminatedQuoteTakesTheRestOfTheLine) {
    CDropCommandLineInfo reader(R"(prog a.mpg "b c  d -x /y)", fw::CodePage::Cp932);
    EXPECT_EQ(ReadParams(reader), (Params{"a.mpg", "b c  d -x /y"}));
    std::string switchText;
    std::string paramText;
    EXPECT_FALSE(reader.GetNextItem(switchText, paramText));
}

TEST(CommandLineText, QuoteInsideAWordHasNoEffect) {
    EXPECT_EQ(ParamsOf(R"(prog ab"c d)"), (Params{R"(ab"c)", "d"}));
    EXPECT_EQ(ParamsOf(R"(prog ab" c)"), (Params{R"(ab")", "c"}));
    // Only a word that ends in a quote closes a quoted item.
    EXPECT_EQ(ParamsOf(R"(prog "a b"c d" e)"), (Params{R"(a b"c d)", "e"}));
}

TEST(CommandLineText, SwitchesAreReadAndGiveEmptyEntriesWhenFollowedBySwitches) {
    EXPECT_EQ(ItemsOf(R"(prog /x D:\a.mpg)"), (Items{{"x", R"(D:\a.mpg)"}}));
    EXPECT_EQ(ItemsOf(R"(prog /x /y D:\a.mpg)"), (Items{{"x", ""}, {"y", R"(D:\a.mpg)"}}));
    EXPECT_EQ(ItemsOf("prog -x -y"), (Items{{"x", ""}, {"y", ""}}));
    EXPECT_EQ(ItemsOf("prog a.mpg -x"), (Items{{"", "a.mpg"}, {"x", ""}}));
    EXPECT_EQ(ItemsOf("prog a.mpg /"), (Items{{"", "a.mpg"}, {"", ""}}));
    EXPECT_EQ(ItemsOf(R"(prog -"a b" c)"), (Items{{"a b", "c"}}));
    EXPECT_EQ(ItemsOf("prog a -x b"), (Items{{"", "a"}, {"x", "b"}}));
}

TEST(CommandLineText, ProgramPathIsNeverASwitch) {
    // A path that starts like a switch must not take the first item with it.
    EXPECT_EQ(ParamsOf(R"(-dir\prog.exe a.mpg b.mpg)"), (Params{"a.mpg", "b.mpg"}));
    EXPECT_EQ(ParamsOf("/opt/prog a.mpg"), (Params{"a.mpg"}));
}

TEST(CommandLineText, GetFirstItemStartsOver) {
    CDropCommandLineInfo reader(R"(prog "a  b" -x c "d)", fw::CodePage::Cp932);
    const Items first = ReadItems(reader);
    EXPECT_EQ(first, (Items{{"", "a  b"}, {"x", "c"}, {"", "d"}}));
    EXPECT_EQ(ReadItems(reader), first);
    // Starting over in the middle works as well.
    std::string switchText;
    std::string paramText;
    ASSERT_TRUE(reader.GetFirstItem(switchText, paramText));
    EXPECT_EQ(ReadItems(reader), first);
}

TEST(CommandLineText, OutputsAreEmptiedOnEveryCall) {
    CDropCommandLineInfo reader("prog a -x", fw::CodePage::Cp932);
    std::string switchText = "stale switch";
    std::string paramText = "stale param";
    ASSERT_TRUE(reader.GetFirstItem(switchText, paramText));
    EXPECT_EQ(switchText, "");
    EXPECT_EQ(paramText, "a");
    ASSERT_TRUE(reader.GetNextItem(switchText, paramText));
    EXPECT_EQ(switchText, "x");
    EXPECT_EQ(paramText, "");
    switchText = "stale";
    paramText = "stale";
    EXPECT_FALSE(reader.GetNextItem(switchText, paramText));
    EXPECT_EQ(switchText, "");
    EXPECT_EQ(paramText, "");
}

TEST(CommandLineText, TextEndsAtAZeroByte) {
    EXPECT_EQ(ParamsOf(std::string("prog a.mpg\0b.mpg", 16)), (Params{"a.mpg"}));
}

TEST(CommandLineText, DoubleByteCharactersPassThroughWhole) {
    // 表 (0x95 0x5C) and ダ (0x83 0x5F) end in ASCII punctuation bytes.
    const std::string name = "D:\\\x95\x5c\\\x83\x5f 1.mpg";
    EXPECT_EQ(ParamsOf("prog \"" + name + "\""), (Params{name}));
    EXPECT_EQ(ParamsOf("prog \"" + name + "\"", fw::CodePage::Utf8), (Params{name}));
}
