#pragma once

#include <string>

#include "fw/text/code_page.h"
#include "fw/ui/cmd_target.h"
#include "fw/ui/ui_types.h"

// The application object. Exactly one exists, a global constructed before
// the program's entry runs; the entry installs a backend and calls
// fw::RunApplication. Its name captions the message boxes and progress
// windows (fw/ui/app_message_box.h).
class CWinApp : public CCmdTarget {
public:
    // appName null: the name is the program file's name without folder and
    // extension, set when the application starts (empty until then).
    explicit CWinApp(const char* appName = nullptr);
    ~CWinApp() override;

    // Start-up. Returning false ends the application at once (no message
    // loop of its own).
    virtual bool InitInstance();
    // Exit processing; returns the process's exit status.
    virtual int ExitInstance();

    // Loads an icon of the program's resources.
    fw::IconHandle LoadAppIcon(int resourceId) const;

    // Runs start-up and exit; used by fw::RunApplication.
    int Start(const std::string& programPath);

protected:
    DECLARE_MESSAGE_MAP()

private:
    bool m_bNameGiven;
};

// The application object, or null before it is constructed.
CWinApp* AfxGetApp();

namespace fw {

// Runs the application object's start-up on the installed backend and
// returns the process's exit status (1 when there is no application object).
int RunApplication();

// The program file's name without folder and extension: "X:\dir\Tool.exe"
// and "/usr/bin/tool" give "Tool" and "tool". Backslash, slash and drive
// colon end the folder on Windows, only the slash elsewhere; they are found
// per character of codePage. A name that is only an extension (".hidden")
// keeps it.
std::string ProgramNameFromPath(const std::string& path, CodePage codePage);

} // namespace fw
