// The command line as the shell hands it over: sorting, quoting, switches,
// runs of spaces, and names in any script.
#include "tests/app/windows/e2e_fixture.h"
#include "tests/app/windows/expected_layout.h"
#include "tests/expected_texts.h"

namespace {

TEST_F(KorvaneE2E, FilesAndFoldersAppearSortedWithCaseIgnored) {
    const std::wstring p1 = MakeFile(L"b\\clip2.MPG", 6000, 1);
    const std::wstring p2 = MakeFile(L"a\\Zeta.mpg", 6000, 2);
    const std::wstring p3 = MakeFile(L"B\\CLIP1.mpg", 6000, 3);
    const std::wstring p4 = MakeFile(L"a\\2002_05_party-1.mpg", 6000, 4);
    StartWithFiles({p1, p2, p3, p4, p2});
    EXPECT_EQ(probe::ListEntries(Control(1002)), (std::vector<std::wstring>{p4, p2, p2, p3, p1}));
    // The proposal comes from the first in sorted order, on the desktop.
    EXPECT_EQ(probe::Text(Control(1003)), DesktopDirectory() + L"\\party.mpg");
}

TEST_F(KorvaneE2E, QuotesSpacesAndSwitchesAreReadAsOnTheCommandLine) {
    const std::wstring spaced = MakeFile(L"my clip.mpg", 6000, 1);
    const std::wstring plain = MakeFile(L"b.mpg", 6000, 2);
    // A switch followed by a switch gives one empty entry; the rest are files.
    Start(Quoted(KorvaneExePath()) + L"   " + Quoted(spaced) + L" /x -y  " + plain + L"  ");
    EXPECT_EQ(probe::ListEntries(Control(1002)), (std::vector<std::wstring>{L"", plain, spaced}));
    EXPECT_EQ(probe::Text(Control(1003)), DesktopDirectory() + L"\\");
}

TEST_F(KorvaneE2E, AQuotedPathKeepsARunOfSpacesAndJoins) {
    const std::wstring a = MakeFile(L"my  clip.mpg", 6000, 1);
    const std::wstring b = MakeFile(L"my  clip2.mpg", 7000, 2);
    const std::wstring out = PathOf(L"out.mpg");
    Start(KorvaneExePath() + L" " + Quoted(a) + L" " + Quoted(b));
    ASSERT_EQ(probe::ListEntries(Control(1002)), (std::vector<std::wstring>{a, b}));
    EXPECT_EQ(probe::Text(Control(1003)), DesktopDirectory() + L"\\my  clip.mpg");
    ASSERT_TRUE(probe::SetText(Control(1003), out));
    auto done = JoinAndConfirm();
    ASSERT_TRUE(done.has_value());
    EXPECT_EQ(done->text, layout::Wide(expected::kJoinComplete.c_str()));
    ASSERT_TRUE(probe::Answer(*done, IDOK));
    EXPECT_EQ(ReadFileBytes(out), Joined({PatternOf(6000, 1), PatternOf(7000, 2)}));
}

TEST_F(KorvaneE2E, ALoneSwitchOrAnOpenQuoteStillOpensTheDialog) {
    Start(Quoted(KorvaneExePath()) + L" /x");
    EXPECT_EQ(probe::ListEntries(Control(1002)), std::vector<std::wstring>{L""});
    EXPECT_EQ(probe::Text(Control(1003)), DesktopDirectory() + L"\\");

    const std::wstring spaced = MakeFile(L"open quote.mpg", 6000, 1);
    Start(Quoted(KorvaneExePath()) + L" \"" + spaced);
    EXPECT_EQ(probe::ListEntries(Control(1002)), std::vector<std::wstring>{spaced});
}

TEST_F(KorvaneE2E, NamesInAnyScriptJoin) {
    // Japanese (in code page 932) and characters no Japanese code page has.
    const std::wstring japanese = MakeFile(L"動画ソース\\表示１.mpg", 6000, 1);
    const std::wstring beyond = MakeFile(L"клип\\été_한국어_😀.mpg", 7000, 2);
    const std::wstring out = PathOf(L"出力_é😀.mpg");
    StartWithFiles({japanese, beyond});
    ASSERT_EQ(probe::ListEntries(Control(1002)), (std::vector<std::wstring>{beyond, japanese}));
    EXPECT_EQ(probe::Text(Control(1003)), DesktopDirectory() + L"\\été한국어😀.mpg");
    ASSERT_TRUE(probe::SetText(Control(1003), out));
    auto done = JoinAndConfirm();
    ASSERT_TRUE(done.has_value());
    EXPECT_EQ(done->text, layout::Wide(expected::kJoinComplete.c_str()));
    ASSERT_TRUE(probe::Answer(*done, IDOK));
    EXPECT_EQ(ReadFileBytes(out), Joined({PatternOf(7000, 2), PatternOf(6000, 1)}));

    // A failure names the file in its own script.
    const std::wstring missing = PathOf(L"無い_😀.mpg");
    ASSERT_TRUE(probe::SetText(Control(1003), missing + L"\\x.mpg"));
    auto box = JoinAndConfirm();
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->text,
              L"保存先のファイル「" + missing + L"\\x.mpg」を作成することが出来ませんでした。");
    ASSERT_TRUE(probe::Answer(*box, IDOK));
}

} // namespace
