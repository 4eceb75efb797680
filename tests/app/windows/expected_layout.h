#pragma once

#include <windows.h>

#include <string>

#include "fw/ui/win32_values.h"

// Template 102 as the shared layout data gives it, for checking what the
// program shows and what its resources hold.
namespace layout {

struct ExpectedDialog {
    int id;
    int x, y, cx, cy;
    DWORD style;
    DWORD exStyle;
    const char* caption;
    int pointSize;
    const char* face;
    int weight;
    int italic;
    int charset;
};

struct ExpectedControl {
    int id;
    const char* className;
    const char* text;
    DWORD style;
    int x, y, cx, cy;
};

#define KV_DIALOG(id, x, y, cx, cy, style, exStyle, caption, pointSize, face, weight, italic,      \
                  charset)                                                                         \
    inline constexpr ExpectedDialog kDialog{id,                                                    \
                                            x,                                                     \
                                            y,                                                     \
                                            cx,                                                    \
                                            cy,                                                    \
                                            static_cast<DWORD>(style),                             \
                                            static_cast<DWORD>(exStyle),                           \
                                            caption,                                               \
                                            pointSize,                                             \
                                            face,                                                  \
                                            weight,                                                \
                                            italic,                                                \
                                            charset};
#define KV_BEGIN_CONTROLS inline constexpr ExpectedControl kControls[] = {
#define KV_CONTROL(id, cls, text, style, x, y, cx, cy)                                             \
    {id, cls, text, static_cast<DWORD>(style), x, y, cx, cy},
#define KV_END_CONTROLS                                                                            \
    }                                                                                              \
    ;
#include "res/dialog_102.inc"
#undef KV_DIALOG
#undef KV_BEGIN_CONTROLS
#undef KV_CONTROL
#undef KV_END_CONTROLS

inline std::wstring Wide(const char* utf8) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 1), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide.data(), length);
    wide.resize(wide.size() - 1);
    return wide;
}

} // namespace layout
