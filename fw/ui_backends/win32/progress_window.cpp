#include "fw/ui_backends/win32/progress_window.h"

#include <commctrl.h>

#include <vector>

#include "fw/platform/windows/wide_text.h"
#include "fw/ui_backends/win32/scoped_handles.h"

namespace fw::win32 {

namespace {

enum : WORD { kIdHeading = 100, kIdItem = 101, kIdBar = 102, kIdRemaining = 103 };

// Layout in dialog units of the owner's font.
constexpr short kWidth = 240;
constexpr short kHeight = 68;
constexpr WORD kStaticClass = 0x0082;
constexpr WORD kButtonClass = 0x0080;

// A DLGTEMPLATE with its items, built in memory word by word.
class TemplateBuilder {
public:
    void Dialog(DWORD style, short cx, short cy, const std::wstring& title, const LOGFONTW& font,
                int pointSize, WORD items) {
        DLGTEMPLATE header{style, 0, items, 0, 0, cx, cy};
        Raw(&header, sizeof header);
        Word(0); // no menu
        Word(0); // the standard dialog class
        Text(title);
        Word(static_cast<WORD>(pointSize));
        Text(font.lfFaceName);
    }

    void Item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD atom,
              const wchar_t* className, const std::wstring& text) {
        Align();
        DLGITEMTEMPLATE item{style | WS_CHILD | WS_VISIBLE, 0, x, y, cx, cy, id};
        Raw(&item, sizeof item);
        if (className != nullptr) {
            Text(className);
        } else {
            Word(0xFFFF);
            Word(atom);
        }
        Text(text);
        Word(0); // no creation data
    }

    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(m_words.data()); }

private:
    void Word(WORD value) { m_words.push_back(value); }
    void Raw(const void* data, std::size_t size) {
        const auto* words = static_cast<const WORD*>(data);
        m_words.insert(m_words.end(), words, words + size / sizeof(WORD));
    }
    void Text(const std::wstring& text) {
        for (wchar_t c : text) {
            Word(static_cast<WORD>(c));
        }
        Word(0);
    }
    void Align() {
        if (m_words.size() % 2 != 0) {
            Word(0);
        }
    }

    std::vector<WORD> m_words; // starts DWORD-aligned (vector allocation)
};

LOGFONTW OwnerFont(HWND owner, int& pointSize) {
    LOGFONTW font{};
    auto* handle = reinterpret_cast<HFONT>(SendMessageW(owner, WM_GETFONT, 0, 0));
    if (handle == nullptr || GetObjectW(handle, sizeof font, &font) == 0) {
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    }
    const int dpi = GetDeviceCaps(WindowDc(owner).get(), LOGPIXELSY);
    const int height = font.lfHeight < 0 ? -font.lfHeight : font.lfHeight;
    pointSize = MulDiv(height, 72, dpi > 0 ? dpi : 96);
    return font;
}

int TextWidth(HDC dc, const std::wstring& text) {
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

} // namespace

std::wstring ElideMiddle(HDC dc, const std::wstring& text, int width) {
    if (TextWidth(dc, text) <= width) {
        return text;
    }
    // The most characters kept, the end (the file's name) getting the odd one.
    auto candidate = [&](std::size_t kept) {
        std::size_t head = kept / 2;
        std::size_t tail = kept - head;
        // Never split a surrogate pair.
        if (head > 0 && IS_HIGH_SURROGATE(text[head - 1])) {
            --head;
        }
        if (tail > 0 && IS_LOW_SURROGATE(text[text.size() - tail])) {
            --tail;
        }
        return text.substr(0, head) + L"\u2026" + text.substr(text.size() - tail);
    };
    std::size_t low = 0;
    std::size_t high = text.size();
    while (low < high) {
        const std::size_t mid = (low + high + 1) / 2;
        if (TextWidth(dc, candidate(mid)) <= width) {
            low = mid;
        } else {
            high = mid - 1;
        }
    }
    return candidate(low);
}

