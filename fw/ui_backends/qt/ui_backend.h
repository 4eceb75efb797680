#pragma once

#include <QIcon>
#include <map>
#include <string>

#include "fw/ui/ui_backend.h"

namespace fw::qt {

// The user-interface backend for Qt 6 Widgets. Needs a QApplication.
class UiBackend final : public IUiBackend {
public:
    explicit UiBackend(std::string programPath);
    ~UiBackend() override;
    UiBackend(const UiBackend&) = delete;
    UiBackend& operator=(const UiBackend&) = delete;

    std::string ProgramPath() const override { return m_programPath; }
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

private:
    std::string m_programPath;
    std::map<int, QIcon> m_icons; // loaded icons; handles point at them
    int m_waitCursorDepth = 0;
};

} // namespace fw::qt
