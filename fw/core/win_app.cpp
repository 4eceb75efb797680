#include "fw/core/win_app.h"

#include "fw/platform/system_code_page.h"
#include "fw/text/char_wise.h"
#include "fw/ui/app_message_box.h"
#include "fw/ui/ui_backend.h"

namespace {
CWinApp* g_app = nullptr;
}

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
END_MESSAGE_MAP()

CWinApp::CWinApp(const char* appName) : m_bNameGiven(appName != nullptr) {
    g_app = this;
    fw::SetAppCaption(appName != nullptr ? appName : "");
}

CWinApp::~CWinApp() {
    if (g_app == this) {
        g_app = nullptr;
        fw::SetAppCaption("");
    }
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
        fw::SetAppCaption(fw::ProgramNameFromPath(programPath, fw::GetSystemCodePage()));
    // Whether or not start-up asks for a message loop, this framework has
    // none of its own: everything runs inside modal dialogs during start-up.
    InitInstance();
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

std::string ProgramNameFromPath(const std::string& path, CodePage codePage) {
#ifdef _WIN32
    const char separators[] = {'\\', '/', ':'};
#else
    const char separators[] = {'/'};
#endif
    std::size_t start = 0;
    for (char separator : separators) {
        std::size_t found = FindLastChar(path, separator, codePage);
        if (found != std::string::npos && found + 1 > start)
            start = found + 1;
    }
    std::string name = path.substr(start);
    std::size_t dot = FindLastChar(name, '.', codePage);
    if (dot != std::string::npos && dot != 0)
        name.erase(dot);
    return name;
}

} // namespace fw
