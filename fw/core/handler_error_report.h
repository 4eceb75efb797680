#pragma once

#include <exception>

namespace fw {

class IDialogPeer;

// Shows what escaped a command handler, once, as a stop box owned by owner:
// a CFileException by the general file error report, anything else by a
// generic text. The command then counts as handled.
void ReportHandlerException(IDialogPeer* owner, std::exception_ptr error);

// The texts for failures other than file errors.
inline constexpr const char* kOutOfMemoryText = "メモリが不足しています。";
inline constexpr const char* kUnexpectedErrorText = "予期しないエラーが発生しました。";

} // namespace fw
