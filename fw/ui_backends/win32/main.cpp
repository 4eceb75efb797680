// The program's entry on Windows: installs the Win32 user interface and runs
// the application object.
#include <windows.h>

#include <commctrl.h>

#include "fw/core/win_app.h"
#include "fw/ui_backends/win32/session_end.h"
#include "fw/ui_backends/win32/ui_backend.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int /*show*/) {
    // Loads the common controls the manifest names, so the dialog's buttons,
    // lists and edit fields take the system's current look. The 3-D look of
    // dialog controls needs no step of its own: Windows 4.0 and later draw
    // every dialog control that way already.
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    // The session ending stops a running join before the program ends.
    const fw::win32::SessionEnd sessionEnd;

    fw::win32::UiBackend backend(instance);
    fw::SetBackend(&backend);
    const int status = fw::RunApplication();
    fw::SetBackend(nullptr);
    return status;
}
