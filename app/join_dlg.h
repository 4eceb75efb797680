#pragma once

#include <string>

#include "app/resource_ids.h"
#include "fw/controls.h"
#include "fw/dialog.h"
#include "join/join_host.h"

// The program's window: the dropped files in a list the user can reorder,
// the proposed output path, and the join on the OK command. The two list
// controls are the only store of file names.
class CJoinDlg : public CDialog, private IJoinHost {
public:
    enum { IDD = IDD_JOIN };

    explicit CJoinDlg(CDialog* parent = nullptr);
    ~CJoinDlg() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    bool OnInitDialog() override;
    // The OK command (the join button or Enter) joins; the dialog stays open.
    void OnOK() override { OnJoin(); }

    void OnJoin();
    void OnPaint();
    fw::IconHandle OnQueryDragIcon();
    void OnMoveUp();
    void OnMoveDown();

    DECLARE_MESSAGE_MAP()

    CListBox m_lstSorted; // 1004: hidden, sorted intake list
    CListBox m_lstFiles;  // 1002: the join order, top first
    CEdit m_edtOutput;    // 1003: output path
    CButton m_btnUp;      // 1000
    CButton m_btnDown;    // 1001
    fw::IconHandle m_hIcon;

private:
    // IJoinHost: the join reads the dialog's controls and talks through it.
    int JoinListCount() override;
    std::string JoinListEntry(int index) override;
    std::string OutputPathText() override;
    int ShowMessage(const std::string& text, unsigned style) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    void RunWithProgress(const fw::ProgressWindowTexts& texts,
                         const std::function<void(fw::IWorkProgress&)>& work) override;
};
