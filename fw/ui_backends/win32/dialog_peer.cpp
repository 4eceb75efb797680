#include "fw/ui_backends/win32/dialog_peer.h"

#include <cstring>

#include "fw/ui/dialog.h"
#include "fw/ui_backends/win32/session_end.h"
#include "fw/ui_backends/win32/ui_backend.h"

namespace fw::win32 {
namespace {

class PaintContext final : public IPaintContext {
public:
    explicit PaintContext(HWND hwnd) : m_hwnd(hwnd) { m_hdc = ::BeginPaint(hwnd, &m_paint); }
    ~PaintContext() override { ::EndPaint(m_hwnd, &m_paint); }
    PaintContext(const PaintContext&) = delete;
    PaintContext& operator=(const PaintContext&) = delete;

    void EraseIconBackground() override {
        SendMessageW(m_hwnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(m_hdc), 0);
    }
    void DrawIcon(int x, int y, IconHandle icon) override {
        ::DrawIcon(m_hdc, x, y, static_cast<HICON>(icon.native));
    }

private:
    HWND m_hwnd;
    HDC m_hdc = nullptr;
    PAINTSTRUCT m_paint{};
};

// Dialog procedures return most results through DWLP_MSGRESULT.
INT_PTR Result(HWND hwnd, LRESULT result) {
    SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
    return TRUE;
}

// The kind of control a window is, by its class. A versioned class of the
// common controls reads "6.0...!Button".
ControlKind KindOfWindow(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    const char* bare = std::strrchr(name, '!');
    return KindOfClass(bare != nullptr ? bare + 1 : name);
}

} // namespace

INT_PTR CALLBACK DialogPeer::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* peer = reinterpret_cast<DialogPeer*>(lParam);
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        return peer->OnInitDialog(hwnd);
    }
    auto* peer = reinterpret_cast<DialogPeer*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (peer == nullptr) {
        return FALSE; // messages before WM_INITDIALOG (WM_SETFONT...)
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, DWLP_USER, 0);
        peer->m_hwnd = nullptr;
        return FALSE;
    }
    return peer->OnMessage(message, wParam, lParam);
}

DialogPeer::~DialogPeer() = default;

int DialogPeer::RunModal() {
    return static_cast<int>(DialogBoxParamW(m_backend.Instance(), MAKEINTRESOURCEW(m_template.id),
                                            nullptr, &DialogProc, reinterpret_cast<LPARAM>(this)));
}

BOOL DialogPeer::OnInitDialog(HWND hwnd) {
    m_hwnd = hwnd;
    m_names = std::make_unique<ControlNames>(hwnd, m_template);
    MakeControlPeers();
    RECT before{};
    GetWindowRect(hwnd, &before);
    const bool focusFirstTabStop = m_dialog.HandleInitDialog();
    // Like the framework it follows, an unmoved dialog is centred.
    RECT after{};
    GetWindowRect(hwnd, &after);
    if (!m_ended && EqualRect(&before, &after)) {
        CentreOnScreen();
    }
    return focusFirstTabStop ? TRUE : FALSE;
}

INT_PTR DialogPeer::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        // Button clicks, including IDOK from Enter and IDCANCEL from Escape or
        // the close box; list and edit notifications are not commands here.
        if (HIWORD(wParam) == BN_CLICKED) {
            return m_dialog.HandleCommand(LOWORD(wParam)) ? TRUE : FALSE;
        }
        return FALSE;
    case WM_PAINT:
        return OnPaint();
    case WM_DPICHANGED:
        // The dialog manager scales the window and its fonts; the icons
        // are loaded again in the size drawn for the new DPI.
        for (auto& [id, button] : m_buttons) {
            button->ScaleIcon(LOWORD(wParam));
        }
        ScaleCaptionIcon(true, LOWORD(wParam));
        ScaleCaptionIcon(false, LOWORD(wParam));
        return FALSE;
    case WM_SYSCOLORCHANGE:
    case WM_THEMECHANGED:
        for (auto& [id, button] : m_buttons) {
            button->ScaleIcon(WindowDpi(m_hwnd));
        }
        return FALSE;
    case WM_DESTROY:
        m_names.reset(); // while the controls still exist
        return FALSE;
    case WM_QUERYDRAGICON: {
        const IconHandle icon = m_dialog.HandleQueryDragIcon();
        // Returned directly, not through DWLP_MSGRESULT.
        return reinterpret_cast<INT_PTR>(icon.native);
    }
    case WM_WINDOWPOSCHANGING:
        // A dialog that ended during its initialisation is never shown; some
        // dialog managers show it anyway before they take it down.
        if (m_ended) {
            reinterpret_cast<WINDOWPOS*>(lParam)->flags &= ~static_cast<UINT>(SWP_SHOWWINDOW);
        }
        return FALSE;
    case WM_QUERYENDSESSION:
        return SessionEnd::MayEnd() ? FALSE : Result(m_hwnd, FALSE);
    case WM_ENDSESSION:
        SessionEnd::Ending(wParam != FALSE);
        return FALSE;
    case WM_SETCURSOR:
        if (m_backend.IsWaitCursorShown()) {
            SetCursor(LoadCursorW(nullptr, IDC_WAIT));
            return Result(m_hwnd, TRUE);
        }
        return FALSE;
    default:
        return FALSE;
    }
}

