#include "fw/win_app.h"

#include "fw/ui_backend.h"

namespace {
CWinApp* g_app = nullptr;
}

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
END_MESSAGE_MAP()

CWinApp::CWinApp(const char* appName)
    : m_strAppName(appName != nullptr ? appName : ""), m_bNameGiven(appName != nullptr) {
    g_app = this;
}

CWinApp::~CWinApp() {
    if (g_app == this)
        g_app = nullptr;
}

bool CWinApp::InitInstance() {
    return true;
}

int CWinApp::ExitInstance() {
    return 0;
}

fw::IconHandle CWinApp::LoadAppIcon(int resourceId) const {
    return fw::Backend().LoadIconResource(resourceId);
}

int CWinApp::Start(const std::string& programPath) {
    if (!m_bNameGiven)
        m_strAppName = fw::ProgramNameFromPath(programPath);
    // Whether or not start-up asks for a message loop, this framework has
    // none of its own: everything runs inside modal dialogs during start-up.
    InitInstance();
    m_pMainWnd = nullptr;
    return ExitInstance();
}

CWinApp* AfxGetApp() {
    return g_app;
}

namespace fw {

int RunApplication() {
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return 1;
    return app->Start(Backend().ProgramPath());
}

std::string ProgramNameFromPath(const std::string& path) {
#ifdef _WIN32
    const char* separators = "\\/:";
#else
    const char* separators = "/";
#endif
    std::string::size_type start = path.find_last_of(separators);
    std::string name = start == std::string::npos ? path : path.substr(start + 1);
    std::string::size_type dot = name.find_last_of('.');
    if (dot != std::string::npos && dot != 0)
        name.erase(dot);
    return name;
}

int AppMessageBox(IDialogPeer* owner, const std::string& text, unsigned style) {
    CWinApp* app = AfxGetApp();
    return Backend().ShowMessageBox(owner, text, app != nullptr ? app->AppName() : std::string(),
                                    style);
}

} // namespace fw
