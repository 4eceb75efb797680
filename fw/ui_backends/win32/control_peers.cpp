#include "fw/ui_backends/win32/control_peers.h"

#include <uxtheme.h>
#include <vssym32.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "fw/platform/windows/wide_text.h"

namespace fw::win32 {
namespace {

int Send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return static_cast<int>(SendMessageW(hwnd, message, wParam, lParam));
}

LPARAM TextParam(const std::wstring& text) {
    return reinterpret_cast<LPARAM>(text.c_str());
}

// LB_ERR and LB_ERRSPACE both mean the entry did not go in.
int IndexOrMinusOne(int result) {
    return result < 0 ? -1 : result;
}

// The icon's opaque pixels all in colour, under its own mask; null where the
// icon has no colour image.
UniqueIcon IconInColour(HICON icon, COLORREF colour) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) {
        return nullptr;
    }
    const UniqueGdiObject<HBITMAP> maskImage(info.hbmMask);
    const UniqueGdiObject<HBITMAP> colourImage(info.hbmColor);
    if (!colourImage) {
        return nullptr;
    }
    BITMAP mask{};
    GetObjectW(maskImage.get(), sizeof mask, &mask);
    BITMAPINFO format{};
    format.bmiHeader = {
        sizeof(BITMAPINFOHEADER), mask.bmWidth, -mask.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<std::uint32_t> maskPixels(static_cast<std::size_t>(mask.bmWidth) *
                                          static_cast<std::size_t>(mask.bmHeight));
    void* bits = nullptr;
    UniqueGdiObject<HBITMAP> inkBitmap;
    {
        const ScopedDc screen = WindowDc(nullptr);
        if (GetDIBits(screen.get(), maskImage.get(), 0, static_cast<UINT>(mask.bmHeight),
                      maskPixels.data(), &format, DIB_RGB_COLORS) == mask.bmHeight) {
            inkBitmap.reset(
                CreateDIBSection(screen.get(), &format, DIB_RGB_COLORS, &bits, nullptr, 0));
        }
    }
    if (!inkBitmap) {
        return nullptr;
    }
    const std::uint32_t ink =
        0xFF000000u | (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    auto* pixels = static_cast<std::uint32_t*>(bits);
    for (std::size_t i = 0; i < maskPixels.size(); ++i) {
        pixels[i] = (maskPixels[i] & 0xFFFFFFu) == 0 ? ink : 0; // mask black: opaque
    }
    ICONINFO made{TRUE, 0, 0, maskImage.get(), inkBitmap.get()};
    return UniqueIcon(CreateIconIndirect(&made));
}

// The colour the button draws its text in: its visual style's, where one
// is active, else the colour scheme's.
COLORREF ButtonTextColour(HWND button) {
    if (HTHEME theme = OpenThemeData(button, L"Button")) {
        COLORREF colour = 0;
        const HRESULT got = GetThemeColor(theme, BP_PUSHBUTTON, PBS_NORMAL, TMT_TEXTCOLOR, &colour);
        CloseThemeData(theme);
        if (SUCCEEDED(got)) {
            return colour;
        }
    }
    return GetSysColor(COLOR_BTNTEXT);
}

} // namespace

int ListPeer::AddString(const std::string& text) {
    const std::wstring wide = WideFromActiveCodePage(text);
    return IndexOrMinusOne(Send(m_hwnd, LB_ADDSTRING, 0, TextParam(wide)));
}

int ListPeer::InsertString(int index, const std::string& text) {
    const std::wstring wide = WideFromActiveCodePage(text);
    return IndexOrMinusOne(
        Send(m_hwnd, LB_INSERTSTRING, static_cast<WPARAM>(index), TextParam(wide)));
}

int ListPeer::DeleteString(int index) {
    return IndexOrMinusOne(Send(m_hwnd, LB_DELETESTRING, static_cast<WPARAM>(index), 0));
}

int ListPeer::GetCount() const {
    return IndexOrMinusOne(Send(m_hwnd, LB_GETCOUNT, 0, 0));
}