ProgressWindow::ProgressWindow(HWND owner, const std::string& caption,
                               const ProgressWindowTexts& texts, SharedWorkProgress& progress)
    : m_owner(owner), m_progress(progress) {
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);

    int pointSize = 9;
    const LOGFONTW font = OwnerFont(owner, pointSize);
    TemplateBuilder builder;
    builder.Dialog(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT | DS_MODALFRAME, kWidth, kHeight,
                   WideFromDisplayText(caption), font, pointSize, 5);
    builder.Item(SS_LEFT | SS_NOPREFIX, 7, 7, kWidth - 14, 8, kIdHeading, kStaticClass, nullptr,
                 WideFromDisplayText(texts.heading));
    builder.Item(SS_LEFTNOWORDWRAP | SS_NOPREFIX, 7, 19, kWidth - 14, 8, kIdItem, kStaticClass,
                 nullptr, L"");
    builder.Item(0, 7, 31, kWidth - 14, 9, kIdBar, 0, PROGRESS_CLASSW, L"");
    builder.Item(SS_LEFT | SS_NOPREFIX, 7, 50, kWidth - 70, 8, kIdRemaining, kStaticClass, nullptr,
                 L"");
    builder.Item(BS_PUSHBUTTON | WS_TABSTOP, kWidth - 57, 47, 50, 14, IDCANCEL, kButtonClass,
                 nullptr, WideFromDisplayText(texts.cancel));
    m_hwnd =
        CreateDialogIndirectParamW(GetModuleHandleW(nullptr), builder.Get(), owner,
                                   &ProgressWindow::DialogProc, reinterpret_cast<LPARAM>(this));
    if (m_hwnd != nullptr) {
        SendDlgItemMessageW(m_hwnd, kIdBar, PBM_SETRANGE32, 0, ProgressModel::kBarRange);
    }
}

ProgressWindow::~ProgressWindow() {
    if (m_hwnd != nullptr) {
        DestroyWindow(m_hwnd);
    }
}

INT_PTR CALLBACK ProgressWindow::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        return TRUE;
    }
    auto* window = reinterpret_cast<ProgressWindow*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    // The button, Escape and the close box all come as IDCANCEL.
    if (window != nullptr && message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
        window->m_progress.RequestCancel();
        EnableWindow(GetDlgItem(hwnd, IDCANCEL), FALSE);
        return TRUE;
    }
    return FALSE;
}

void ProgressWindow::Show(const ProgressModel& model) {
    if (m_hwnd == nullptr) {
        return;
    }
    if (model.BarValue() != m_bar) {
        m_bar = model.BarValue();
        SendDlgItemMessageW(m_hwnd, kIdBar, PBM_SETPOS, static_cast<WPARAM>(m_bar), 0);
    }
    const std::string item = model.ItemText();
    if (item != m_item) {
        m_item = item;
        HWND label = GetDlgItem(m_hwnd, kIdItem);
        RECT rect{};
        GetClientRect(label, &rect);
        const ScopedDc dc = WindowDc(label);
        const ScopedSelection font =
            SelectInto(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageW(label, WM_GETFONT, 0, 0)));
        SetWindowTextW(label, ElideMiddle(dc.get(), WideFromDisplayText(item), rect.right).c_str());
    }
    if (model.RemainingText() != m_remaining) {
        m_remaining = model.RemainingText();
        SetDlgItemTextW(m_hwnd, kIdRemaining, WideFromDisplayText(m_remaining).c_str());
    }
    if (model.Finishing()) {
        EnableWindow(GetDlgItem(m_hwnd, IDCANCEL), FALSE);
    }
    if (!IsWindowVisible(m_hwnd)) {
        CentreOnOwner();
        ShowWindow(m_hwnd, SW_SHOW);
    }
}

void ProgressWindow::CentreOnOwner() const {
    RECT owner{};
    RECT window{};
    GetWindowRect(m_owner, &owner);
    GetWindowRect(m_hwnd, &window);
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    SetWindowPos(m_hwnd, nullptr, (owner.left + owner.right - width) / 2,
                 (owner.top + owner.bottom - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace fw::win32
