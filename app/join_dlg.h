#pragma once

#include <string>

#include "app/resource_ids.h"
#include "fw/ui/controls.h"
#include "fw/ui/dialog.h"
#include "join/join_command.h"

// The program's window: the dropped files in a list the user can reorder,
// the proposed output path, and the join on the OK command. The two list
// controls are the only store of file names.
class CJoinDlg : public CDialog {
public:
    enum { IDD = IDD_JOIN };

    CJoinDlg();
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
    // Moves the join list's selected entry one place up (step -1) or down
    // (+1), or tells why it cannot move.
    void MoveSelectedEntry(int step);

    // The join's view of the dialog: the join list, the output field, and
    // the dialog's message boxes and wait cursor.
    class JoinHost final : public IJoinHost {
    public:
        explicit JoinHost(CJoinDlg& dialog) : m_dialog(dialog) {}

        int JoinListCount() override { return m_dialog.m_lstFiles.GetCount(); }
        std::string JoinListEntry(int index) override;
        std::string OutputPathText() override { return m_dialog.m_edtOutput.GetWindowText(); }
        int ShowMessage(const std::string& text, unsigned style) override {
            return m_dialog.ShowMessage(text, style);
        }
        void BeginWaitCursor() override { m_dialog.BeginWaitCursor(); }
        void EndWaitCursor() override { m_dialog.EndWaitCursor(); }
        void RunWithProgress(const fw::ProgressWindowTexts& texts,
                             const std::function<void(fw::IWorkProgress&)>& work) override {
            m_dialog.RunWithProgress(texts, work);
        }

    private:
        CJoinDlg& m_dialog;
    };

    JoinHost m_joinHost{*this};
};
