#include "fw/ui_backends/win32/taskbar_progress.h"

namespace fw::win32 {

namespace {
constexpr ULONGLONG kScale = 10000;
}

TaskbarProgress::TaskbarProgress(HWND window) : m_window(window) {
    if (FAILED(CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(&m_taskbar))) ||
        FAILED(m_taskbar->HrInit())) {
        m_taskbar.Reset();
    }
}

TaskbarProgress::~TaskbarProgress() {
    Clear();
}

void TaskbarProgress::Show(double fraction) {
    if (m_taskbar != nullptr) {
        m_taskbar->SetProgressState(m_window, TBPF_NORMAL);
        m_taskbar->SetProgressValue(m_window, static_cast<ULONGLONG>(fraction * kScale), kScale);
    }
}

void TaskbarProgress::ShowError() {
    if (m_taskbar != nullptr) {
        m_taskbar->SetProgressState(m_window, TBPF_ERROR);
        m_taskbar->SetProgressValue(m_window, kScale, kScale);
    }
}

void TaskbarProgress::Clear() {
    if (m_taskbar != nullptr) {
        m_taskbar->SetProgressState(m_window, TBPF_NOPROGRESS);
    }
}

} // namespace fw::win32
