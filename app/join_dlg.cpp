#include "app/join_dlg.h"

#include "app/app_messages.h"
#include "app/join_dialog_template.h"
#include "fw/core/win_app.h"
#include "fw/ui/message_box_style.h"
#include "fw/ui/paint_dc.h"
#include "intake/default_output_path.h"
#include "intake/drop_command_line_info.h"
#include "join/join_command.h"

BEGIN_MESSAGE_MAP(CJoinDlg, CDialog)
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
ON_BN_CLICKED(IDC_MOVE_UP, &CJoinDlg::OnMoveUp)
ON_BN_CLICKED(IDC_MOVE_DOWN, &CJoinDlg::OnMoveDown)
END_MESSAGE_MAP()

CJoinDlg::CJoinDlg() : CDialog(IDD) {
    RegisterJoinDialogTemplate();
    m_hIcon = AfxGetApp()->LoadAppIcon(IDR_MAINFRAME);
}

CJoinDlg::~CJoinDlg() = default;

void CJoinDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SORTED, m_lstSorted);
    DDX_Control(pDX, IDC_FILES, m_lstFiles);
    DDX_Control(pDX, IDC_OUTPUT, m_edtOutput);
    DDX_Control(pDX, IDC_MOVE_UP, m_btnUp);
    DDX_Control(pDX, IDC_MOVE_DOWN, m_btnDown);
}

bool CJoinDlg::OnInitDialog() {
    CDialog::OnInitDialog();

    SetIcon(m_hIcon, true);
    SetIcon(m_hIcon, false);

    CDropCommandLineInfo cmdInfo;
    std::string switchText;
    std::string paramText;
    std::string name;

    if (!cmdInfo.GetFirstItem(switchText, paramText)) {
        ShowMessage(app_messages::kNoFilesDropped, fw::kMbInformation);
        EndDialog(fw::kIdCancel);
        return false;
    }

    // The hidden list sorts the items; the join list starts in that order.
    do {
        m_lstSorted.AddString(paramText);
    } while (cmdInfo.GetNextItem(switchText, paramText));

    for (int i = 0; i < m_lstSorted.GetCount(); ++i) {
        m_lstSorted.GetText(i, name);
        m_lstFiles.AddString(name);
    }

    m_lstSorted.GetText(0, name);
    m_edtOutput.SetWindowText(MakeDefaultOutputPath(name));

    m_btnUp.SetIcon(AfxGetApp()->LoadAppIcon(IDI_UP));
    m_btnDown.SetIcon(AfxGetApp()->LoadAppIcon(IDI_DOWN));

    RedrawWindow();
    return true;
}

void CJoinDlg::OnJoin() {
    RunJoinCommand(m_joinHost);
}

// While minimized, draws the application icon centred in the client area.
void CJoinDlg::OnPaint() {
    if (!IsIconic()) {
        CDialog::OnPaint();
        return;
    }
    CPaintDC dc(*this);
    dc.EraseIconBackground();
    fw::Size icon = fw::SystemIconSize();
    fw::Rect rect = GetClientRect();
    int x = (rect.Width() - icon.cx + 1) / 2;
    int y = (rect.Height() - icon.cy + 1) / 2;
    dc.DrawIcon(x, y, m_hIcon);
}

fw::IconHandle CJoinDlg::OnQueryDragIcon() {
    return m_hIcon;
}

std::string CJoinDlg::JoinHost::JoinListEntry(int index) {
    std::string text;
    m_dialog.m_lstFiles.GetText(index, text);
    return text;
}
