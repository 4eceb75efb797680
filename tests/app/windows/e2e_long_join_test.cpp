// A join that lasts, under the real program: the progress window appears
// over the dialog, its bar advances, the dialog repaints but takes no
// input, and Escape there removes the output with no message after it.
#include <windows.h>

#include <commctrl.h>

#include <filesystem>

#include "tests/app/windows/e2e_fixture.h"

namespace {

TEST_F(KorvaneE2E, LongJoinShowsProgressAndCancelRemovesTheOutput) {
    // Copying 64 GiB of holes takes far longer than the test waits.
    const std::wstring large = PathOf(L"large.mpg");
    ASSERT_TRUE(MakeSparseFile(large, 64ULL << 30));
    const std::wstring small = MakeFile(L"small.mpg", 6000, 1);
    const std::wstring out = PathOf(L"joined.mpg");
    StartWithFiles({large, small});
    HWND dialog = Dialog();
    ASSERT_TRUE(probe::SetText(Control(1003), out));
    probe::Click(dialog, IDOK);
    auto question = probe::WaitForMessageBox(ProcessId());
    ASSERT_TRUE(question.has_value());
    ASSERT_EQ(question->text, L"結合してもよろしいですか？");
    ASSERT_TRUE(probe::Answer(*question, IDOK));

    std::pair<HWND, HWND> progress;
    ASSERT_TRUE(probe::WaitUntil([&] {
        progress = probe::FindProgressWindow(ProcessId());
        return progress.first != nullptr;
    }));
    const auto [window, bar] = progress;
    EXPECT_EQ(GetWindow(window, GW_OWNER), dialog);
    EXPECT_EQ(probe::Text(window), L"korvane");
    EXPECT_EQ(probe::Text(GetDlgItem(window, 100)), L"ファイルを結合しています…");
    EXPECT_EQ(probe::Text(GetDlgItem(window, IDCANCEL)), L"キャンセル");
    // The input's path, or its middle left out where it does not fit.
    const std::wstring item = probe::Text(GetDlgItem(window, 101));
    EXPECT_TRUE(item == large ||
                (item.find(L'\u2026') != std::wstring::npos && item.ends_with(L"large.mpg")))
        << Narrow(item);

    // The dialog takes no input but repaints: an invalidated dialog gets
    // painted while the join runs.
    EXPECT_FALSE(IsWindowEnabled(dialog));
    ASSERT_TRUE(InvalidateRect(dialog, nullptr, TRUE));
    EXPECT_TRUE(probe::WaitUntil([&] { return !GetUpdateRect(dialog, nullptr, FALSE); }));

    // The bar moves on and the time left shows.
    const int first = probe::BarPosition(bar);
    EXPECT_TRUE(probe::WaitUntil([&] {
        return probe::BarPosition(bar) > first && !probe::Text(GetDlgItem(window, 103)).empty();
    }));
    EXPECT_LT(probe::BarPosition(bar), 10000);
    EXPECT_TRUE(probe::CaptureWindow(window, ScreenshotPath(L"progress_window.png")));
    // The output's name appears only once the join is whole.
    EXPECT_FALSE(std::filesystem::exists(out));

    // Escape, as the cancel button and the close box, stops the join.
    probe::PressEscape(window);
    ASSERT_TRUE(probe::WaitUntil([&] { return !IsWindow(window); }));
    EXPECT_FALSE(probe::WaitForMessageBox(ProcessId(), 1500).has_value());
    EXPECT_TRUE(IsWindowEnabled(dialog));
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_EQ(std::filesystem::file_size(large), 64ULL << 30);
    EXPECT_EQ(ReadFileBytes(small), PatternOf(6000, 1));
    EXPECT_EQ(probe::ListEntries(Control(1002)), (std::vector<std::wstring>{large, small}));
    EXPECT_EQ(probe::Text(Control(1003)), out);
}

} // namespace
