// Joining through the dialog: order editing, the join itself, and every
// message the user can meet on the way.
#include <filesystem>

#include "tests/app/windows/e2e_fixture.h"
#include "tests/app/windows/expected_layout.h"
#include "tests/expected_texts.h"

namespace {

using probe::BoxIcon;

TEST_F(KorvaneE2E, ReorderThenJoinWritesTheBytesInListOrder) {
    const std::wstring a = MakeFile(L"clip_a.mpg", 6000, 1);
    const std::wstring b = MakeFile(L"clip_b.mpg", 7000, 2);
    const std::wstring c = MakeFile(L"clip_c.mpg", 5001, 3);
    const std::wstring out = PathOf(L"joined.mpg");
    StartWithFiles({c, a, b});
    HWND list = Control(1002);
    ASSERT_EQ(probe::ListEntries(list), (std::vector<std::wstring>{a, b, c}));

    // c up to the middle, then a down past it: c, a, b... a stays selected.
    ASSERT_TRUE(probe::SelectEntry(list, 2));
    probe::Click(Dialog(), 1000);
    ASSERT_TRUE(probe::WaitUntil([&] { return probe::ListEntries(list)[1] == c; }));
    EXPECT_EQ(probe::ListSelection(list), 1);
    ASSERT_TRUE(probe::SelectEntry(list, 0));
    probe::Click(Dialog(), 1001);
    ASSERT_TRUE(probe::WaitUntil([&] { return probe::ListEntries(list)[0] == c; }));
    EXPECT_EQ(probe::ListEntries(list), (std::vector<std::wstring>{c, a, b}));
    EXPECT_EQ(probe::ListSelection(list), 1);

    ASSERT_TRUE(probe::SetText(Control(1003), out));
    auto done = JoinAndConfirm();
    ASSERT_TRUE(done.has_value());
    EXPECT_EQ(done->text, layout::Wide(expected::kJoinComplete.c_str()));
    EXPECT_EQ(done->icon, BoxIcon::information) << probe::IconName(done->icon);
    ASSERT_TRUE(probe::Answer(*done, IDOK));
    EXPECT_EQ(ReadFileBytes(out),
              Joined({PatternOf(5001, 3), PatternOf(6000, 1), PatternOf(7000, 2)}));

    // The dialog stays, unchanged, and joins again from the start.
    EXPECT_EQ(probe::ListEntries(list), (std::vector<std::wstring>{c, a, b}));
    auto again = JoinAndConfirm();
    ASSERT_TRUE(again.has_value());
    EXPECT_EQ(again->text, layout::Wide(expected::kJoinComplete.c_str()));
    ASSERT_TRUE(probe::Answer(*again, IDOK));
    EXPECT_EQ(ReadFileBytes(out).size(), 5001u + 1000u + 2000u);
}

TEST_F(KorvaneE2E, EnterThreeTimesJoinsOntoTheDesktop) {
    const std::wstring desktopOut = DesktopDirectory() + L"\\korvaneenter.mpg";
    std::filesystem::remove(desktopOut);
    const std::wstring a = MakeFile(L"korvane-enter_01.mpg", 6500, 4);
    const std::wstring b = MakeFile(L"korvane-enter_02.mpg", 6000, 5);
    const std::wstring c = MakeFile(L"korvane-enter_03.mpg", 8000, 6);
    StartWithFiles({b, c, a});
    HWND dialog = Dialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(probe::Text(Control(1003)), desktopOut);

    ASSERT_TRUE(probe::PressEnter(dialog));
    auto question = probe::WaitForMessageBox(ProcessId());
    ASSERT_TRUE(question.has_value());
    EXPECT_EQ(question->text, layout::Wide(expected::kConfirmJoin.c_str()));
    ASSERT_TRUE(probe::PressEnter(question->hwnd));
    ASSERT_TRUE(probe::WaitUntil([&] { return !IsWindow(question->hwnd); }));
    auto done = probe::WaitForMessageBox(ProcessId());
    ASSERT_TRUE(done.has_value());
    EXPECT_EQ(done->text, layout::Wide(expected::kJoinComplete.c_str()));
    ASSERT_TRUE(probe::PressEnter(done->hwnd));
    ASSERT_TRUE(probe::WaitUntil([&] { return !IsWindow(done->hwnd); }));

    EXPECT_EQ(ReadFileBytes(desktopOut),
              Joined({PatternOf(6500, 4), PatternOf(6000, 5), PatternOf(8000, 6)}));
    std::filesystem::remove(desktopOut);
}

TEST_F(KorvaneE2E, CancellingTheQuestionTouchesNothing) {
    const std::wstring a = MakeFile(L"clip1.mpg", 6000, 1);
    const std::wstring out = MakeFile(L"existing.mpg", 123, 9);
    StartWithFiles({a});
    ASSERT_TRUE(probe::SetText(Control(1003), out));
    probe::Click(Dialog(), IDOK);
    auto question = probe::WaitForMessageBox(ProcessId());
    ASSERT_TRUE(question.has_value());
    ASSERT_TRUE(probe::Answer(*question, IDCANCEL));
    EXPECT_FALSE(probe::WaitForMessageBox(ProcessId(), 1000).has_value());
    EXPECT_EQ(ReadFileBytes(out), PatternOf(123, 9));
}

TEST_F(KorvaneE2E, OutputThatCannotBeCreatedIsReported) {
    const std::wstring a = MakeFile(L"clip1.mpg", 6000, 1);
    const std::wstring out = PathOf(L"no-such-folder\\out.mpg");
    StartWithFiles({a});
    ASSERT_TRUE(probe::SetText(Control(1003), out));
    auto box = JoinAndConfirm();
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->text, L"保存先のファイル「" + out + L"」を作成することが出来ませんでした。");
    EXPECT_EQ(box->icon, BoxIcon::stop) << probe::IconName(box->icon);
    EXPECT_EQ(box->caption, L"korvane");
    EXPECT_EQ(GetWindow(box->hwnd, GW_OWNER), Dialog());
    EXPECT_TRUE(probe::CaptureWindow(box->hwnd, ScreenshotPath(L"korvane-message-box.png")));
    ASSERT_TRUE(probe::Answer(*box, IDOK));
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST_F(KorvaneE2E, InputThatCannotBeOpenedStopsTheJoinAfterTheEarlierOnes) {
    const std::wstring a = MakeFile(L"clip1.mpg", 6000, 1);
    const std::wstring b = MakeFile(L"clip2.mpg", 7000, 2);
    const std::wstring missing = PathOf(L"clip3.mpg");
    const std::wstring out = PathOf(L"out.mpg");
    StartWithFiles({a, b, missing});
    ASSERT_TRUE(probe::SetText(Control(1003), out));
    auto box = JoinAndConfirm();
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->text, L"「" + missing + L"」を開くことが出来ませんでした。");
    EXPECT_EQ(box->icon, BoxIcon::stop) << probe::IconName(box->icon);
    ASSERT_TRUE(probe::Answer(*box, IDOK));
    EXPECT_EQ(ReadFileBytes(out), Joined({PatternOf(6000, 1), PatternOf(7000, 2)}));
}

