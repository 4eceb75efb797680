#pragma once

#include <windows.h>

#include <memory>

#include "fw/ui/ui_backend.h"
#include "fw/ui_backends/win32/scoped_handles.h"
#include "fw/ui_backends/win32/taskbar_progress.h"

namespace fw::win32 {

// The user interface on Windows: Unicode dialog windows from the program's
// resources, wide message boxes, the system's wait cursor and icons. The
// thread that makes it has COM (for the taskbar button and the controls'
// accessible names) while it lives.
class UiBackend final : public IUiBackend {
public:
    explicit UiBackend(HINSTANCE instance) : m_instance(instance) {}

    std::string ProgramPath() const override;
    int RunModal(CDialog& dialog, const DialogTemplate& dialogTemplate) override;
    int ShowMessageBox(IDialogPeer* owner, const std::string& text, const std::string& caption,
                       unsigned style) override;
    void RunWithProgress(IDialogPeer* owner, const std::string& caption,
                         const ProgressWindowTexts& texts,
                         const std::function<void(IWorkProgress&)>& work) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    IconHandle LoadIconResource(int resourceId) override;
    Size SystemIconSize() const override;

    HINSTANCE Instance() const { return m_instance; }
    bool IsWaitCursorShown() const { return m_waitCursorDepth > 0; }

private:
    ComApartment m_com; // first in, last out
    HINSTANCE m_instance;
    int m_waitCursorDepth = 0;
    HCURSOR m_cursorBeforeWait = nullptr;
    // The taskbar progress of long work that just ended, until the next
    // message box: a stop box shows it in the error state.
    std::unique_ptr<TaskbarProgress> m_endedProgress;
};

} // namespace fw::win32
