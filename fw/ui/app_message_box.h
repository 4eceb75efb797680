#pragma once

#include <string>

namespace fw {

class IDialogPeer;

// The name the application's message boxes and progress windows are
// captioned with. The application object sets it (CWinApp); empty before.
void SetAppCaption(std::string caption);
const std::string& AppCaption();

// A message box captioned with AppCaption() and owned by owner (null: no
// owner); returns the answer (fw::kIdOk or fw::kIdCancel).
int AppMessageBox(IDialogPeer* owner, const std::string& text, unsigned style);

} // namespace fw