TEST_F(KorvaneE2E, InputsHeldElsewhereOrNotFilesCannotBeOpened) {
    const std::wstring a = MakeFile(L"a.mpg", 6000, 1);
    const std::wstring held = MakeFile(L"b.mpg", 6000, 2);
    const std::wstring folder = PathOf(L"c-folder.mpg");
    std::filesystem::create_directories(folder);
    const std::wstring out = PathOf(L"out.mpg");
    HANDLE holder = CreateFileW(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);

    StartWithFiles({a, held, folder});
    ASSERT_TRUE(probe::SetText(Control(1003), out));
    auto box = JoinAndConfirm();
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->text, L"「" + held + L"」を開くことが出来ませんでした。");
    ASSERT_TRUE(probe::Answer(*box, IDOK));
    CloseHandle(holder);

    // Once released, the join gets to the folder and stops there.
    auto second = JoinAndConfirm();
    ASSERT_TRUE(second.has_value());
    EXPECT_EQ(second->text, L"「" + folder + L"」を開くことが出来ませんでした。");
    ASSERT_TRUE(probe::Answer(*second, IDOK));
    EXPECT_EQ(ReadFileBytes(out), Joined({PatternOf(6000, 1), PatternOf(6000, 2)}));
}

TEST_F(KorvaneE2E, InputsOf5000BytesOrLessAreRefused) {
    const std::wstring a = MakeFile(L"a.mpg", 6000, 1);
    const std::wstring small = MakeFile(L"b.mpg", 5000, 2);
    const std::wstring out = PathOf(L"out.mpg");
    StartWithFiles({small, a});
    ASSERT_TRUE(probe::SetText(Control(1003), out));
    auto box = JoinAndConfirm();
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->text, L"「" + small + L"」はMPEGファイルでは無い可能性があります。");
    EXPECT_EQ(box->icon, BoxIcon::stop) << probe::IconName(box->icon);
    ASSERT_TRUE(probe::Answer(*box, IDOK));
    EXPECT_EQ(ReadFileBytes(out), PatternOf(6000, 1));
}

