#include "app/join_app.h"

#include "app/join_dlg.h"

BEGIN_MESSAGE_MAP(CJoinApp, CWinApp)
END_MESSAGE_MAP()

CJoinApp::CJoinApp() = default;

CJoinApp::~CJoinApp() = default;

bool CJoinApp::InitInstance() {
    // The 3-D look of dialog controls needs no switching on: the controls of
    // every platform this runs on have it already.
    CJoinDlg dlg;
    dlg.DoModal();
    // No message loop of our own: the application ends here.
    return false;
}