bool ListPeer::GetWideText(int index, std::wstring& text) const {
    const int length = Send(m_hwnd, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length < 0) {
        return false;
    }
    std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = Send(m_hwnd, LB_GETTEXT, static_cast<WPARAM>(index),
                            reinterpret_cast<LPARAM>(buffer.data()));
    if (copied < 0) {
        return false;
    }
    buffer.resize(static_cast<std::size_t>(copied));
    text = std::move(buffer);
    return true;
}

int ListPeer::GetText(int index, std::string& text) const {
    std::wstring wide;
    if (!GetWideText(index, wide)) {
        return -1;
    }
    text = ActiveCodePageFromWide(wide);
    return static_cast<int>(text.size());
}

int ListPeer::GetCurSel() const {
    return IndexOrMinusOne(Send(m_hwnd, LB_GETCURSEL, 0, 0));
}

int ListPeer::SetCurSel(int index) {
    const int result = IndexOrMinusOne(Send(m_hwnd, LB_SETCURSEL, static_cast<WPARAM>(index), 0));
    if (result < 0 && index != -1) {
        // An index out of range leaves nothing selected, whichever way the
        // system's list treats it.
        Send(m_hwnd, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    }
    return result;
}

std::string EditPeer::GetText() const {
    const int length = GetWindowTextLengthW(m_hwnd);
    if (length <= 0) {
        return {};
    }
    std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(m_hwnd, buffer.data(), length + 1);
    buffer.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return ActiveCodePageFromWide(buffer);
}

void EditPeer::SetText(const std::string& text) {
    SetWindowTextW(m_hwnd, WideFromActiveCodePage(text).c_str());
}

void ButtonPeer::SetIcon(IconHandle icon) {
    m_resourceId = icon.resourceId;
    if (m_resourceId != 0) {
        ScaleIcon(WindowDpi(m_hwnd));
        if (m_icon) {
            return;
        }
    }
    SendMessageW(m_hwnd, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon.native));
}

void ButtonPeer::ScaleIcon(UINT dpi) {
    if (m_resourceId == 0) {
        return;
    }
    UniqueIcon icon(LoadIconSized(m_hwnd, m_resourceId, MulDiv(32, static_cast<int>(dpi), 96)));
    if (!icon) {
        return;
    }
    const COLORREF ink = ButtonTextColour(m_hwnd);
    if (ink != RGB(0, 0, 0)) {
        if (UniqueIcon inked = IconInColour(icon.get(), ink)) {
            icon = std::move(inked);
        }
    }
    SendMessageW(m_hwnd, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon.get()));
    m_icon = std::move(icon);
}

HICON LoadIconSized(HWND window, int resourceId, int side) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
    return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(resourceId), IMAGE_ICON, side,
                                         side, LR_DEFAULTCOLOR));
}

namespace {

// A function of user32 that only newer systems have (GetDpiForWindow and
// GetSystemMetricsForDpi: Windows 10 version 1607 on), or null.
template <typename Function> Function NewerUser32Function(const char* name) {
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

} // namespace

UINT WindowDpi(HWND hwnd) {
    static const auto getDpiForWindow = NewerUser32Function<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
    if (getDpiForWindow != nullptr) {
        const UINT dpi = getDpiForWindow(hwnd);
        if (dpi != 0) {
            return dpi;
        }
    }
    const ScopedDc dc = WindowDc(hwnd);
    const int dpi = dc ? GetDeviceCaps(dc.get(), LOGPIXELSY) : 0;
    return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

int SystemMetricForDpi(int metric, UINT dpi) {
    static const auto metricsForDpi =
        NewerUser32Function<int(WINAPI*)(int, UINT)>("GetSystemMetricsForDpi");
    return metricsForDpi != nullptr ? metricsForDpi(metric, dpi)
                                    : MulDiv(GetSystemMetrics(metric), static_cast<int>(dpi), 96);
}

} // namespace fw::win32
