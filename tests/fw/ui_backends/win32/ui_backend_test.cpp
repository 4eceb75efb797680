// The Win32 backend in this process, on dialog template 102 from this
// program's own resources (the test links the program's resource script).
#include <windows.h>

#include <commctrl.h>
#include <uxtheme.h>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>

#include "app/join_dialog_template.h"

#include "fw/platform/system_code_page.h"
#include "fw/ui/dialog.h"
#include "fw/ui/dialog_template.h"
#include "fw/ui/message_box_style.h"
#include "fw/ui/paint_dc.h"
#include "fw/ui/ui_backend.h"
#include "fw/ui/work_progress.h"
#include "fw/ui_backends/win32/control_peers.h"
#include "fw/ui_backends/win32/dialog_peer.h"
#include "fw/ui_backends/win32/ui_backend.h"

namespace {

// A dialog on template 102 that runs a test step once it is initialised and
// again, when asked, from inside its modal loop.
class ProbeDialog : public CDialog {
public:
    using Step = std::function<void(ProbeDialog&)>;

    explicit ProbeDialog(Step onInit) : CDialog(102), m_onInit(std::move(onInit)) {}

    HWND Hwnd() const {
        auto* peer = static_cast<fw::win32::DialogPeer*>(Peer());
        return peer != nullptr ? peer->Handle() : nullptr;
    }

    // Runs step from the modal loop after delayMs.
    void RunLater(Step step, UINT delayMs = 20) {
        s_later = this;
        m_later = std::move(step);
        SetTimer(Hwnd(), 1, delayMs, [](HWND hwnd, UINT, UINT_PTR id, DWORD) {
            KillTimer(hwnd, id);
            Step step = std::move(s_later->m_later);
            step(*s_later);
        });
    }

    fw::IconHandle m_dragIcon;
    int m_iconicPaints = 0;
    int m_defaultPaints = 0;
    int m_upClicks = 0;
    bool m_iconicDrawOk = false;

protected:
    bool OnInitDialog() override {
        CDialog::OnInitDialog();
        if (m_onInit) {
            m_onInit(*this);
        }
        return true;
    }

    void OnPaint() {
        if (IsIconic()) {
            CPaintDC dc(*this);
            dc.EraseIconBackground();
            dc.DrawIcon(0, 0, m_dragIcon);
            ++m_iconicPaints;
        } else {
            CDialog::OnPaint();
            ++m_defaultPaints;
        }
    }
    fw::IconHandle OnQueryDragIcon() { return m_dragIcon; }
    void OnUp() { ++m_upClicks; }

    DECLARE_MESSAGE_MAP()

private:
    Step m_onInit;
    Step m_later;
    static inline ProbeDialog* s_later = nullptr;
};

BEGIN_MESSAGE_MAP(ProbeDialog, CDialog)
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
ON_BN_CLICKED(1000, &ProbeDialog::OnUp)
END_MESSAGE_MAP()

class Win32BackendTest : public ::testing::Test {
protected:
    Win32BackendTest() : m_backend(GetModuleHandleW(nullptr)) {
        m_template.id = 102;
        fw::RegisterDialogTemplate(m_template);
        fw::SetBackend(&m_backend);
    }
    ~Win32BackendTest() override { fw::SetBackend(nullptr); }

