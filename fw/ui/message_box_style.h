#pragma once

#include "fw/ui/win32_values.h"

// Message box kinds and answers. The values are the Win32 ones, so the
// Windows backend passes them through unchanged and the other backends
// interpret them.
namespace fw {

inline constexpr unsigned kMbOk = KV_MB_OK;
inline constexpr unsigned kMbOkCancel = KV_MB_OKCANCEL;
inline constexpr unsigned kMbIconStop = KV_MB_ICONSTOP;
inline constexpr unsigned kMbIconQuestion = KV_MB_ICONQUESTION;
inline constexpr unsigned kMbIconExclamation = KV_MB_ICONEXCLAMATION;
inline constexpr unsigned kMbIconInformation = KV_MB_ICONINFORMATION;

// The three kinds the program shows.
inline constexpr unsigned kMbInformation = kMbOk | kMbIconInformation;         // 0x40
inline constexpr unsigned kMbStop = kMbOk | kMbIconStop;                       // 0x10
inline constexpr unsigned kMbQuestionOkCancel = kMbOkCancel | kMbIconQuestion; // 0x21

inline constexpr int kIdOk = KV_IDOK;
inline constexpr int kIdCancel = KV_IDCANCEL;

// Whether a box of that style asks OK or Cancel (otherwise it has OK only).
constexpr bool IsOkCancel(unsigned style) {
    return (style & KV_MB_TYPEMASK) == kMbOkCancel;
}

// The icon bits of a style: one of the kMbIcon values, or 0.
constexpr unsigned IconOf(unsigned style) {
    return style & KV_MB_ICONMASK;
}

} // namespace fw
