#pragma once

namespace fw::qt {

// The progress on the program's launcher or taskbar entry, through the
// com.canonical.Unity.LauncherEntry D-Bus signal for the program's desktop
// entry (the Ubuntu dock and KDE Plasma show it). Does nothing where there
// is no session bus. The progress is hidden again when the object goes.
class TaskbarProgress {
public:
    TaskbarProgress();
    ~TaskbarProgress();
    TaskbarProgress(const TaskbarProgress&) = delete;
    TaskbarProgress& operator=(const TaskbarProgress&) = delete;

    // fraction from 0 to 1; sent only when it changed by a percent.
    void Show(double fraction);

private:
    void Send(bool visible, double fraction);

    bool m_available = false;
    bool m_shown = false;
    int m_percent = -1;
};

} // namespace fw::qt