    fw::win32::UiBackend m_backend;
    fw::DialogTemplate m_template;
};

TEST_F(Win32BackendTest, ListControlsFollowTheFrameworksContract) {
    ProbeDialog dialog([](ProbeDialog& d) {
        fw::IDialogPeer& peer = *d.Peer();
        fw::IListPeer* sorted = peer.ListBox(1004);
        fw::IListPeer* files = peer.ListBox(1002);
        ASSERT_NE(sorted, nullptr);
        ASSERT_NE(files, nullptr);
        EXPECT_EQ(peer.ListBox(1003), nullptr); // the edit field is no list
        EXPECT_EQ(peer.Edit(1002), nullptr);
        EXPECT_EQ(peer.Button(4711), nullptr);

        // The hidden list sorts without regard to case; the other appends.
        for (const char* text : {"b.mpg", "A.mpg", "c.mpg", ""}) {
            sorted->AddString(text);
            files->AddString(text);
        }
        std::string text;
        const char* sortedOrder[] = {"", "A.mpg", "b.mpg", "c.mpg"};
        const char* givenOrder[] = {"b.mpg", "A.mpg", "c.mpg", ""};
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(sorted->GetText(i, text),
                      static_cast<int>(std::string(sortedOrder[i]).size()));
            EXPECT_EQ(text, sortedOrder[i]);
            files->GetText(i, text);
            EXPECT_EQ(text, givenOrder[i]);
        }

        // Out of range: -1 and the text left alone.
        text = "unchanged";
        EXPECT_EQ(files->GetText(4, text), -1);
        EXPECT_EQ(text, "unchanged");
        EXPECT_EQ(files->InsertString(9, "x"), -1);
        EXPECT_EQ(files->DeleteString(9), -1);
        EXPECT_EQ(files->InsertString(-1, "last"), 4);
        EXPECT_EQ(files->InsertString(0, "first"), 0);
        EXPECT_EQ(files->DeleteString(0), 5);
        EXPECT_EQ(files->GetCount(), 5);

        // Lengths count the bytes of the text in the active code page.
        const std::string japanese = "C:\\動画\\é😀.mpg";
        const int index = files->AddString(japanese);
        EXPECT_EQ(files->GetText(index, text), static_cast<int>(japanese.size()));
        EXPECT_EQ(text, japanese);

        // Selection.
        EXPECT_EQ(files->GetCurSel(), -1);
        EXPECT_EQ(files->SetCurSel(2), 2);
        EXPECT_EQ(files->GetCurSel(), 2);
        EXPECT_EQ(files->SetCurSel(99), -1);
        EXPECT_EQ(files->GetCurSel(), -1);

        fw::IEditPeer* edit = peer.Edit(1003);
        ASSERT_NE(edit, nullptr);
        edit->SetText(japanese);
        EXPECT_EQ(edit->GetText(), japanese);
        edit->SetText("");
        EXPECT_EQ(edit->GetText(), "");
        d.EndDialog(fw::kIdOk);
    });
    // The manifest makes UTF-8 the active code page, and the per-character
    // text helpers step through path text by it.
    EXPECT_EQ(GetACP(), 65001u) << "the resource script's manifest did not take effect";
    EXPECT_EQ(fw::GetSystemCodePage(), fw::CodePage::Utf8);
    EXPECT_EQ(dialog.DoModal(), fw::kIdOk);
}