TEST_F(KorvaneE2E, OutputNamingAnInputIsRefusedBeforeAnythingIsTouched) {
    const std::wstring a = MakeFile(L"Clip1.mpg", 6000, 1);
    const std::wstring b = MakeFile(L"Clip2.mpg", 7000, 2);
    StartWithFiles({a, b});
    // Another spelling of the second input.
    const std::wstring out = PathOf(L".\\CLIP2.MPG");
    ASSERT_TRUE(probe::SetText(Control(1003), out));
    auto box = JoinAndConfirm();
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->text, L"保存先のファイル「" + out +
                             L"」は結合するファイルの一つです。別の保存先を指定して下さい。");
    EXPECT_EQ(box->icon, BoxIcon::stop) << probe::IconName(box->icon);
    ASSERT_TRUE(probe::Answer(*box, IDOK));
    EXPECT_EQ(ReadFileBytes(b), PatternOf(7000, 2));
}

TEST_F(KorvaneE2E, OrderButtonsExplainWhatTheyCannotDo) {
    const std::wstring a = MakeFile(L"a.mpg", 6000, 1);
    const std::wstring b = MakeFile(L"b.mpg", 6000, 2);
    StartWithFiles({a, b});
    HWND list = Control(1002);
    for (int button : {1000, 1001}) {
        probe::Click(Dialog(), button);
        ExpectBoxAndAnswer(BoxIcon::information, layout::Wide(expected::kSelectAnItem.c_str()));
    }
    ASSERT_TRUE(probe::SelectEntry(list, 0));
    probe::Click(Dialog(), 1000);
    ExpectBoxAndAnswer(BoxIcon::information, layout::Wide(expected::kFirstCannotMoveUp.c_str()));
    ASSERT_TRUE(probe::SelectEntry(list, 1));
    probe::Click(Dialog(), 1001);
    ExpectBoxAndAnswer(BoxIcon::information, layout::Wide(expected::kLastCannotMoveDown.c_str()));
    EXPECT_EQ(probe::ListEntries(list), (std::vector<std::wstring>{a, b}));
    EXPECT_EQ(probe::ListSelection(list), 1);
}

} // namespace

namespace {

bool WritesFailForLackOfSpace(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const bool failed = !WriteFile(file, "x", 1, &written, nullptr);
    const DWORD error = GetLastError();
    CloseHandle(file);
    return failed && error == ERROR_DISK_FULL;
}

// Under Wine, drive Z: reaches the host's /dev/full, where every write fails
// for lack of space: the write-error message, and the dialog goes on.
TEST_F(KorvaneE2E, AFailingWriteIsReportedAsAWriteError) {
    const std::wstring full = L"Z:\\dev\\full";
    if (!WritesFailForLackOfSpace(full)) {
        GTEST_SKIP() << "no device that fails every write on this system";
    }
    const std::wstring a = MakeFile(L"a.mpg", 6000, 1);
    StartWithFiles({a});
    ASSERT_TRUE(probe::SetText(Control(1003), full));
    auto box = JoinAndConfirm();
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->text, L"「" + full + L"」に書き込み中にエラーが発生しました。");
    EXPECT_EQ(box->icon, probe::BoxIcon::stop) << probe::IconName(box->icon);
    ASSERT_TRUE(probe::Answer(*box, IDOK));
    // The dialog goes on.
    EXPECT_EQ(probe::ListEntries(Control(1002)), std::vector<std::wstring>{a});
}

} // namespace
