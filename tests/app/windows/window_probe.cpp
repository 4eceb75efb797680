#include "tests/app/windows/window_probe.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdint>

#include "tests/app/windows/png_writer.h"

namespace probe {
namespace {

constexpr UINT kSendTimeoutMs = 5000;

LRESULT Send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(hwnd, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                             &result)) {
        return -1;
    }
    return static_cast<LRESULT>(result);
}

std::vector<HWND> TopLevelWindows(DWORD processId) {
    struct Search {
        DWORD processId;
        std::vector<HWND> found;
    } search{processId, {}};
    EnumWindows(
        [](HWND hwnd, LPARAM lParam) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lParam);
            DWORD owner = 0;
            GetWindowThreadProcessId(hwnd, &owner);
            if (owner == s->processId) {
                s->found.push_back(hwnd);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool IsDialogBox(HWND hwnd) {
    return ClassName(hwnd) == L"#32770";
}

// A 32-bit top-down bitmap selected into a memory device context.
class Canvas {
public:
    Canvas(int width, int height) : m_width(width), m_height(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        m_screen = GetDC(nullptr);
        m_memory = CreateCompatibleDC(m_screen);
        m_bitmap = CreateDIBSection(m_memory, &info, DIB_RGB_COLORS, &m_bits, nullptr, 0);
        if (m_bitmap != nullptr) {
            m_old = SelectObject(m_memory, m_bitmap);
        }
    }
    ~Canvas() {
        if (m_bitmap != nullptr) {
            SelectObject(m_memory, m_old);
            DeleteObject(m_bitmap);
        }
        DeleteDC(m_memory);
        ReleaseDC(nullptr, m_screen);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    bool ok() const { return m_bitmap != nullptr; }
    HDC dc() const { return m_memory; }
    bool CopyScreen(int left, int top) {
        return BitBlt(m_memory, 0, 0, m_width, m_height, m_screen, left, top,
                      SRCCOPY | CAPTUREBLT) != 0;
    }
    std::uint32_t* Pixels() {
        GdiFlush();
        return static_cast<std::uint32_t*>(m_bits);
    }
    // The pixels as 0xRRGGBB values.
    std::vector<std::uint32_t> Colours() {
        const std::uint32_t* p = Pixels();
        std::vector<std::uint32_t> colours(p, p + Count());
        for (std::uint32_t& colour : colours) {
            colour &= 0xFFFFFF;
        }
        return colours;
    }
    std::size_t Count() const {
        return static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height);
    }

private:
    int m_width;
    int m_height;
    HDC m_screen = nullptr;
    HDC m_memory = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
    void* m_bits = nullptr;
};

// The screen's pixels under rect, rows top to bottom.
std::vector<std::uint32_t> ScreenPixels(const RECT& rect) {
    Canvas canvas(rect.right - rect.left, rect.bottom - rect.top);
    if (!canvas.ok() || !canvas.CopyScreen(rect.left, rect.top)) {
        return {};
    }
    return canvas.Colours();
}

// icon drawn at the top left of a width x height area of colour background.
std::vector<std::uint32_t> DrawnIcon(HICON icon, int width, int height, std::uint32_t background) {
    Canvas canvas(width, height);
    if (!canvas.ok()) {
        return {};
    }
    std::fill(canvas.Pixels(), canvas.Pixels() + canvas.Count(), background);
    if (!DrawIconEx(canvas.dc(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL | DI_DEFAULTSIZE)) {
        return {};
    }
    return canvas.Colours();
}

// Which system icon the box shows: its icon control's pixels on the screen
// against the system's icons drawn in this process on the same background.
// (An icon handle of another process cannot be drawn here under Wine.)
BoxIcon IdentifyIcon(HWND box) {
    HWND iconControl = nullptr;
    for (HWND child : Children(box)) {
        const LONG style = GetWindowLongW(child, GWL_STYLE);
        if (ClassName(child) == L"Static" && (style & SS_TYPEMASK) == SS_ICON &&
            IsWindowVisible(child)) {
            iconControl = child;
            break;
        }
    }
    if (iconControl == nullptr) {
        return BoxIcon::none;
    }
    RECT rect{};
    GetWindowRect(iconControl, &rect);
    const std::vector<std::uint32_t> shown = ScreenPixels(rect);
    if (shown.empty()) {
        return BoxIcon::other;
    }
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const struct {
        LPCWSTR id;
        BoxIcon icon;
    } candidates[] = {{IDI_INFORMATION, BoxIcon::information},
                      {IDI_ERROR, BoxIcon::stop},
                      {IDI_QUESTION, BoxIcon::question},
                      {IDI_WARNING, BoxIcon::other}};
    for (const auto& candidate : candidates) {
        if (DrawnIcon(LoadIconW(nullptr, candidate.id), width, height, shown.front()) == shown) {
            return candidate.icon;
        }
    }
    return BoxIcon::other;
}

} // namespace

std::wstring Text(HWND hwnd) {
    const LRESULT length = Send(hwnd, WM_GETTEXTLENGTH, 0, 0);
    if (length <= 0) {
        return {};
    }
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied =
        Send(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return text;
}

std::wstring ClassName(HWND hwnd) {
    wchar_t name[256] = {};
    GetClassNameW(hwnd, name, 256);
    return name;
}

RECT RectInParent(HWND child) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    return children;
}

HWND FindJoinDialogWindow(DWORD processId) {
    for (HWND hwnd : TopLevelWindows(processId)) {
        if (IsDialogBox(hwnd) && GetDlgItem(hwnd, 1002) != nullptr) {
            return hwnd;
        }
    }
    return nullptr;
}

HWND WaitForJoinDialog(DWORD processId, DWORD timeoutMs) {
    HWND dialog = nullptr;
    WaitUntil(
        [&] {
            dialog = FindJoinDialogWindow(processId);
            return dialog != nullptr && IsWindowVisible(dialog);
        },
        timeoutMs);
    return dialog != nullptr && IsWindowVisible(dialog) ? dialog : nullptr;
}

const char* IconName(BoxIcon icon) {
    switch (icon) {
    case BoxIcon::none:
        return "none";
    case BoxIcon::information:
        return "information";
    case BoxIcon::stop:
        return "stop";
    case BoxIcon::question:
        return "question";
    case BoxIcon::other:
        break;
    }
    return "other";
}

namespace {

bool HoldsProgressBar(HWND hwnd) {
    const std::vector<HWND> children = Children(hwnd);
    return std::any_of(children.begin(), children.end(),
                       [](HWND child) { return ClassName(child) == PROGRESS_CLASSW; });
}

} // namespace

std::optional<MessageBoxView> WaitForMessageBox(DWORD processId, DWORD timeoutMs) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND hwnd : TopLevelWindows(processId)) {
                if (IsDialogBox(hwnd) && IsWindowVisible(hwnd) &&
                    GetDlgItem(hwnd, 1002) == nullptr && !HoldsProgressBar(hwnd)) {
                    found = hwnd;
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    if (found == nullptr) {
        return std::nullopt;
    }
    Sleep(200); // let it finish laying out and drawing
    MessageBoxView view;
    view.hwnd = found;
    view.caption = Text(found);
    for (HWND child : Children(found)) {
        const std::wstring cls = ClassName(child);
        const LONG style = GetWindowLongW(child, GWL_STYLE);
        if (cls == L"Button") {
            view.buttonIds.push_back(GetDlgCtrlID(child));
        } else if (cls == L"Static" && (style & SS_TYPEMASK) != SS_ICON && view.text.empty()) {
            view.text = Text(child);
        }
    }
    view.icon = IdentifyIcon(found);
    return view;
}

bool Answer(const MessageBoxView& box, int id, DWORD timeoutMs) {
    PostMessageW(box.hwnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box.hwnd, id)));
    return WaitUntil([&] { return !IsWindow(box.hwnd) || !IsWindowVisible(box.hwnd); }, timeoutMs);
}