TEST_F(Win32BackendTest, EndingDuringInitialisationNeverShowsTheWindow) {
    static HWND s_dialog = nullptr;
    static bool s_shown = false;
    // Looks after every message the dialog handles whether it is visible.
    HHOOK hook = SetWindowsHookExW(
        WH_CALLWNDPROCRET,
        [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
            const auto* message = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
            if (code == HC_ACTION && s_dialog != nullptr && message->hwnd == s_dialog &&
                IsWindowVisible(s_dialog)) {
                s_shown = true;
            }
            return CallNextHookEx(nullptr, code, wParam, lParam);
        },
        nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    ProbeDialog dialog([](ProbeDialog& d) {
        s_dialog = d.Hwnd();
        d.EndDialog(fw::kIdCancel);
    });
    EXPECT_EQ(dialog.DoModal(), fw::kIdCancel);
    UnhookWindowsHookEx(hook);
    EXPECT_NE(s_dialog, nullptr);
    EXPECT_FALSE(s_shown);
    EXPECT_EQ(dialog.Peer(), nullptr); // detached once the run ends
}

// The width of the icon button id shows.
int IconSide(HICON icon) {
    ICONINFO info{};
    if (icon == nullptr || !GetIconInfo(icon, &info)) {
        return 0;
    }
    BITMAP mask{};
    GetObjectW(info.hbmMask, sizeof mask, &mask);
    DeleteObject(info.hbmMask);
    if (info.hbmColor != nullptr) {
        DeleteObject(info.hbmColor);
    }
    return mask.bmWidth;
}

int ButtonIconSide(HWND dialog, int id) {
    return IconSide(
        reinterpret_cast<HICON>(SendDlgItemMessageW(dialog, id, BM_GETIMAGE, IMAGE_ICON, 0)));
}

int CaptionIconSide(HWND dialog, WPARAM kind) {
    return IconSide(reinterpret_cast<HICON>(SendMessageW(dialog, WM_GETICON, kind, 0)));
}

// The colours of the opaque pixels of the icon button id shows.
std::set<COLORREF> ButtonIconColours(HWND dialog, int id) {
    auto* icon =
        reinterpret_cast<HICON>(SendDlgItemMessageW(dialog, id, BM_GETIMAGE, IMAGE_ICON, 0));
    std::set<COLORREF> colours;
    ICONINFO info{};
    if (icon == nullptr || !GetIconInfo(icon, &info)) {
        return colours;
    }
    BITMAP size{};
    GetObjectW(info.hbmMask, sizeof size, &size);
    HDC dc = CreateCompatibleDC(nullptr);
    for (int y = 0; y < size.bmHeight; ++y) {
        for (int x = 0; x < size.bmWidth; ++x) {
            SelectObject(dc, info.hbmMask);
            if (GetPixel(dc, x, y) == RGB(0, 0, 0)) {
                SelectObject(dc, info.hbmColor);
                colours.insert(GetPixel(dc, x, y));
            }
        }
    }
    DeleteDC(dc);
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    return colours;
}

TEST_F(Win32BackendTest, IconsGoToCaptionButtonsAndDrag) {
    ProbeDialog dialog([this](ProbeDialog& d) {
        const fw::IconHandle app = m_backend.LoadIconResource(128);
        const fw::IconHandle up = m_backend.LoadIconResource(134);
        ASSERT_NE(app.native, nullptr);
        ASSERT_NE(up.native, nullptr);
        EXPECT_EQ(app.resourceId, 128);
        d.m_dragIcon = app;
        d.SetIcon(app, true);
        EXPECT_EQ(SendMessageW(d.Hwnd(), WM_GETICON, ICON_SMALL, 0), 0); // big only so far
        d.SetIcon(app, false);
        // The caption takes icon 128 in the sizes the system draws there.
        EXPECT_EQ(CaptionIconSide(d.Hwnd(), ICON_BIG), GetSystemMetrics(SM_CXICON));
        EXPECT_EQ(CaptionIconSide(d.Hwnd(), ICON_SMALL), GetSystemMetrics(SM_CXSMICON));
        EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(d.Hwnd(), WM_QUERYDRAGICON, 0, 0)),
                  app.native);
        // The button shows the icon's image drawn for the window's DPI.
        d.Peer()->Button(1000)->SetIcon(up);
        EXPECT_EQ(ButtonIconSide(d.Hwnd(), 1000),
                  MulDiv(32, static_cast<int>(fw::win32::WindowDpi(d.Hwnd())), 96));
        d.EndDialog(fw::kIdOk);
    });
    EXPECT_EQ(dialog.DoModal(), fw::kIdOk);
    const fw::Size size = m_backend.SystemIconSize();
    EXPECT_EQ(size.cx, GetSystemMetrics(SM_CXICON));
    EXPECT_EQ(size.cy, GetSystemMetrics(SM_CYICON));
}

