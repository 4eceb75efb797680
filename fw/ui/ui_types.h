#pragma once

#include <cstdint>

#include "fw/ui/win32_values.h"

namespace fw {

// An icon loaded by the backend. The resource id says which icon it is (the
// mem backend needs nothing more); native is the backend's own object (an
// HICON on Windows, a QIcon the Qt backend keeps), or null.
struct IconHandle {
    int resourceId = 0;
    void* native = nullptr;

    explicit operator bool() const { return resourceId != 0 || native != nullptr; }
    friend bool operator==(const IconHandle&, const IconHandle&) = default;
};

// A rectangle in pixels: left/top inclusive, right/bottom exclusive.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

struct Size {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

// Window messages the portable message tables can name (Win32 values).
inline constexpr unsigned kWmPaint = KV_WM_PAINT;
inline constexpr unsigned kWmQueryDragIcon = KV_WM_QUERYDRAGICON;
inline constexpr unsigned kWmCommand = KV_WM_COMMAND;

// Notification code of a button click within kWmCommand.
inline constexpr unsigned kBnClicked = KV_BN_CLICKED;

} // namespace fw
