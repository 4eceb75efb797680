#include "fw/platform/windows/wide_text.h"

#include <windows.h>

namespace fw {
namespace {

// Converts with MultiByteToWideChar; empty when flags reject the text.
std::wstring ToWide(UINT codePage, DWORD flags, std::string_view text, bool& ok) {
    ok = true;
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, flags, text.data(), size, nullptr, 0);
    if (length <= 0) {
        ok = false;
        return {};
    }
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, flags, text.data(), size, wide.data(), length);
    return wide;
}

std::string FromWide(UINT codePage, std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int length =
        WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    if (length <= 0) {
        return {};
    }
    std::string bytes(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), size, bytes.data(), length, nullptr, nullptr);
    return bytes;
}

} // namespace

std::wstring WideFromActiveCodePage(std::string_view text) {
    bool ok = false;
    return ToWide(CP_ACP, 0, text, ok);
}

std::string ActiveCodePageFromWide(std::wstring_view text) {
    return FromWide(CP_ACP, text);
}

std::string Utf8FromWide(std::wstring_view text) {
    return FromWide(CP_UTF8, text);
}

std::wstring WideFromDisplayText(std::string_view text) {
    bool ok = false;
    std::wstring wide = ToWide(CP_UTF8, MB_ERR_INVALID_CHARS, text, ok);
    if (ok) {
        return wide;
    }
    return WideFromActiveCodePage(text);
}

} // namespace fw
