#pragma once

// The texts the framework shows of its own accord, in UTF-8: the message
// boxes' buttons and the close button of a title bar the dialog draws
// itself (the same in every locale), and the reports of failures other
// than file errors. The file error reports have their table beside them
// (fw/ui/file_error_report.cpp).
namespace fw {

inline constexpr const char* kBoxOkText = "OK";
inline constexpr const char* kBoxCancelText = "キャンセル";
inline constexpr const char* kCloseWindowText = "閉じる";
inline constexpr const char* kOutOfMemoryText = "メモリが不足しています。";
inline constexpr const char* kUnexpectedErrorText = "予期しないエラーが発生しました。";

} // namespace fw