std::vector<std::wstring> ListEntries(HWND list) {
    std::vector<std::wstring> entries;
    const LRESULT count = Send(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = Send(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        std::wstring text(length > 0 ? static_cast<std::size_t>(length) + 1 : 1, L'\0');
        const LRESULT copied =
            Send(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
        text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
        entries.push_back(text);
    }
    return entries;
}

int ListSelection(HWND list) {
    return static_cast<int>(Send(list, LB_GETCURSEL, 0, 0));
}

bool SelectEntry(HWND list, int index) {
    return Send(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0) == index;
}

bool SetText(HWND control, const std::wstring& text) {
    return Send(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())) == TRUE;
}

void Click(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

bool PressEnter(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    if (!GetGUIThreadInfo(thread, &info)) {
        return false;
    }
    HWND target = info.hwndFocus != nullptr ? info.hwndFocus : window;
    const LPARAM down = 1 | (MapVirtualKeyW(VK_RETURN, MAPVK_VK_TO_VSC) << 16);
    PostMessageW(target, WM_KEYDOWN, VK_RETURN, down);
    PostMessageW(target, WM_CHAR, L'\r', down);
    PostMessageW(target, WM_KEYUP, VK_RETURN, down | (3u << 30));
    return true;
}

std::pair<HWND, HWND> FindProgressWindow(DWORD processId) {
    for (HWND hwnd : TopLevelWindows(processId)) {
        if (!IsWindowVisible(hwnd)) {
            continue;
        }
        for (HWND child : Children(hwnd)) {
            if (ClassName(child) == PROGRESS_CLASSW) {
                return {hwnd, child};
            }
        }
    }
    return {nullptr, nullptr};
}

int BarPosition(HWND bar) {
    return static_cast<int>(Send(bar, PBM_GETPOS, 0, 0));
}

void PressEscape(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    HWND target = info.hwndFocus != nullptr ? info.hwndFocus : window;
    const LPARAM down = 1 | (MapVirtualKeyW(VK_ESCAPE, MAPVK_VK_TO_VSC) << 16);
    PostMessageW(target, WM_KEYDOWN, VK_ESCAPE, down);
    PostMessageW(target, WM_KEYUP, VK_ESCAPE, down | (3u << 30));
}

bool CaptureWindow(HWND hwnd, const std::wstring& path) {
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) {
        return false;
    }
    const std::vector<std::uint32_t> pixels = ScreenPixels(rect);
    if (pixels.empty()) {
        return false;
    }
    std::vector<std::uint8_t> rgb;
    rgb.reserve(pixels.size() * 3);
    for (std::uint32_t pixel : pixels) {
        rgb.push_back(static_cast<std::uint8_t>(pixel >> 16));
        rgb.push_back(static_cast<std::uint8_t>(pixel >> 8));
        rgb.push_back(static_cast<std::uint8_t>(pixel));
    }
    return WritePng(path, width, height, rgb);
}

} // namespace probe
