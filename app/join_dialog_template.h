#pragma once

#include "fw/ui/dialog_template.h"

// The join dialog's layout (template 102), built from res/dialog_102.inc,
// the same data the Windows resource script compiles.
const fw::DialogTemplate& JoinDialogTemplate();

// Makes template 102 known to CDialog by its id.
void RegisterJoinDialogTemplate();