TEST_F(Win32BackendTest, IconButtonsCarryTooltipsAndIconsDrawnForTheDpi) {
    fw::RegisterDialogTemplate(JoinDialogTemplate());
    ProbeDialog dialog([this](ProbeDialog& d) {
        for (const int id : {1000, 1001}) {
            d.Peer()->Button(id)->SetIcon(m_backend.LoadIconResource(id == 1000 ? 134 : 133));
        }
        const fw::IconHandle appIcon = m_backend.LoadIconResource(128);
        d.Peer()->SetIcon(appIcon, true);
        d.Peer()->SetIcon(appIcon, false);
        // A move to a screen of twice the density, and back: buttons and
        // caption take the images drawn for it.
        RECT window{};
        GetWindowRect(d.Hwnd(), &window);
        for (const int dpi : {192, 96}) {
            SendMessageW(d.Hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                         reinterpret_cast<LPARAM>(&window));
            EXPECT_EQ(ButtonIconSide(d.Hwnd(), 1000), dpi / 3);
            EXPECT_EQ(ButtonIconSide(d.Hwnd(), 1001), dpi / 3);
            EXPECT_EQ(CaptionIconSide(d.Hwnd(), ICON_BIG), dpi / 3);
            EXPECT_EQ(CaptionIconSide(d.Hwnd(), ICON_SMALL), dpi / 6);
        }
        // A colour scheme with light button text: the triangle follows it,
        // unless a visual style draws the buttons (with its own black text).
        const int element = COLOR_BTNTEXT;
        const COLORREF before = GetSysColor(element);
        const COLORREF light = RGB(250, 250, 250);
        SetSysColors(1, &element, &light);
        SendMessageW(d.Hwnd(), WM_SYSCOLORCHANGE, 0, 0);
        const bool styled = IsThemeActive() && IsAppThemed();
        EXPECT_EQ(ButtonIconColours(d.Hwnd(), 1000),
                  (std::set<COLORREF>{styled ? RGB(0, 0, 0) : light}));
        SetSysColors(1, &element, &before);
        SendMessageW(d.Hwnd(), WM_SYSCOLORCHANGE, 0, 0);
        EXPECT_EQ(ButtonIconColours(d.Hwnd(), 1000), (std::set<COLORREF>{RGB(0, 0, 0)}));

        // One tooltip control, owned by the dialog, shows each icon
        // button's window text.
        HWND tooltip = nullptr;
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND hwnd, LPARAM found) {
                wchar_t name[64] = {};
                GetClassNameW(hwnd, name, 64);
                if (lstrcmpiW(name, TOOLTIPS_CLASSW) == 0) {
                    *reinterpret_cast<HWND*>(found) = hwnd;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&tooltip));
        ASSERT_NE(tooltip, nullptr);
        EXPECT_EQ(GetWindow(tooltip, GW_OWNER), d.Hwnd());
        EXPECT_EQ(SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0), 2);
        for (const auto& [id, text] :
             {std::pair{1000, L"上へ移動"}, std::pair{1001, L"下へ移動"}}) {
            wchar_t shown[80] = {};
            TTTOOLINFOW tool{};
            tool.cbSize = sizeof tool;
            tool.hwnd = d.Hwnd();
            tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(d.Hwnd(), id));
            tool.lpszText = shown;
            SendMessageW(tooltip, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&tool));
            EXPECT_STREQ(shown, text);
            wchar_t windowText[80] = {};
            GetDlgItemTextW(d.Hwnd(), id, windowText, 80);
            EXPECT_STREQ(windowText, text);
        }
        d.EndDialog(fw::kIdOk);
    });
    EXPECT_EQ(dialog.DoModal(), fw::kIdOk);
}

TEST_F(Win32BackendTest, ClicksRouteByTheTableAndOnlyButtonClicksCount) {
    ProbeDialog dialog([](ProbeDialog& d) {
        HWND hwnd = d.Hwnd();
        SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(1000, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(hwnd, 1000)));
        // A selection change in the list is no command.
        SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(1000, LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(GetDlgItem(hwnd, 1000)));
        EXPECT_EQ(d.m_upClicks, 1);
        // Escape pressed once the dialog runs: the cancel result.
        d.RunLater([](ProbeDialog& later) {
            EXPECT_TRUE(IsWindowVisible(later.Hwnd()));
            HWND focus = GetFocus();
            EXPECT_EQ(focus, GetDlgItem(later.Hwnd(), IDOK)); // first tab stop
            PostMessageW(focus, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        });
    });
    EXPECT_EQ(dialog.DoModal(), fw::kIdCancel);

    ProbeDialog enter([](ProbeDialog& d) {
        d.RunLater(
            [](ProbeDialog&) { PostMessageW(GetFocus(), WM_KEYDOWN, VK_RETURN, 0x001C0001); });
    });
    EXPECT_EQ(enter.DoModal(), fw::kIdOk); // Enter is the default button: OK
}

