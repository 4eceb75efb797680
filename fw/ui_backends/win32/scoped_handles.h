#pragma once

#include <windows.h>

#include <objbase.h>
#include <wrl/client.h>

#include <memory>
#include <type_traits>

#include "fw/platform/windows/unique_handle.h"

// Handles of the window system, GDI and COM that give themselves back when
// they go out of scope.
namespace fw::win32 {

// A kernel handle (thread, event...), the file layer's own owning handle.
using fw::windows::UniqueHandle;

// A window's device context (null window: the screen's), released with the
// object.
struct DcRelease {
    HWND window;
    void operator()(HDC dc) const { ReleaseDC(window, dc); }
};
using ScopedDc = std::unique_ptr<std::remove_pointer_t<HDC>, DcRelease>;
inline ScopedDc WindowDc(HWND window) {
    return ScopedDc(GetDC(window), DcRelease{window});
}

// An object selected into a device context; the one it replaced is selected
// again when the selection goes.
struct Reselect {
    HDC dc;
    void operator()(HGDIOBJ replaced) const { SelectObject(dc, replaced); }
};
using ScopedSelection = std::unique_ptr<void, Reselect>;
inline ScopedSelection SelectInto(HDC dc, HGDIOBJ object) {
    return ScopedSelection(SelectObject(dc, object), Reselect{dc});
}

// A GDI object (bitmap, pen, font...) this backend made, deleted with its
// owner.
struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
template <typename Handle>
using UniqueGdiObject = std::unique_ptr<std::remove_pointer_t<Handle>, GdiObjectDeleter>;

// An icon this backend loaded or made itself, destroyed with its owner.
struct IconDeleter {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
using UniqueIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;

// A COM interface, released with its owner.
template <typename Interface> using ComPtr = Microsoft::WRL::ComPtr<Interface>;

// COM on the calling thread, in a single-threaded apartment, for the
// object's life. A thread that has COM already in another mode keeps it.
class ComApartment {
public:
    ComApartment() : m_joined(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment() {
        if (m_joined) {
            CoUninitialize();
        }
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool m_joined;
};

} // namespace fw::win32
