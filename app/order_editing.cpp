#include <string>

#include "app/app_messages.h"
#include "app/join_dlg.h"
#include "fw/ui/message_box_style.h"

// Moving the selected entry of the join list. The entry is deleted and its
// text inserted one place further, then selected again, so repeated clicks
// keep moving the same file.

void CJoinDlg::OnMoveUp() {
    MoveSelectedEntry(-1);
}

void CJoinDlg::OnMoveDown() {
    MoveSelectedEntry(+1);
}

void CJoinDlg::MoveSelectedEntry(int step) {
    const int index = m_lstFiles.GetCurSel();
    if (index < 0) {
        ShowMessage(app_messages::kSelectAnItem, fw::kMbInformation);
        return;
    }
    if (step < 0 && index == 0) {
        ShowMessage(app_messages::kFirstCannotMoveUp, fw::kMbInformation);
        return;
    }
    if (step > 0 && index == m_lstFiles.GetCount() - 1) {
        ShowMessage(app_messages::kLastCannotMoveDown, fw::kMbInformation);
        return;
    }
    std::string text;
    m_lstFiles.GetText(index, text);
    m_lstFiles.DeleteString(index);
    m_lstFiles.InsertString(index + step, text);
    m_lstFiles.SetCurSel(index + step);
}
