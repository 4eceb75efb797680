#pragma once

#include <exception>

namespace fw {

class IDialogPeer;

// Shows what escaped a command handler, once, as a stop box owned by owner:
// a CFileException by the general file error report, anything else by a
// generic text (fw/ui/framework_texts.h). The command then counts as handled.
void ReportHandlerException(IDialogPeer* owner, std::exception_ptr error);

} // namespace fw
