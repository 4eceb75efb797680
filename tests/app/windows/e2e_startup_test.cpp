// Start-up: without files only the information box shows; with files the
// dialog shows, laid out as template 102 says.
#include "tests/app/windows/e2e_fixture.h"
#include "tests/app/windows/expected_layout.h"
#include "tests/app/windows/program_resources.h"
#include "tests/expected_texts.h"

namespace {

std::wstring NoFilesText() {
    return layout::Wide(expected::kNoFilesDropped.c_str());
}

TEST_F(KorvaneE2E, WithoutFilesOnlyTheInformationBoxShowsAndTheExitStatusIsZero) {
    for (const std::wstring& commandLine :
         {Quoted(KorvaneExePath()), L"  " + KorvaneExePath() + L"   \t "}) {
        SCOPED_TRACE(Narrow(commandLine));
        KorvaneProcess& process = Start(commandLine);
        auto box = probe::WaitForMessageBox(process.Id());
        ASSERT_TRUE(box.has_value());
        EXPECT_EQ(box->caption, L"korvane");
        EXPECT_EQ(box->text, NoFilesText());
        EXPECT_EQ(box->icon, probe::BoxIcon::information) << probe::IconName(box->icon);
        EXPECT_EQ(box->buttonIds, std::vector<int>{IDOK});
        // The dialog exists behind the box but is never shown.
        HWND dialog = probe::FindJoinDialogWindow(process.Id());
        EXPECT_TRUE(dialog == nullptr || !IsWindowVisible(dialog));
        EXPECT_EQ(GetWindow(box->hwnd, GW_OWNER), dialog);
        ASSERT_TRUE(probe::Answer(*box, IDOK));
        EXPECT_EQ(process.WaitForExit(probe::kWaitMs), std::optional<DWORD>(0));
    }
}

TEST_F(KorvaneE2E, DialogShowsTemplate102) {
    const std::wstring a = MakeFile(L"one.mpg", 6000, 1);
    const std::wstring b = MakeFile(L"two.mpg", 6000, 2);
    StartWithFiles({b, a});
    HWND dialog = Dialog();
    ASSERT_NE(dialog, nullptr);

    EXPECT_EQ(probe::Text(dialog), L"Korvane");
    const LONG style = GetWindowLongW(dialog, GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_POPUP), WS_CAPTION | WS_SYSMENU | WS_POPUP);
    EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
    EXPECT_NE(GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);

    // Every control in template order, where the template puts it. Dialog
    // units become pixels through a copy of the dialog in this process
    // (MapDialogRect works only on a dialog of one's own).
    const ProgramResources resources(KorvaneExePath());
    ASSERT_TRUE(resources.Loaded());
    const std::vector<HWND> children = probe::Children(dialog);
    ASSERT_EQ(children.size(), std::size(layout::kControls));
    for (std::size_t i = 0; i < children.size(); ++i) {
        const layout::ExpectedControl& want = layout::kControls[i];
        HWND child = children[i];
        SCOPED_TRACE("control " + std::to_string(i) + " id " + std::to_string(want.id));
        EXPECT_EQ(static_cast<short>(GetDlgCtrlID(child)), want.id);
        EXPECT_EQ(lstrcmpiW(probe::ClassName(child).c_str(), layout::Wide(want.className).c_str()),
                  0)
            << Narrow(probe::ClassName(child));
        if (want.id != 1003) { // the edit field holds the proposal by now
            EXPECT_EQ(Narrow(probe::Text(child)), want.text);
        }
        // The dialog manager turns a control's border into the sunken edge,
        // and a list without entries enough hides its scroll bar.
        DWORD childStyle = static_cast<DWORD>(GetWindowLongW(child, GWL_STYLE));
        if ((GetWindowLongW(child, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0) {
            childStyle |= WS_BORDER;
        }
        DWORD wantStyle = want.style;
        if (lstrcmpiW(probe::ClassName(child).c_str(), L"ListBox") == 0) {
            wantStyle &= ~static_cast<DWORD>(WS_VSCROLL);
        }
        EXPECT_EQ(childStyle & wantStyle, wantStyle) << std::hex << childStyle;
        EXPECT_EQ((childStyle & WS_VISIBLE) != 0, (want.style & WS_VISIBLE) != 0);
        // The dialog manager converts position and size each on its own.
        const RECT units = resources.DialogRectToPixels(102, {want.x, want.y, want.cx, want.cy});
        const RECT expected{units.left, units.top, units.left + units.right,
                            units.top + units.bottom};
        const RECT actual = probe::RectInParent(child);
        EXPECT_TRUE(EqualRect(&expected, &actual))
            << "expected " << expected.left << "," << expected.top << "," << expected.right << ","
            << expected.bottom << " got " << actual.left << "," << actual.top << "," << actual.right
            << "," << actual.bottom;
    }

    // The order buttons show their icons. (The caption's icons cannot be
    // asked for from another process under Wine: WM_GETICON fails there.)
    EXPECT_NE(SendMessageW(GetDlgItem(dialog, 1000), BM_GETIMAGE, IMAGE_ICON, 0), 0);
    EXPECT_NE(SendMessageW(GetDlgItem(dialog, 1001), BM_GETIMAGE, IMAGE_ICON, 0), 0);

    // Nothing selected; the join button has the focus.
    EXPECT_EQ(probe::ListSelection(Control(1002)), LB_ERR);
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    ASSERT_TRUE(GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &gui));
    EXPECT_EQ(gui.hwndFocus, Control(IDOK));

    // Centred on the work area.
    RECT window{};
    GetWindowRect(dialog, &window);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_LE(std::abs((window.left + window.right) - (work.left + work.right)), 2);
    EXPECT_LE(std::abs((window.top + window.bottom) - (work.top + work.bottom)), 2);

    Sleep(300);
    EXPECT_TRUE(probe::CaptureWindow(dialog, ScreenshotPath(L"korvane-dialog.png")));
}

TEST_F(KorvaneE2E, ClosingTheDialogEndsTheProgram) {
    const std::wstring a = MakeFile(L"clip.mpg", 6000, 1);
    for (bool byEscape : {false, true}) {
        KorvaneProcess& process = StartWithFiles({a});
        HWND dialog = Dialog();
        ASSERT_NE(dialog, nullptr);
        if (byEscape) {
            PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        } else {
            PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        EXPECT_TRUE(process.WaitForExit(probe::kWaitMs).has_value());
    }
}

} // namespace
