#include "fw/ui_backends/win32/taskbar_progress.h"

namespace fw::win32 {

namespace {
constexpr ULONGLONG kScale = 10000;
}

TaskbarProgress::TaskbarProgress(HWND window) : m_window(window) {
    const HRESULT started = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    m_comStarted = SUCCEEDED(started);
    void* taskbar = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_ITaskbarList3, &taskbar))) {
        m_taskbar = static_cast<ITaskbarList3*>(taskbar);
        if (FAILED(m_taskbar->HrInit())) {
            m_taskbar->Release();
            m_taskbar = nullptr;
        }
    }
}

TaskbarProgress::~TaskbarProgress() {
    if (m_taskbar != nullptr) {
        Clear();
        m_taskbar->Release();
    }
    if (m_comStarted) {
        CoUninitialize();
    }
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