INT_PTR DialogPeer::OnPaint() {
    m_inPaint = true;
    m_defaultPaintAsked = false;
    try {
        m_dialog.HandlePaint();
    } catch (...) {
        // Nothing may cross the system's dispatch; paint the default way.
        m_defaultPaintAsked = true;
    }
    m_inPaint = false;
    // FALSE lets the dialog manager paint the default way.
    return m_defaultPaintAsked ? FALSE : TRUE;
}

void DialogPeer::MakeControlPeers() {
    // The first of the children with an id is the one GetDlgItem finds.
    for (HWND control = GetWindow(m_hwnd, GW_CHILD); control != nullptr;
         control = GetWindow(control, GW_HWNDNEXT)) {
        const int id = GetDlgCtrlID(control);
        switch (KindOfWindow(control)) {
        case ControlKind::listBox:
            m_lists.try_emplace(id, std::make_unique<ListPeer>(control));
            break;
        case ControlKind::edit:
            m_edits.try_emplace(id, std::make_unique<EditPeer>(control));
            break;
        case ControlKind::button:
            m_buttons.try_emplace(id, std::make_unique<ButtonPeer>(control));
            break;
        default:
            break;
        }
    }
}

IListPeer* DialogPeer::ListBox(int id) {
    return FindControlPeer(m_lists, id);
}

IEditPeer* DialogPeer::Edit(int id) {
    return FindControlPeer(m_edits, id);
}

IButtonPeer* DialogPeer::Button(int id) {
    return FindControlPeer(m_buttons, id);
}

void DialogPeer::EndDialog(int result) {
    m_ended = true;
    if (m_hwnd != nullptr) {
        ::EndDialog(m_hwnd, result);
    }
}

void DialogPeer::SetIcon(IconHandle icon, bool big) {
    CaptionIcon& caption = big ? m_bigIcon : m_smallIcon;
    caption.resourceId = icon.resourceId;
    if (caption.resourceId != 0) {
        ScaleCaptionIcon(big, WindowDpi(m_hwnd));
        if (caption.image) {
            return;
        }
    }
    SendMessageW(m_hwnd, WM_SETICON, big ? ICON_BIG : ICON_SMALL,
                 reinterpret_cast<LPARAM>(icon.native));
}

void DialogPeer::ScaleCaptionIcon(bool big, UINT dpi) {
    CaptionIcon& caption = big ? m_bigIcon : m_smallIcon;
    if (caption.resourceId == 0) {
        return;
    }
    // The sizes the system draws caption, taskbar and Alt+Tab icons in.
    const int side = SystemMetricForDpi(big ? SM_CXICON : SM_CXSMICON, dpi);
    HICON image = LoadIconSized(m_hwnd, caption.resourceId, side);
    if (image == nullptr) {
        return;
    }
    SendMessageW(m_hwnd, WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(image));
    caption.image.reset(image);
}

void DialogPeer::RedrawAll() {
    ::RedrawWindow(m_hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

bool DialogPeer::IsIconic() const {
    return ::IsIconic(m_hwnd) != 0;
}

Rect DialogPeer::GetClientRect() const {
    RECT rect{};
    ::GetClientRect(m_hwnd, &rect);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

std::unique_ptr<IPaintContext> DialogPeer::BeginPaint() {
    return std::make_unique<PaintContext>(m_hwnd);
}

void DialogPeer::DefaultPaint() {
    if (m_inPaint) {
        m_defaultPaintAsked = true;
    } else {
        UpdateWindow(m_hwnd);
    }
}

void DialogPeer::CentreOnScreen() const {
    RECT window{};
    GetWindowRect(m_hwnd, &window);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(m_hwnd, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT work = monitor.rcWork;

    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    int x = (work.left + work.right) / 2 - width / 2;
    int y = (work.top + work.bottom) / 2 - height / 2;
    // Keep the whole window on the work area where it fits.
    if (x + width > work.right) {
        x = work.right - width;
    }
    if (y + height > work.bottom) {
        y = work.bottom - height;
    }
    if (x < work.left) {
        x = work.left;
    }
    if (y < work.top) {
        y = work.top;
    }
    SetWindowPos(m_hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace fw::win32