TEST_F(Win32BackendTest, PaintingIconicAndNormalBothValidateTheWindow) {
    ProbeDialog dialog([this](ProbeDialog& d) {
        d.m_dragIcon = m_backend.LoadIconResource(128);
        d.RunLater([](ProbeDialog& later) {
            HWND hwnd = later.Hwnd();
            InvalidateRect(hwnd, nullptr, TRUE);
            UpdateWindow(hwnd);
            EXPECT_GT(later.m_defaultPaints, 0);
            EXPECT_FALSE(GetUpdateRect(hwnd, nullptr, FALSE)); // painted by default

            // Systems differ in whether they paint a minimized window at
            // all; the paint message itself reaches the iconic drawing.
            ShowWindow(hwnd, SW_MINIMIZE);
            EXPECT_TRUE(later.IsIconic());
            SendMessageW(hwnd, WM_PAINT, 0, 0);
            EXPECT_GT(later.m_iconicPaints, 0);
            ShowWindow(hwnd, SW_RESTORE);
            later.EndDialog(fw::kIdOk);
        });
    });
    EXPECT_EQ(dialog.DoModal(), fw::kIdOk);
}

TEST_F(Win32BackendTest, WaitCursorShowsWhileBeginsOutnumberEnds) {
    HCURSOR wait = LoadCursorW(nullptr, IDC_WAIT);
    HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    SetCursor(arrow);
    m_backend.BeginWaitCursor();
    EXPECT_EQ(GetCursor(), wait);
    EXPECT_TRUE(m_backend.IsWaitCursorShown());
    m_backend.BeginWaitCursor();
    m_backend.EndWaitCursor();
    EXPECT_EQ(GetCursor(), wait);
    m_backend.EndWaitCursor();
    EXPECT_EQ(GetCursor(), arrow);
    EXPECT_FALSE(m_backend.IsWaitCursorShown());
    m_backend.EndWaitCursor(); // one end too many changes nothing
    EXPECT_EQ(GetCursor(), arrow);
}

// A quit that arrives while work runs (the session ends) stops the work and
// still reaches the loop that called, once the work has ended.
TEST_F(Win32BackendTest, QuitDuringWorkStopsItAndIsPassedOn) {
    const DWORD uiThread = GetCurrentThreadId();
    bool stopped = false;
    fw::ProgressWindowTexts texts{"joining", "%1 min", "%1 s", "stop", {"a"}, "finishing"};
    m_backend.RunWithProgress(nullptr, "korvane", texts, [&](fw::IWorkProgress& progress) {
        PostThreadMessageW(uiThread, WM_QUIT, 7, 0);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!progress.CancelRequested() && std::chrono::steady_clock::now() < deadline) {
            Sleep(5);
        }
        stopped = progress.CancelRequested();
    });
    EXPECT_TRUE(stopped);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
}

// What escapes the work on its thread is thrown again to the caller, for the
// general error report of the command that ran it.
TEST_F(Win32BackendTest, AnErrorOfTheWorkReachesTheCaller) {
    fw::ProgressWindowTexts texts{"joining", "%1 min", "%1 s", "stop", {"a"}, "finishing"};
    EXPECT_THROW(m_backend.RunWithProgress(
                     nullptr, "korvane", texts,
                     [](fw::IWorkProgress&) { throw std::runtime_error("read failed"); }),
                 std::runtime_error);
}

} // namespace
