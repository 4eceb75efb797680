#pragma once

// Message box kinds and answers. The values are the Win32 ones, so the
// Windows backend passes them through unchanged and the other backends
// interpret them.
namespace fw {

inline constexpr unsigned kMbOk = 0x00;
inline constexpr unsigned kMbOkCancel = 0x01;
inline constexpr unsigned kMbIconStop = 0x10;
inline constexpr unsigned kMbIconQuestion = 0x20;
inline constexpr unsigned kMbIconInformation = 0x40;

// The three kinds the program shows.
inline constexpr unsigned kMbInformation = kMbOk | kMbIconInformation;         // 0x40
inline constexpr unsigned kMbStop = kMbOk | kMbIconStop;                       // 0x10
inline constexpr unsigned kMbQuestionOkCancel = kMbOkCancel | kMbIconQuestion; // 0x21

inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;

} // namespace fw
