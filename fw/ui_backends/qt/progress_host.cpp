#include "fw/ui_backends/qt/progress_host.h"

#include <QEventLoop>
#include <QTimer>

namespace fw::qt {

ProgressHost::ProgressHost(QWidget* owner, const std::string& caption,
                           const ProgressWindowTexts& texts)
    : m_owner(owner), m_caption(QString::fromUtf8(caption.c_str())), m_texts(texts) {}

ProgressHost::~ProgressHost() = default;

void ProgressHost::BlockInput() {
    m_inputBlock.emplace(m_owner);
}

void ProgressHost::AllowInput() {
    m_inputBlock.reset();
}

bool ProgressHost::RunUntilWoken(ProgressTicker& ticker) {
    QEventLoop loop;
    QTimer tick;
    tick.setInterval(ProgressTicker::kInterval);
    QObject::connect(&tick, &QTimer::timeout, &m_context, [&ticker] { ticker.Tick(); });
    tick.start();
    m_loop = &loop;
    if (!m_woken.load())
        loop.exec();
    m_loop = nullptr;
    return m_woken.load();
}

void ProgressHost::Wake() {
    m_woken.store(true);
    QMetaObject::invokeMethod(
        &m_context,
        [this] {
            if (m_loop != nullptr)
                m_loop->quit();
        },
        Qt::QueuedConnection);
}

void ProgressHost::Open(SharedWorkProgress& progress) {
    m_window.emplace(m_owner, m_caption, m_texts, [&progress] { progress.RequestCancel(); });
    m_taskbar.emplace();
    m_sessionEndBlock.emplace(QString::fromUtf8(m_texts.heading.c_str()));
}

void ProgressHost::Show(const ProgressModel& model) {
    m_window->Show(model);
    m_taskbar->Show(model.Fraction());
}

} // namespace fw::qt
