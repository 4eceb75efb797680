// The command-line reader over arguments already split, as POSIX hands them
// over.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fw/platform/process_command_line.h"
#include "intake/drop_command_line_info.h"
#include "read_items.h"

using Args = std::vector<std::string>;
using Params = std::vector<std::string>;
using Items = std::vector<Item>;

namespace {

Items ItemsOf(const Args& args) {
    CDropCommandLineInfo reader(args);
    return ReadItems(reader);
}

Params ParamsOf(const Args& args) {
    CDropCommandLineInfo reader(args);
    return ReadParams(reader);
}

} // namespace

TEST(CommandLineSplit, EachArgumentIsOneWordAsGiven) {
    EXPECT_EQ(ParamsOf({"/usr/bin/korvane", "/home/u/a.mpg", "/home/u/my  clip 2.mpg"}),
              (Params{"/home/u/a.mpg", "/home/u/my  clip 2.mpg"}));
    // No quoting and no trimming: quotes and blanks are part of file names.
    EXPECT_EQ(ParamsOf({"prog", "\"a b\"", " lead", "trail\t", "\""}),
              (Params{"\"a b\"", " lead", "trail\t", "\""}));
}

TEST(CommandLineSplit, NothingAfterTheProgram) {
    for (const Args& args : {Args{}, Args{"prog"}, Args{"/usr/bin/korvane"}}) {
        CDropCommandLineInfo reader(args);
        std::string switchText = "old";
        std::string paramText = "old";
        EXPECT_FALSE(reader.GetFirstItem(switchText, paramText)) << args.size();
        EXPECT_EQ(switchText, "");
        EXPECT_EQ(paramText, "");
        EXPECT_FALSE(reader.GetNextItem(switchText, paramText));
    }
}

TEST(CommandLineSplit, OnlyTheHyphenStartsASwitch) {
    EXPECT_EQ(ItemsOf({"prog", "-x", "/a.mpg"}), (Items{{"x", "/a.mpg"}}));
    EXPECT_EQ(ItemsOf({"prog", "-x", "-y", "/a.mpg"}), (Items{{"x", ""}, {"y", "/a.mpg"}}));
    EXPECT_EQ(ItemsOf({"prog", "/a.mpg", "-x"}), (Items{{"", "/a.mpg"}, {"x", ""}}));
    EXPECT_EQ(ItemsOf({"prog", "-", "a"}), (Items{{"", "a"}}));
    EXPECT_EQ(ItemsOf({"prog", "--long name", "a b"}), (Items{{"-long name", "a b"}}));
}

TEST(CommandLineSplit, EmptyArgumentIsAnEmptyEntry) {
    EXPECT_EQ(ItemsOf({"prog", "", "/a.mpg"}), (Items{{"", ""}, {"", "/a.mpg"}}));
    EXPECT_EQ(ItemsOf({"prog", "-x", ""}), (Items{{"x", ""}}));
    EXPECT_EQ(ItemsOf({"prog", "/a.mpg", ""}), (Items{{"", "/a.mpg"}, {"", ""}}));
}

TEST(CommandLineSplit, ProgramNameIsNeverASwitch) {
    // Login shells and some launchers put a hyphen before the program name.
    EXPECT_EQ(ParamsOf({"-korvane", "/a.mpg", "/b.mpg"}), (Params{"/a.mpg", "/b.mpg"}));
}

TEST(CommandLineSplit, ArgumentEndsAtAZeroByte) {
    EXPECT_EQ(ParamsOf({"prog", std::string("/a.mpg\0junk", 11), "/b.mpg"}),
              (Params{"/a.mpg", "/b.mpg"}));
}

TEST(CommandLineSplit, GetFirstItemStartsOverAndOutputsAreEmptied) {
    CDropCommandLineInfo reader(Args{"prog", "a", "-x", "-y", "b"});
    const Items first = ReadItems(reader);
    EXPECT_EQ(first, (Items{{"", "a"}, {"x", ""}, {"y", "b"}}));
    EXPECT_EQ(ReadItems(reader), first);

    std::string switchText = "stale";
    std::string paramText = "stale";
    ASSERT_TRUE(reader.GetFirstItem(switchText, paramText));
    EXPECT_EQ(switchText, "");
    EXPECT_EQ(paramText, "a");
    ASSERT_TRUE(reader.GetNextItem(switchText, paramText));
    EXPECT_EQ(switchText, "x");
    EXPECT_EQ(paramText, "");
}

// Only platforms that split the command line store the arguments given to main;
// on Windows the reader takes the process's own command-line text.
#ifndef _WIN32
TEST(CommandLineSplit, DefaultReaderTakesTheProcessArguments) {
    std::string program = "/usr/bin/korvane";
    std::string first = "/home/u/clip 01.mpg";
    std::string second = "-x";
    char* argv[] = {program.data(), first.data(), second.data(), nullptr};
    fw::SetProcessArguments(3, argv);
    CDropCommandLineInfo reader;
    EXPECT_EQ(ReadItems(reader), (Items{{"", "/home/u/clip 01.mpg"}, {"x", ""}}));
    fw::SetProcessArguments(0, nullptr);
    CDropCommandLineInfo empty;
    EXPECT_EQ(ReadItems(empty), Items{});
}
#endif
